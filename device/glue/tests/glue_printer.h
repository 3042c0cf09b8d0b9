// A protocol session against the test printer on its own loopback address: the QDXA printer
// model with paged lists answers on the printer's control ports over real UDP.
#pragma once

#include <gtest/gtest.h>

#include <dirent.h>

#include <memory>
#include <string>
#include <vector>

#include "bytes/byte_order.h"
#include "glue/glue_session.h"
#include "printer/test_printer.h"
#include "qdxa_paged_printer.h"
#include "qdxa_printer_hook.h"
#include "qdxa_protocol/codes.h"
#include "qdxa_protocol/packet_header.h"
#include "transport/caio_channel.h"

namespace gluetest {

using qdxa_test::Bytes;

inline std::uint16_t operationOf(const Bytes& packet) {
    return bytes::loadBE16(packet.data() + 4);
}
inline std::uint32_t firstIdOf(const Bytes& packet) {
    return bytes::loadBE32(packet.data() + 10);
}
inline std::uint32_t secondIdOf(const Bytes& packet) {
    return bytes::loadBE32(packet.data() + 14);
}
inline Bytes parameterOf(const Bytes& packet) {
    return {packet.begin() + qdxa::kHeaderSize, packet.end()};
}

/// The object ids and attribute ids of a Get2 request (with an empty access block).
struct Get2Names {
    std::vector<std::uint32_t> objects;
    std::vector<std::uint16_t> attributes;
};
inline Get2Names get2NamesOf(const Bytes& packet) {
    const Bytes parameter = parameterOf(packet);
    bytes::ByteReader in(parameter);
    in.skip(4);  // reply room, empty access block
    Get2Names names;
    names.objects.resize(in.u16be().value_or(0));
    for (auto& id : names.objects) {
        id = in.u32be().value_or(0);
    }
    names.attributes.resize(in.u16be().value_or(0));
    for (auto& id : names.attributes) {
        id = in.u16be().value_or(0);
    }
    return names;
}

/// The value of attribute 282: state, reason, the listed codes, the current code, a last byte.
inline Bytes stateValue(std::uint8_t state, std::uint8_t reason,
                        const std::vector<std::uint32_t>& codes, std::uint32_t current,
                        std::uint8_t last) {
    Bytes value;
    bytes::ByteWriter out(value);
    out.u8(state);
    out.u8(reason);
    out.u8(static_cast<std::uint8_t>(codes.size()));
    for (std::uint32_t code : codes) {
        out.u32be(code);
    }
    out.u32be(current);
    out.u8(last);
    return value;
}

/// A supported-item list: a 16-bit count, then per item a 16-bit id and a flag byte.
inline Bytes supportValue(const std::vector<std::pair<std::uint16_t, std::uint8_t>>& items) {
    Bytes value;
    bytes::ByteWriter out(value);
    out.u16be(static_cast<std::uint16_t>(items.size()));
    for (const auto& [item, flag] : items) {
        out.u16be(item);
        out.u8(flag);
    }
    return value;
}

inline std::size_t openDescriptorCount() {
    std::size_t count = 0;
    if (DIR* folder = ::opendir("/proc/self/fd")) {
        while (::readdir(folder) != nullptr) {
            ++count;
        }
        ::closedir(folder);
    }
    return count;
}

using Channel = CaioChannelPtr;

inline constexpr char kModelName[] = "Stratoline 9000";

class GluePrinter : public ::testing::Test {
  protected:
    void SetUp() override {
        responder.objects[101] = {{1056, qdxa_test::codedString(1, kModelName)}};
        responder.objects[601] = {{282, stateValue(3, 2, {0x1000}, 0x1000, 0)}};
        testsupport::TestPrinterOptions options;
        options.responder = hook.controlResponder();
        printer = std::make_unique<testsupport::TestPrinter>(std::move(options));
        ASSERT_TRUE(printer->start()) << printer->error();
        address = "net:" + printer->address();
        channel.reset(caioCreate(address.c_str()));
        ASSERT_NE(channel, nullptr);
    }
    void TearDown() override { EXPECT_EQ(glue_qdxaClose(&session, 0), 0); }

    std::int32_t open() {
        return glue_qdxaOpen(address.c_str(), channel.get(), qdxa::kChannelKindControl, &session);
    }
    /// Opens the session and forgets the requests of the open.
    void openSession() {
        ASSERT_EQ(open(), 0);
        ASSERT_NE(session, nullptr);
        responder.requests.clear();
    }
    /// The requests since the session opened with the given operation.
    std::vector<Bytes> requestsOf(std::uint16_t operation) const {
        std::vector<Bytes> found;
        for (const Bytes& request : responder.requests) {
            if (operationOf(request) == operation) {
                found.push_back(request);
            }
        }
        return found;
    }

    qdxa_test::Responder responder;
    qdxa_test::PagedPrinter paged{responder};
    qdxa_test::PrinterHook hook{responder};
    std::unique_ptr<testsupport::TestPrinter> printer;
    std::string address;
    Channel channel;
    GlueSession* session = nullptr;
};

/// The same with the session open from the start.
class GlueSessionTest : public GluePrinter {
  protected:
    void SetUp() override {
        GluePrinter::SetUp();
        openSession();
    }
};

}  // namespace gluetest
