// Input-dependent method answers, refused attributes and file boxes for the QDXA printer model.
#include "qdxa_information_printer.h"

#include <algorithm>

#include "bytes/byte_order.h"
#include "qdxa_protocol/codes.h"

namespace qdxa_test {
namespace {

constexpr std::uint16_t kFileClass = 201;
constexpr std::uint8_t kSelectorFilesOfBox = 20;

}  // namespace

InformationPrinter::InformationPrinter(Responder& responder) {
    responder.filters.push_back([this](std::uint16_t operation,
                                       std::span<const std::uint8_t> request, std::uint16_t& result,
                                       Bytes& parameter) {
        switch (operation) {
            case qdxa::kOpExecuteMethod:
                answerMethod(request, result, parameter);
                break;
            case qdxa::kOpGet2:
                refuseGet2(request, result, parameter);
                break;
            case qdxa::kOpGetListElement:
                refuseListElement(request, result, parameter);
                break;
            case qdxa::kOpListObjects2:
                listBoxFiles(request, result, parameter);
                break;
            default:
                break;
        }
    });
}

void InformationPrinter::answerMethod(std::span<const std::uint8_t> request, std::uint16_t& result,
                                      Bytes& parameter) {
    if (request.size() < 6) {
        return;
    }
    const std::uint16_t method = bytes::loadBE16(request.data() + 4);
    const Bytes input(request.begin() + 6, request.end());
    if (const auto found = methodAnswersByInput.find({method, input});
        found != methodAnswersByInput.end()) {
        parameter.resize(6);
        parameter.insert(parameter.end(), found->second.begin(), found->second.end());
    }
    if (const auto found = methodResults.find(method); found != methodResults.end()) {
        result = found->second;
    }
}

void InformationPrinter::refuseGet2(std::span<const std::uint8_t> request, std::uint16_t& result,
                                    Bytes& parameter) {
    bytes::ByteReader in(request);
    in.skip(2);
    in.skip(1);
    const auto accessLength = in.u8();
    if (!accessLength || !in.skip(*accessLength)) {
        return;
    }
    const std::uint16_t objects = in.u16be().value_or(0);
    if (!in.skip(4u * objects)) {
        return;
    }
    const std::uint16_t attributes = in.u16be().value_or(0);
    for (std::uint16_t index = 0; index < attributes; ++index) {
        const auto attribute = in.u16be();
        if (attribute && refusedAttributes.count(*attribute) != 0) {
            result = refusal;
            parameter.clear();
            return;
        }
    }
}

void InformationPrinter::refuseListElement(std::span<const std::uint8_t> request,
                                           std::uint16_t& result, Bytes& parameter) {
    // List handle, reply room, step, access block, object, attribute.
    bytes::ByteReader in(request);
    in.skip(6);
    const auto accessLength = in.u8();
    if (!accessLength || !in.skip(*accessLength + 4u)) {
        return;
    }
    const auto attribute = in.u16be();
    if (attribute && refusedAttributes.count(*attribute) != 0) {
        result = refusal;
        parameter.clear();
    }
}

void InformationPrinter::listBoxFiles(std::span<const std::uint8_t> request, std::uint16_t& result,
                                      Bytes& parameter) {
    // List handle, reply room, step, class, selector, parent.
    bytes::ByteReader in(request);
    in.skip(5);
    const auto objectClass = in.u16be();
    const auto selector = in.u8();
    const auto parent = in.u32be();
    if (!parent || *objectClass != kFileClass || *selector != kSelectorFilesOfBox) {
        return;
    }
    if (emptyBoxes.count(*parent) != 0) {
        result = emptyResult;
        parameter.clear();
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
    out.bytes(idList(boxFiles[*parent]));
    parameter = reply;
    result = 1;
}

}  // namespace qdxa_test
