// A protocol session on the test printer whose QDXA printer model also keeps file boxes,
// answers file lists of its own and refuses operations on request.
#pragma once

#include <vector>

#include "qdxa_control_printer.h"
#include "qdxa_protocol/codes.h"
#include "qdxa_protocol/packet_header.h"
#include "query_printer.h"

namespace controltest {

using qdxa_test::Bytes;

/// Big-endian bytes of 32-bit values.
inline Bytes be32(std::initializer_list<std::uint32_t> values) {
    Bytes out;
    bytes::ByteWriter writer(out);
    for (std::uint32_t value : values) {
        writer.u32be(value);
    }
    return out;
}

class ControlPrinterTest : public querytest::QueryPrinter {
  protected:
    /// The one request of `operation` since the session opened; fails the test otherwise.
    Bytes onlyRequest(std::uint16_t operation) const {
        const auto found = requestsOf(operation);
        EXPECT_EQ(found.size(), 1u) << "operation " << operation;
        return found.empty() ? Bytes{} : found.front();
    }
    /// The ExecuteMethod inputs since the session opened for `method`.
    std::vector<Bytes> methodInputs(std::uint16_t method) const {
        std::vector<Bytes> inputs;
        for (const Bytes& request : methodRequests(method)) {
            inputs.push_back(querytest::methodInputOf(request));
        }
        return inputs;
    }

    qdxa_test::ControlPrinter control{responder};
};

}  // namespace controltest
