// Test support of the packet module: a recording job transport and a media database with a fixed
// answer, a packet record wired to them, and golden bytes written as hexadecimal text.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "qdxa/qdxa_services.h"
#include "qdxa/tarn_qdxa.h"
#include "qdxa_stream/qdxa_stream.h"
#include "rastercore/result_codes.h"
#include "record/job_context.h"
#include "util/memory.h"

namespace qdxatest {

using Bytes = std::vector<std::uint8_t>;

/// Bytes from hexadecimal text; blanks between the pairs are ignored.
inline Bytes hex(const std::string& text) {
    Bytes bytes;
    std::string digits;
    for (char c : text) {
        if (c != ' ') {
            digits += c;
        }
    }
    for (std::size_t i = 0; i + 1 < digits.size(); i += 2) {
        bytes.push_back(static_cast<std::uint8_t>(std::stoul(digits.substr(i, 2), nullptr, 16)));
    }
    return bytes;
}

/// Records every packet and answers the media query while it lives: it puts itself in place of
/// the packet module's services for its lifetime.
class RecordingServices {
  public:
    RecordingServices() = default;
    RecordingServices(const RecordingServices&) = delete;
    RecordingServices& operator=(const RecordingServices&) = delete;

    struct Send {
        Bytes bytes;
        bool last;
    };

    std::vector<Send> sends;            ///< every packet handed over, taken or not
    std::optional<std::size_t> failAt;  ///< this send (from 0) answers failCode
    std::int32_t failCode = rastercore::kTransportFailure;
    std::uint32_t leave = 0;  ///< bytes of each packet reported as not taken
    std::int32_t mediumAnswer = 1;
    QDXA_Medium medium{0x21, 254, 19, 6100, 9150, 3};
    QDXA_MediumTypeEx mediumType{1, 0x0102};
    int mediumCalls = 0;

    std::int32_t jobSend(std::span<const std::uint8_t> header,
                         std::span<const std::uint8_t> payload, bool last, std::uint32_t* untaken) {
        Bytes packet(header.begin(), header.end());
        packet.insert(packet.end(), payload.begin(), payload.end());
        const auto size = static_cast<std::uint32_t>(packet.size());
        sends.push_back({std::move(packet), last});
        const bool failing = failAt && *failAt == sends.size() - 1;
        *untaken = failing ? size : std::min(leave, size);
        return failing ? failCode : rastercore::kResultOk;
    }

    std::int32_t getMedium(QDXA_Info* info) {
        ++mediumCalls;
        if (mediumAnswer == 1) {
            info->medium = medium;
            info->mediumTypeEx = mediumType;
        }
        return mediumAnswer;
    }

    /// Every byte handed to the transport, in order.
    Bytes stream() const {
        Bytes all;
        for (const Send& send : sends) {
            all.insert(all.end(), send.bytes.begin(), send.bytes.end());
        }
        return all;
    }

    /// The packets handed over, each checked to be exactly one well-formed packet.
    std::vector<qdxastream::Packet> packets() const {
        std::vector<qdxastream::Packet> all;
        for (const Send& send : sends) {
            const qdxastream::Stream read = qdxastream::splitPackets(send.bytes);
            EXPECT_TRUE(read.ok()) << read.error;
            EXPECT_EQ(read.packets.size(), 1u);
            all.insert(all.end(), read.packets.begin(), read.packets.end());
        }
        return all;
    }

    /// One line per packet: its operation and, for attributes and methods, the id in decimal or
    /// hexadecimal ("SetDocument 2029", "ExecuteMethod 0x4011").
    std::vector<std::string> summary() const {
        std::vector<std::string> lines;
        for (const qdxastream::Packet& packet : packets()) {
            std::string line = qdxastream::operationName(packet.operation);
            if (const auto attribute = qdxastream::setAttribute(packet)) {
                line += " " + std::to_string(attribute->id);
            } else if (const auto call = qdxastream::methodCall(packet)) {
                char method[8];
                std::snprintf(method, sizeof method, " 0x%04X", call->method);
                line += method;
            }
            lines.push_back(line);
        }
        return lines;
    }

  private:
    const QDXA_Services table_{
        .jobSend = [this](
                       QDXA_Info*, std::span<const std::uint8_t> header,
                       std::span<const std::uint8_t> payload, bool last,
                       std::uint32_t* untaken) { return jobSend(header, payload, last, untaken); },
        .getMedium = [this](QDXA_Info* info, PLGContext*) { return getMedium(info); },
    };
    seam::ScopedOverride<QDXA_Services> override_{qdxaServices(), table_};
};

/// A zeroed packet record on a zeroed job context whose model reads the media database, wired to
/// recording services; released through the module's terminate step.
struct Record {
    PLGContext context{};
    RecordingServices services;
    QDXA_Info* info = nullptr;

    Record() {
        EXPECT_EQ(Get_MemoryClear(1, sizeof(QDXA_Info), kUnusedKind, &info), 0);
        info->context = &context;
        context.qdxaInfo = info;
        context.modelTable.Medab = 2;
    }
    ~Record() { tarn_QDXA_Terminate(info); }
    Record(const Record&) = delete;
    Record& operator=(const Record&) = delete;

    ModelAtlasTbl& model() { return context.modelTable; }
};

}  // namespace qdxatest
