// A protocol session on the test printer whose QDXA printer model also answers the
// information queries: input-dependent method answers, refused attributes and file boxes.
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "glue_printer.h"
#include "qdxa_information_printer.h"
#include "qdxa_protocol/codes.h"
#include "qdxa_protocol/packet_header.h"

namespace querytest {

using qdxa_test::Bytes;
using qdxa_test::codedString;
using qdxa_test::u16Value;
using qdxa_test::u32Value;

/// The input bytes of an ExecuteMethod request and its method id.
inline std::uint16_t methodOf(const Bytes& packet) {
    return bytes::loadBE16(packet.data() + qdxa::kHeaderSize + 4);
}
inline Bytes methodInputOf(const Bytes& packet) {
    return {packet.begin() + qdxa::kHeaderSize + 6, packet.end()};
}

/// A length-prefixed string as bytes.
inline Bytes pascal(const std::string& text) {
    Bytes out{static_cast<std::uint8_t>(text.size())};
    out.insert(out.end(), text.begin(), text.end());
    return out;
}
inline std::string textOf(const std::uint8_t* string) {
    return {reinterpret_cast<const char*>(string + 1), string[0]};
}

/// One entry of the tray attribute: id, two bytes, name, value A, kinds, value B, value C.
inline Bytes trayEntry(std::uint8_t id, const std::string& name, std::uint8_t valueA,
                       const Bytes& kinds, std::uint8_t valueB, std::uint32_t valueC) {
    Bytes entry{id, 0, 0};
    bytes::ByteWriter out(entry);
    out.bytes(pascal(name));
    out.u8(valueA);
    out.u8(static_cast<std::uint8_t>(kinds.size()));
    out.bytes(kinds);
    out.u8(valueB);
    out.u32be(valueC);
    return entry;
}

/// A count byte, then the entries.
inline Bytes counted(const std::vector<Bytes>& entries) {
    Bytes value{static_cast<std::uint8_t>(entries.size())};
    for (const Bytes& entry : entries) {
        value.insert(value.end(), entry.begin(), entry.end());
    }
    return value;
}

class QueryPrinter : public gluetest::GluePrinter {
  protected:
    /// Sets attribute `id` of `object` to `value`, replacing an earlier value.
    void setAttribute(std::uint32_t object, std::uint16_t id, Bytes value) {
        auto& list = responder.objects[object];
        std::erase_if(list, [&](const qdxa_test::Attribute& a) { return a.id == id; });
        list.push_back({id, std::move(value)});
    }
    /// A job with status codes 7 and 8 and documents `document` and `document` + 1; the first
    /// document has its medium (9, 0x1234), its media (3, 4, 5, 6), roll width 0x2410 and
    /// extended medium id (0x102, 3, 4, 5).
    void addJobWithDocument(std::uint32_t job, std::uint32_t document) {
        responder.jobs = {{job,
                           {{283, {3, 0, 0, 2, 0, 0, 0, 7, 0, 0, 0, 8}},
                            {2027, qdxa_test::idList({document, document + 1})}}}};
        responder.objects[document] = {{2029, {3, 0, 4, 0, 0, 0, 5, 0, 0, 0, 6}},
                                       {2214, {9, 0x12, 0x34}},
                                       {2410, u16Value(0x2410)},
                                       {2435, {0, 0, 1, 2, 0, 3, 0, 4, 5}}};
    }
    /// The ExecuteMethod requests since the session opened for `method`.
    std::vector<Bytes> methodRequests(std::uint16_t method) const {
        std::vector<Bytes> found;
        for (const Bytes& request : requestsOf(qdxa::kOpExecuteMethod)) {
            if (methodOf(request) == method) {
                found.push_back(request);
            }
        }
        return found;
    }

    qdxa_test::InformationPrinter information{responder};
};

/// A handle disposed at the end of a test.
struct Handle {
    Handle() : handle(Wqs_Mem_NewHandle(1)) {}
    ~Handle() { Wqs_Mem_DisposeHandle(handle); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    std::uint32_t value(std::uint32_t index) const {
        std::uint32_t out = 0;
        std::memcpy(&out, handle->data + 4 * index, 4);
        return out;
    }
    WqsMemHandle* handle;
};

}  // namespace querytest
