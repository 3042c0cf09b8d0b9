// The request engines fed printer answers of any content: attribute values, list elements,
// object ids and refusals come from the input. Byte 0 picks the engine, byte 1 the page size,
// byte 2 the printer's refusal code and byte 3 which objects and attributes it refuses; the
// rest is cut into pieces, each led by its length byte. Every engine must end, and the size it
// reports must be the bytes its handle holds.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz_printer.h"
#include "glue/glue_operations.h"
#include "support/fuzz_check.h"
#include "support/fuzz_input.h"

namespace {

using gluefuzz::Bytes;
using gluefuzz::FuzzPrinter;
using gluefuzz::kPrinter;

constexpr std::uint32_t kObjects[] = {kPrinter, kPrinter + 1, kPrinter + 2};
constexpr std::uint16_t kAttributes[] = {7, 8, 9};
constexpr std::uint16_t kListKind = 5;
constexpr std::uint16_t kFileBoxClass = 1002;
constexpr std::size_t kLargestPage = 8;

std::vector<Bytes> piecesOf(std::span<const std::uint8_t> rest) {
    std::vector<Bytes> pieces;
    while (!rest.empty()) {
        const std::size_t length = std::min<std::size_t>(rest[0], rest.size() - 1);
        pieces.emplace_back(rest.begin() + 1, rest.begin() + 1 + length);
        rest = rest.subspan(1 + length);
    }
    return pieces;
}

// The printer model answering from the pieces.
void script(FuzzPrinter& printer, const std::vector<Bytes>& pieces, std::uint8_t pageSize,
            std::uint8_t refusal, std::uint8_t refusals) {
    printer.paged.pageSize = 1 + pageSize % kLargestPage;
    printer.paged.refusal = refusal;
    printer.information.refusal = refusal;
    printer.paged.refusedObjects.clear();
    printer.information.refusedAttributes.clear();
    for (std::size_t index = 0; index < std::size(kObjects); ++index) {
        if (refusals & (1u << index)) {
            printer.paged.refusedObjects.insert(kObjects[index]);
        }
        if (refusals & (8u << index)) {
            printer.information.refusedAttributes.insert(kAttributes[index]);
        }
        for (std::size_t attribute = 0; attribute < std::size(kAttributes); ++attribute) {
            const std::size_t piece = index * std::size(kAttributes) + attribute;
            printer.setAttribute(kObjects[index], kAttributes[attribute],
                                 piece < pieces.size() ? pieces[piece] : Bytes{});
        }
    }
    printer.paged.listElements[{kPrinter, kAttributes[0]}] = pieces;
    std::vector<std::uint32_t> ids;
    for (const Bytes& piece : pieces) {
        ids.push_back(piece.empty() ? 0 : piece[0]);
    }
    printer.paged.classObjects[kFileBoxClass] = ids;
    printer.paged.extendedLists[{kPrinter, kListKind}] = {static_cast<std::uint16_t>(refusal),
                                                          pieces};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static FuzzPrinter printer;
    testsupport::FuzzInput input(data, size);
    const auto engine = input.take<std::uint8_t>();
    const auto pageSize = input.take<std::uint8_t>();
    const auto refusal = input.take<std::uint8_t>();
    const auto refusals = input.take<std::uint8_t>();
    script(printer, piecesOf(input.rest()), pageSize, refusal, refusals);

    WqsMemHandle* handle = Wqs_Mem_NewHandle(0);
    std::uint32_t delivered = 0;
    std::uint16_t count = 0;
    std::uint16_t elementType = 0;
    std::uint8_t methodFlags = 0;
    GlueSession* session = printer.session;
    switch (engine % 5) {
        case 0:
            glue_qdxaGet2_ForObjCount(session, std::size(kObjects), 1 + pageSize % 3, kObjects,
                                      std::size(kAttributes), kAttributes, handle, &delivered,
                                      &count);
            break;
        case 1:
            glue_qdxaGetListElement(session, kPrinter, kAttributes[0], handle, &delivered, &count);
            break;
        case 2:
            glue_qdxaListAttributesOpen2(session, kPrinter, std::size(kAttributes), kAttributes,
                                         handle, &delivered, &count, &methodFlags);
            break;
        case 3:
            glue_qdxaListObjects2(session, kFileBoxClass, 0, kPrinter, 0, handle, &delivered,
                                  &count);
            break;
        default:
            glue_qdxaListEx_ushort(session, kPrinter, kListKind, &elementType, handle, &delivered,
                                   &count);
            break;
    }
    testsupport::fuzzRequire(delivered <= handle->size, "the size reported is held by the handle");
    Wqs_Mem_DisposeHandle(handle);
    return 0;
}
