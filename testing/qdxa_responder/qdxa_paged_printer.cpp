// Paged lists, cut Get2 answers and refused objects for the QDXA printer model.
#include "qdxa_paged_printer.h"

#include <algorithm>
#include <optional>

#include "bytes/byte_order.h"
#include "qdxa_protocol/codes.h"

namespace qdxa_test {
namespace {

constexpr std::uint8_t kStepStart = 1;
constexpr std::uint8_t kStepEnd = 4;
constexpr std::uint16_t kResultOK = 1;
constexpr std::uint16_t kResultMoreElements = 29;
constexpr std::uint16_t kResultMoreListEx = 4;
constexpr std::uint16_t kResultUnknownList = 8;
constexpr std::uint16_t kJobClass = 201;

/// The head of every list request: list handle, reply room and step.
struct ListHead {
    std::uint16_t listHandle = 0;
    std::uint8_t step = 0;
};

std::optional<ListHead> readListHead(bytes::ByteReader& in) {
    const auto listHandle = in.u16be();
    const bool room = in.skip(2);
    const auto step = in.u8();
    if (!listHandle || !room || !step) {
        return std::nullopt;
    }
    return ListHead{*listHandle, *step};
}

bool skipAccessBlock(bytes::ByteReader& in) {
    const bool kind = in.skip(1);
    const auto length = in.u8();
    return kind && length && in.skip(*length);
}

/// The wire size of one object of a Get2 answer at the reader, or nothing when it is cut short.
std::optional<std::size_t> get2ObjectSize(bytes::ByteReader in) {
    const std::size_t start = in.position();
    const bool id = in.skip(4);
    const auto attributes = in.u16be();
    if (!id || !attributes) {
        return std::nullopt;
    }
    for (std::uint16_t index = 0; index < *attributes; ++index) {
        const bool attribute = in.skip(2);
        const auto length = in.u16be();
        if (!attribute || !length || !in.skip(*length)) {
            return std::nullopt;
        }
    }
    return in.position() - start;
}

}  // namespace

PagedPrinter::PagedPrinter(Responder& responder) : responder_(responder) {
    responder_.filters.push_back(
        [this](std::uint16_t operation, std::span<const std::uint8_t> request,
               std::uint16_t& result,
               Bytes& parameter) { filter(operation, request, result, parameter); });
}

void PagedPrinter::filter(std::uint16_t operation, std::span<const std::uint8_t> request,
                          std::uint16_t& result, Bytes& parameter) {
    switch (operation) {
        case qdxa::kOpGetListElement:
            pageListElement(request, result, parameter);
            break;
        case qdxa::kOpListObjects2:
            pageObjects(request, result, parameter);
            break;
        case qdxa::kOpListEx:
            pageListEx(request, result, parameter);
            break;
        case qdxa::kOpGet2:
            refuseOrCutGet2(request, result, parameter);
            break;
        default:
            break;
    }
}

std::optional<PagedPrinter::Page> PagedPrinter::nextPage(std::uint16_t operation, std::uint8_t step,
                                                         std::uint16_t listHandle,
                                                         std::size_t size) {
    listRequests.push_back({operation, step, listHandle, std::chrono::steady_clock::now()});
    if (step == kStepEnd) {
        cursors_.erase(listHandle);
        return Page{};
    }
    if (step == kStepStart) {
        listHandle = nextHandle_++;
        cursors_[listHandle] = 0;
    }
    const auto cursor = cursors_.find(listHandle);
    if (cursor == cursors_.end()) {
        return std::nullopt;
    }
    Page page;
    page.first = std::min(cursor->second, size);
    page.count = std::min(pageSize, size - page.first);
    page.more = page.first + page.count < size;
    if (page.more) {
        cursor->second = page.first + page.count;
        page.listHandle = listHandle;
    } else {
        cursors_.erase(cursor);
    }
    return page;
}

std::optional<PagedPrinter::Page> PagedPrinter::beginPage(std::uint16_t operation,
                                                          std::uint8_t step,
                                                          std::uint16_t listHandle,
                                                          std::size_t size, std::uint16_t& result,
                                                          Bytes& parameter) {
    const auto page = nextPage(operation, step, listHandle, size);
    parameter.clear();
    if (!page) {
        result = kResultUnknownList;
        return std::nullopt;
    }
    // Every list reply starts with the list handle and one byte.
    bytes::ByteWriter out(parameter);
    out.u16be(page->listHandle);
    out.u8(0);
    return page;
}

void PagedPrinter::pageListElement(std::span<const std::uint8_t> request, std::uint16_t& result,
                                   Bytes& parameter) {
    bytes::ByteReader in(request);
    const auto head = readListHead(in);
    const bool access = skipAccessBlock(in);
    const auto object = in.u32be();
    const auto attribute = in.u16be();
    if (!head || !access || !object || !attribute) {
        return;
    }
    const auto list = listElements.find({*object, *attribute});
    if (list == listElements.end()) {
        return;
    }
    const auto page = beginPage(qdxa::kOpGetListElement, head->step, head->listHandle,
                                list->second.size(), result, parameter);
    if (!page) {
        return;
    }
    bytes::ByteWriter out(parameter);
    out.u32be(*object);
    for (int field = 0; field < 3; ++field) {
        out.u16be(0);
    }
    out.u16be(static_cast<std::uint16_t>(page->count));
    for (std::size_t index = page->first; index < page->first + page->count; ++index) {
        out.bytes(list->second[index]);
    }
    result = page->more ? kResultMoreElements : kResultOK;
}

void PagedPrinter::pageObjects(std::span<const std::uint8_t> request, std::uint16_t& result,
                               Bytes& parameter) {
    bytes::ByteReader in(request);
    const auto head = readListHead(in);
    const auto objectClass = in.u16be();
    const auto selector = in.u8();
    const auto parent = in.u32be();
    if (!head || !objectClass || !selector || !parent) {
        return;
    }
    std::vector<std::uint32_t> ids;
    if (const auto listed = classObjects.find(*objectClass); listed != classObjects.end()) {
        ids = listed->second;
    } else if (*objectClass == kJobClass) {
        for (const Job& job : responder_.jobs) {
            ids.push_back(job.handle);
        }
    } else {
        return;
    }
    const auto page = beginPage(qdxa::kOpListObjects2, head->step, head->listHandle, ids.size(),
                                result, parameter);
    if (!page) {
        return;
    }
    bytes::ByteWriter out(parameter);
    out.u16be(*objectClass);
    out.u8(*selector);
    out.u32be(*parent);
    out.u16be(0);
    out.u16be(0);
    out.bytes(idList({ids.begin() + static_cast<std::ptrdiff_t>(page->first),
                      ids.begin() + static_cast<std::ptrdiff_t>(page->first + page->count)}));
    result = page->more ? objectsMoreResult : kResultOK;
}

void PagedPrinter::pageListEx(std::span<const std::uint8_t> request, std::uint16_t& result,
                              Bytes& parameter) {
    bytes::ByteReader in(request);
    const auto head = readListHead(in);
    const auto object = in.u32be();
    const auto type = in.u16be();
    const auto kind = in.u16be();  // the 16-bit typed value
    if (!head || !object || !type || !kind) {
        return;
    }
    const auto list = extendedLists.find({*object, *kind});
    if (list == extendedLists.end()) {
        return;
    }
    const auto& elements = list->second.elements;
    const auto page = beginPage(qdxa::kOpListEx, head->step, head->listHandle, elements.size(),
                                result, parameter);
    if (!page) {
        return;
    }
    bytes::ByteWriter out(parameter);
    out.u32be(*object);
    out.u16be(*type);
    out.u16be(*kind);
    out.u16be(list->second.elementType);
    out.u16be(static_cast<std::uint16_t>(page->count));
    out.u16be(0);
    out.u16be(0);
    for (std::size_t index = page->first; index < page->first + page->count; ++index) {
        out.bytes(elements[index]);
    }
    result = page->more ? kResultMoreListEx : kResultOK;
}

void PagedPrinter::refuseOrCutGet2(std::span<const std::uint8_t> request, std::uint16_t& result,
                                   Bytes& parameter) {
    bytes::ByteReader in(request);
    const auto objectCount = in.skip(2) && skipAccessBlock(in) ? in.u16be() : std::nullopt;
    for (std::uint16_t index = 0; objectCount && index < *objectCount; ++index) {
        const auto id = in.u32be();
        if (id && refusedObjects.count(*id) != 0) {
            result = refusal;
            parameter.clear();
            return;
        }
    }
    if (get2ReplyRoom == 0 || result != kResultOK) {
        return;
    }
    // Keep the leading objects that fit the reply room.
    bytes::ByteReader answer(parameter);
    const auto answered = answer.u16be();
    std::size_t kept = 0;
    std::size_t bytesKept = 0;
    for (std::uint16_t index = 0; answered && index < *answered; ++index) {
        const auto size = get2ObjectSize(answer);
        if (!size || (kept > 0 && bytesKept + *size > get2ReplyRoom)) {
            break;
        }
        answer.skip(*size);
        bytesKept += *size;
        ++kept;
    }
    parameter.resize(2 + bytesKept);
    bytes::storeBE16(parameter.data(), static_cast<std::uint16_t>(kept));
}

}  // namespace qdxa_test
