// A packet session bound over the scripted channel, with the printer model behind it.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "qdxa/qdxa_error.h"
#include "qdxa/qdxa_session.h"
#include "scripted_channel.h"

namespace qdxa_test {

inline std::vector<std::uint8_t> fromHex(const std::string& text) {
    std::vector<std::uint8_t> out;
    std::string digits;
    for (char c : text) {
        if (c != ' ') {
            digits += c;
        }
    }
    for (std::size_t index = 0; index + 1 < digits.size(); index += 2) {
        out.push_back(static_cast<std::uint8_t>(std::stoul(digits.substr(index, 2), nullptr, 16)));
    }
    return out;
}

class BoundSession : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(bind(qdxa::kChannelKindControl, 2), kQDXASuccess); }
    void TearDown() override { QDXA_Unbind(session); }

    std::int32_t bind(std::uint8_t channelKind, std::uint16_t addressKind) {
        QDXA_Unbind(session);
        session = nullptr;
        QDXABindRecord record;
        record.deviceURI = "net:127.0.0.1";
        record.transport = channel.channel();
        record.binaryTransport = binaryChannel.channel();
        record.channelKind = channelKind;
        QDXAEndpointAddress address;
        address.kind = addressKind;
        return QDXA_Bind(&record, &address, &session);
    }

    /// The request bytes that the session's send handle holds.
    std::vector<std::uint8_t> sent(std::uint32_t length) const {
        return {session->sendHandle->data, session->sendHandle->data + length};
    }

    /// Puts a reply packet into the receive handle as if the exchange had read it.
    void receive(const std::vector<std::uint8_t>& packet) {
        ASSERT_EQ(Wqs_Mem_SetHandleSize(session->receiveHandle,
                                        static_cast<std::uint32_t>(packet.size())),
                  0);
        std::copy(packet.begin(), packet.end(), session->receiveHandle->data);
        session->receivedLength = static_cast<std::uint32_t>(packet.size());
    }

    ChannelScope scope;
    Responder responder;
    ScriptedChannel channel{&responder};
    ScriptedChannel binaryChannel{&responder};
    PacketSession* session = nullptr;
};

}  // namespace qdxa_test
