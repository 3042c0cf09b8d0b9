// File-list replies and refusals for the QDXA printer model.
#include "qdxa_control_printer.h"

#include <algorithm>

#include "bytes/byte_order.h"
#include "qdxa_protocol/codes.h"

namespace qdxa_test {
namespace {

// ReplaceFiles replies carry a 32-bit and a 16-bit value before the id list.
constexpr std::size_t kReplaceFilesPrefix = 6;

}  // namespace

ControlPrinter::ControlPrinter(Responder& responder) {
    responder.filters.push_back([this](std::uint16_t operation, std::span<const std::uint8_t>,
                                       std::uint16_t& result, Bytes& parameter) {
        if (operation == qdxa::kOpDeleteFiles || operation == qdxa::kOpReplaceFiles) {
            replaceFileList(operation, parameter);
        }
        if (const auto found = operationResults.find(operation); found != operationResults.end()) {
            result = found->second;
        }
    });
}

void ControlPrinter::replaceFileList(std::uint16_t operation, Bytes& parameter) const {
    if (!fileListReply) {
        return;
    }
    const std::size_t prefix = operation == qdxa::kOpReplaceFiles ? kReplaceFilesPrefix : 0;
    parameter.resize(std::min(prefix, parameter.size()));
    const Bytes ids = idList(*fileListReply);
    parameter.insert(parameter.end(), ids.begin(), ids.end());
}

}  // namespace qdxa_test
