// Test support of the packet module: a recording job transport and a media database with a fixed
// answer, a packet record wired to them, and golden bytes written as hexadecimal text.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <optional>
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

class RecordingServices : public QDXA_Services {
  public:
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

    std::int32_t jobSend(QDXA_Info*, const std::uint8_t* data, std::uint32_t* length,
                         bool last) override {
        sends.push_back({Bytes(data, data + *length), last});
        const bool failing = failAt && *failAt == sends.size() - 1;
        *length = failing ? *length : std::min(leave, *length);
        return failing ? failCode : rastercore::kResultOk;
    }

    std::int32_t getMedium(QDXA_Info* info, PLGContext*) override {
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
};

/// A zeroed packet record on a zeroed job context whose model reads the media database, wired to
/// recording services; released through the module's terminate step.
struct Record {
    PLGContext context{};
    RecordingServices services;
    QDXA_Info* info = nullptr;

    Record() {
        EXPECT_EQ(Get_MemoryClear(1, sizeof(QDXA_Info), kUnusedKind, &info), 0);
        info->services = &services;
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
