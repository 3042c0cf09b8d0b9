// The scripted printer model that answers QDXA requests.
#include "qdxa_responder.h"

#include <algorithm>
#include <optional>

#include "bytes/byte_order.h"
#include "qdxa_protocol/codes.h"
#include "qdxa_protocol/packet_header.h"

namespace qdxa_test {
namespace {

constexpr std::uint16_t kJobClass = 201;
constexpr std::uint16_t kKindIPv4 = 1;
constexpr std::uint16_t kKindIPv6 = 19;
constexpr std::uint32_t kPrinterObject = 601;
constexpr std::uint16_t kPrinterStateAttribute = 282;
constexpr std::size_t kClientJobBlockSize = 64;
constexpr std::size_t kClientJobNumberAt = 48;
constexpr std::size_t kClientJobNumberSize = kClientJobBlockSize - kClientJobNumberAt;
const std::string kVersionTwoQuestion = "Support QDXA v2 Operations?";

struct Request {
    std::uint16_t operation = 0;
    std::uint16_t sequence = 0;
    std::span<const std::uint8_t> parameter;
};

std::optional<Request> parseRequest(std::span<const std::uint8_t> packet) {
    if (packet.size() < qdxa::kHeaderSize || packet[0] != qdxa::kMagic0 ||
        packet[1] != qdxa::kMagic1) {
        return std::nullopt;
    }
    const std::uint16_t length =
        bytes::loadBE16(packet.data() + offsetof(qdxa::PacketHeader, parameterLength));
    if (packet.size() < qdxa::kHeaderSize + length) {
        return std::nullopt;
    }
    return Request{bytes::loadBE16(packet.data() + offsetof(qdxa::PacketHeader, operation)),
                   bytes::loadBE16(packet.data() + offsetof(qdxa::PacketHeader, sequence)),
                   packet.subspan(qdxa::kHeaderSize, length)};
}

bool skipAccess(bytes::ByteReader& in) {
    in.u8();
    const auto length = in.u8();
    return length && in.skip(*length);
}

std::vector<std::uint32_t> readIds32(bytes::ByteReader& in) {
    std::vector<std::uint32_t> ids(in.u16be().value_or(0));
    for (auto& id : ids) {
        id = in.u32be().value_or(0);
    }
    return ids;
}

void writeAttributes(bytes::ByteWriter& out, std::uint32_t handle,
                     const std::vector<Attribute>& attributes,
                     const std::vector<std::uint16_t>& wanted) {
    std::vector<const Attribute*> chosen;
    for (std::uint16_t id : wanted) {
        for (const auto& attribute : attributes) {
            if (attribute.id == id) {
                chosen.push_back(&attribute);
            }
        }
    }
    out.u32be(handle);
    out.u16be(static_cast<std::uint16_t>(chosen.size()));
    for (const Attribute* attribute : chosen) {
        out.u16be(attribute->id);
        out.u16be(static_cast<std::uint16_t>(attribute->value.size()));
        out.bytes(attribute->value);
    }
}

}  // namespace

Bytes buildPacket(std::uint16_t operation, std::uint16_t sequence, std::uint8_t flags,
                  std::uint16_t result, std::span<const std::uint8_t> parameter) {
    Bytes packet;
    bytes::ByteWriter out(packet);
    out.u8(qdxa::kMagic0);
    out.u8(qdxa::kMagic1);
    out.u8(qdxa::kVersion);
    out.u8(flags);
    out.u16be(operation);
    out.u16be(sequence);
    out.u16be(static_cast<std::uint16_t>(parameter.size()));
    out.u32be(0);
    out.u32be(0);
    out.u16be(result);
    out.bytes(parameter);
    return packet;
}

Bytes encodeJobList(const std::vector<Job>& jobs) {
    Bytes data;
    bytes::ByteWriter out(data);
    for (const Job& job : jobs) {
        std::vector<std::uint16_t> inOrder;
        for (const auto& attribute : job.attributes) {
            inOrder.push_back(attribute.id);
        }
        writeAttributes(out, job.handle, job.attributes, inOrder);
    }
    return data;
}

Bytes clientJobBlock(const std::string& number) {
    Bytes block(kClientJobBlockSize, 0);
    const std::size_t length = std::min(number.size(), kClientJobNumberSize);
    std::copy_n(number.begin(), length, block.begin() + kClientJobNumberAt);
    return block;
}

std::vector<std::uint32_t> cancelRequests(const std::vector<Bytes>& requests) {
    std::vector<std::uint32_t> handles;
    for (const Bytes& packet : requests) {
        const auto request = parseRequest(packet);
        if (request && request->operation == qdxa::kOpCancelJob && request->parameter.size() >= 4) {
            handles.push_back(bytes::loadBE32(request->parameter.data()));
        }
    }
    return handles;
}

Bytes codedString(std::uint16_t code, const std::string& text) {
    Bytes value;
    bytes::ByteWriter out(value);
    out.u16be(code);
    out.u8(static_cast<std::uint8_t>(text.size()));
    out.bytes({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
    return value;
}

Bytes wireDate(std::uint32_t year, std::uint32_t month, std::uint32_t day, std::uint32_t weekday,
               std::uint32_t hour, std::uint32_t minute, std::uint32_t milliseconds) {
    Bytes value;
    bytes::ByteWriter out(value);
    out.u32be((year << 20) | (month << 16) | (day << 11) | (weekday << 8));
    out.u32be((hour << 24) | (minute << 16) | milliseconds);
    return value;
}

Bytes idList(const std::vector<std::uint32_t>& ids) {
    Bytes value;
    bytes::ByteWriter out(value);
    out.u16be(static_cast<std::uint16_t>(ids.size()));
    for (std::uint32_t id : ids) {
        out.u32be(id);
    }
    return value;
}

Bytes u16Value(std::uint16_t value) {
    Bytes bytes(2);
    bytes::storeBE16(bytes.data(), value);
    return bytes;
}

Bytes u32Value(std::uint32_t value) {
    Bytes bytes(4);
    bytes::storeBE32(bytes.data(), value);
    return bytes;
}

Responder::Responder() = default;

std::vector<Bytes> Responder::answer(std::span<const std::uint8_t> packet) {
    requests.emplace_back(packet.begin(), packet.end());
    const auto request = parseRequest(packet);
    if (!request) {
        return {};
    }
    ScriptStep step;
    if (!script_.empty()) {
        step = script_.front();
        script_.pop_front();
    }
    if (step.fault == ReplyFault::Silent) {
        return {};
    }
    const std::uint16_t sequence = step.fault == ReplyFault::OtherSequence
                                       ? static_cast<std::uint16_t>(request->sequence + 1)
                                       : request->sequence;
    const std::uint8_t validFlag =
        step.fault == ReplyFault::NoValidResult ? 0 : qdxa::kFlagResultValid;
    if (request->operation == qdxa::kOpAcquireResource && !step.overrideResult) {
        return answerAcquire(sequence, validFlag);
    }
    std::uint16_t result = qdxa::kResultSuccess;
    Bytes parameter = answerParameter(request->operation, request->parameter, result);
    for (const auto& filter : filters) {
        filter(request->operation, request->parameter, result, parameter);
    }
    if (step.overrideResult) {
        result = step.result;
    }
    return {buildPacket(request->operation, sequence, validFlag, result, parameter)};
}

std::vector<Bytes> Responder::answerAcquire(std::uint16_t sequence, std::uint8_t validFlag) {
    std::vector<Bytes> packets;
    std::size_t offset = 0;
    do {
        const std::size_t size = std::min(resourcePacketSize, resource.size() - offset);
        const bool last = offset + size >= resource.size();
        Bytes parameter = u32Value(static_cast<std::uint32_t>(offset));
        parameter.insert(parameter.end(), resource.begin() + static_cast<std::ptrdiff_t>(offset),
                         resource.begin() + static_cast<std::ptrdiff_t>(offset + size));
        packets.push_back(
            buildPacket(qdxa::kOpAcquireResource, sequence,
                        static_cast<std::uint8_t>(validFlag | (last ? 0 : qdxa::kFlagMore)),
                        qdxa::kResultSuccess, parameter));
        offset += size;
        if (resourceStalledParts != 0) {
            const Bytes emptyPart = u32Value(static_cast<std::uint32_t>(offset));
            for (std::size_t i = 0; i < resourceStalledParts; ++i) {
                packets.push_back(
                    buildPacket(qdxa::kOpAcquireResource, sequence,
                                static_cast<std::uint8_t>(validFlag | qdxa::kFlagMore),
                                qdxa::kResultSuccess, emptyPart));
            }
            break;
        }
    } while (offset < resource.size());
    return packets;
}

Bytes Responder::answerParameter(std::uint16_t operation, std::span<const std::uint8_t> parameter,
                                 std::uint16_t& result) {
    bytes::ByteReader in(parameter);
    Bytes reply;
    bytes::ByteWriter out(reply);
    switch (operation) {
        case qdxa::kOpEcho: {
            const std::string text(parameter.begin(), parameter.end());
            if (parameter.empty()) {
                out.u8(protocolVersion);
            } else if (text == kVersionTwoQuestion) {
                out.bytes({reinterpret_cast<const std::uint8_t*>(versionTwoAnswer.data()),
                           versionTwoAnswer.size()});
            } else {
                out.bytes(parameter);
            }
            break;
        }
        case qdxa::kOpReserve: {  // a loopback address of the kind asked for
            out.u16be(in.u16be().value_or(0));
            out.u32be(in.u32be().value_or(0));
            const std::uint16_t kind =
                in.u16be().value_or(kKindIPv4) == kKindIPv6 ? kKindIPv6 : kKindIPv4;
            out.u16be(kind);
            if (kind == kKindIPv4) {
                out.u8(6);
                out.bytes(std::vector<std::uint8_t>{127, 0, 0, 1});
            } else {
                out.u8(22);
                std::vector<std::uint8_t> loopback(16, 0);
                loopback[15] = 1;
                out.bytes(loopback);
                out.u32be(0);
            }
            out.u16be(reservedPort);
            break;
        }
        case qdxa::kOpUnreserve:
            out.bytes(parameter);
            break;
        case qdxa::kOpDelete:
        case qdxa::kOpCancelJob: {
            const std::uint32_t id = in.u32be().value_or(0);
            const auto found = std::find_if(jobs.begin(), jobs.end(),
                                            [&](const Job& job) { return job.handle == id; });
            if (found == jobs.end()) {
                result = qdxa::kResultUnknownObject;
            } else {
                jobs.erase(found);
            }
            out.u32be(id);
            break;
        }
        case qdxa::kOpPauseJob:
        case qdxa::kOpResumeJob:
            out.u32be(in.u32be().value_or(0));
            break;
        case qdxa::kOpPromoteJob:
            out.u32be(in.u32be().value_or(0));
            out.u32be(in.u32be().value_or(0));
            break;
        case qdxa::kOpExecuteMethod: {
            out.u32be(in.u32be().value_or(0));
            const std::uint16_t method = in.u16be().value_or(0);
            out.u16be(method);
            out.bytes(methodAnswers[method]);
            break;
        }
        case qdxa::kOpGet2: {
            in.u16be();
            skipAccess(in);
            const auto ids = readIds32(in);
            std::vector<std::uint16_t> wanted(in.u16be().value_or(0));
            for (auto& id : wanted) {
                id = in.u16be().value_or(0);
            }
            Bytes data;
            bytes::ByteWriter dataOut(data);
            std::uint16_t answered = 0;
            for (std::uint32_t id : ids) {
                const auto job = std::find_if(jobs.begin(), jobs.end(), [&](const Job& candidate) {
                    return candidate.handle == id;
                });
                if (job != jobs.end()) {
                    writeAttributes(dataOut, id, job->attributes, wanted);
                    ++answered;
                } else if (objects.count(id) != 0) {
                    writeAttributes(dataOut, id, objects[id], wanted);
                    ++answered;
                }
            }
            out.u16be(answered);
            out.bytes(data);
            break;
        }
        case qdxa::kOpSet2: {
            skipAccess(in);
            const std::uint32_t id = in.u32be().value_or(0);
            const std::uint16_t attribute = in.u16be().value_or(0);
            const auto value = in.take(in.remaining()).value_or(std::span<const std::uint8_t>());
            auto& list = objects[id];
            std::erase_if(list, [&](const Attribute& a) { return a.id == attribute; });
            list.push_back({attribute, Bytes(value.begin(), value.end())});
            out.u32be(id);
            out.u16be(attribute);
            break;
        }
        case qdxa::kOpGetListElement: {  // the whole value as one element
            in.skip(5);
            skipAccess(in);
            const std::uint32_t id = in.u32be().value_or(0);
            const std::uint16_t attribute = in.u16be().value_or(0);
            const Attribute* found = nullptr;
            for (const auto& candidate : objects[id]) {
                if (candidate.id == attribute) {
                    found = &candidate;
                }
            }
            out.u16be(0);
            out.u8(0);
            out.u32be(id);
            out.u16be(0);
            out.u16be(0);
            out.u16be(0);
            out.u16be(found != nullptr ? 1 : 0);
            if (found != nullptr) {
                out.bytes(found->value);
            }
            break;
        }
        case qdxa::kOpListObjects2: {
            in.skip(5);
            const std::uint16_t objectClass = in.u16be().value_or(0);
            const std::uint8_t selector = in.u8().value_or(0);
            const std::uint32_t parent = in.u32be().value_or(0);
            out.u16be(0);
            out.u8(0);
            out.u16be(objectClass);
            out.u8(selector);
            out.u32be(parent);
            out.u16be(0);
            out.u16be(0);
            std::vector<std::uint32_t> ids;
            if (objectClass == kJobClass) {
                for (const Job& job : jobs) {
                    ids.push_back(job.handle);
                }
            }
            out.bytes(idList(ids));
            break;
        }
        case qdxa::kOpListEx: {  // the attribute named by the list kind of the object
            in.skip(5);
            const std::uint32_t id = in.u32be().value_or(0);
            const std::uint16_t type = in.u16be().value_or(0);
            const std::uint16_t kind = in.u16be().value_or(0);
            out.u16be(0);
            out.u8(0);
            out.u32be(id);
            out.u16be(type);
            out.u16be(kind);
            for (int index = 0; index < 4; ++index) {
                out.u16be(0);
            }
            for (const auto& attribute : objects[id]) {
                if (attribute.id == kind) {
                    out.bytes(attribute.value);
                }
            }
            break;
        }
        case qdxa::kOpExecuteFile2:
            out.u32be(in.u32be().value_or(0));
            out.u32be(0);
            out.u8(0);
            break;
        case qdxa::kOpDeleteFiles:
            out.bytes(idList(readIds32(in)));
            break;
        case qdxa::kOpReplaceFiles:
            out.u32be(0);
            out.u16be(0);
            out.bytes(idList(readIds32(in)));
            break;
        case qdxa::kOpChangeFileBoxPassword:
            out.u32be(in.u32be().value_or(0));
            out.u8(0);
            break;
        default:
            result = qdxa::kResultUnknownObject;
            break;
    }
    return reply;
}

void setPrinterState(Responder& responder, PrinterState state) {
    // State, reason, no status codes, current code 0, and whether it can print.
    const Bytes idle = {3, 0, 0, 0, 0, 0, 0, 0};
    const Bytes offline = {5, 0, 0, 0, 0, 0, 0, 3};
    responder.objects[kPrinterObject] = {
        {kPrinterStateAttribute, state == PrinterState::Idle ? idle : offline}};
}

}  // namespace qdxa_test
