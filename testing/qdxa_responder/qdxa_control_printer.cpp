// File boxes, file-list replies and refusals for the QDXA printer model.
#include "qdxa_control_printer.h"

#include <algorithm>

#include "bytes/byte_order.h"

namespace qdxa_test {
namespace {

constexpr std::uint16_t kOpListObjects2 = 0x0072;
constexpr std::uint16_t kOpDeleteFiles = 0x005F;
constexpr std::uint16_t kOpReplaceFiles = 0x0061;
constexpr std::uint16_t kFileBoxClass = 1002;
constexpr std::uint8_t kSelectorFileBoxes = 23;
// ReplaceFiles replies carry a 32-bit and a 16-bit value before the id list.
constexpr std::size_t kReplaceFilesPrefix = 6;

}  // namespace

ControlPrinter::ControlPrinter(Responder& responder) {
    responder.filters.push_back([this](std::uint16_t operation,
                                       std::span<const std::uint8_t> request, std::uint16_t& result,
                                       Bytes& parameter) {
        if (operation == kOpListObjects2)
            listFileBoxes(request, result, parameter);
        if (operation == kOpDeleteFiles || operation == kOpReplaceFiles) {
            replaceFileList(operation, parameter);
        }
        if (const auto found = operationResults.find(operation); found != operationResults.end()) {
            result = found->second;
        }
    });
}

void ControlPrinter::listFileBoxes(std::span<const std::uint8_t> request, std::uint16_t& result,
                                   Bytes& parameter) const {
    // List handle, reply room, step, class, selector, parent.
    bytes::ByteReader in(request);
    in.skip(5);
    const auto objectClass = in.u16be();
    const auto selector = in.u8();
    const auto parent = in.u32be();
    if (!parent || *objectClass != kFileBoxClass || *selector != kSelectorFileBoxes) {
        return;
    }
    Bytes reply;
    bytes::ByteWriter out(reply);
    out.u16be(0);  // no list handle: every id in this reply
    out.u8(0);
    out.u16be(*objectClass);
    out.u8(*selector);
    out.u32be(*parent);
    out.u16be(0);
    out.u16be(0);
    out.bytes(idList(fileBoxes));
    parameter = reply;
    result = 1;
}

void ControlPrinter::replaceFileList(std::uint16_t operation, Bytes& parameter) const {
    if (!fileListReply) {
        return;
    }
    const std::size_t prefix = operation == kOpReplaceFiles ? kReplaceFilesPrefix : 0;
    parameter.resize(std::min(prefix, parameter.size()));
    const Bytes ids = idList(*fileListReply);
    parameter.insert(parameter.end(), ids.begin(), ids.end());
}

}  // namespace qdxa_test
