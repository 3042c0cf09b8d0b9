// Printer behaviours that the protocol session operations meet, added to a QDXA printer model:
// lists delivered page by page under a list handle, Get2 answers cut to the reply room, and
// objects that the printer refuses to read.
#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <utility>
#include <vector>

#include "qdxa_protocol/codes.h"
#include "qdxa_responder.h"

namespace qdxa_test {

class PagedPrinter {
  public:
    /// Adds its reply filter to `responder`; both must outlive every request.
    explicit PagedPrinter(Responder& responder);
    PagedPrinter(const PagedPrinter&) = delete;
    PagedPrinter& operator=(const PagedPrinter&) = delete;

    /// Elements or ids per list reply.
    std::size_t pageSize = 2;

    /// GetListElement: the elements of an attribute, by object and attribute. Results: 29 while
    /// more follow, then 1.
    std::map<std::pair<std::uint32_t, std::uint16_t>, std::vector<Bytes>> listElements;

    /// ListObjects2: the objects of a class (class 201 without an entry: the model's jobs).
    /// Result `objectsMoreResult` while more follow, then 1.
    std::map<std::uint16_t, std::vector<std::uint32_t>> classObjects;
    std::uint16_t objectsMoreResult = 29;

    /// ListEx: the elements of a list kind, by object and kind. Results: 4 while more follow,
    /// then 1.
    struct ExtendedList {
        std::uint16_t elementType = 0;
        std::vector<Bytes> elements;
    };
    std::map<std::pair<std::uint32_t, std::uint16_t>, ExtendedList> extendedLists;

    /// A Get2 that names one of these objects is refused as a whole with `refusal`.
    std::set<std::uint32_t> refusedObjects;
    std::uint16_t refusal = qdxa::kResultAttributeRefused;
    /// When not 0: a Get2 answer holds only the leading objects whose attribute data fit these
    /// many bytes (at least one object).
    std::size_t get2ReplyRoom = 0;

    /// Every list request, in order of arrival.
    struct ListRequest {
        std::uint16_t operation = 0;  ///< 0x0067, 0x0072 or 0x0038
        std::uint8_t step = 0;        ///< 1 start, 3 continue, 4 end
        std::uint16_t listHandle = 0;
        std::chrono::steady_clock::time_point arrival;
    };
    std::vector<ListRequest> listRequests;

  private:
    /// One page of an open list.
    struct Page {
        std::uint16_t listHandle = 0;  ///< 0 once the list is done
        std::size_t first = 0;
        std::size_t count = 0;
        bool more = false;
    };

    void filter(std::uint16_t operation, std::span<const std::uint8_t> request,
                std::uint16_t& result, Bytes& parameter);
    void pageListElement(std::span<const std::uint8_t> request, std::uint16_t& result,
                         Bytes& parameter);
    void pageObjects(std::span<const std::uint8_t> request, std::uint16_t& result,
                     Bytes& parameter);
    void pageListEx(std::span<const std::uint8_t> request, std::uint16_t& result, Bytes& parameter);
    void refuseOrCutGet2(std::span<const std::uint8_t> request, std::uint16_t& result,
                         Bytes& parameter);
    /// Moves the list under `listHandle` (a new one for step 1) on by one page.
    std::optional<Page> nextPage(std::uint16_t operation, std::uint8_t step,
                                 std::uint16_t listHandle, std::size_t size);
    /// The next page, with the reply's parameter started (list handle and the byte after it);
    /// nothing, and an unknown-list result, for a handle that names no open list.
    std::optional<Page> beginPage(std::uint16_t operation, std::uint8_t step,
                                  std::uint16_t listHandle, std::size_t size, std::uint16_t& result,
                                  Bytes& parameter);

    Responder& responder_;
    std::map<std::uint16_t, std::size_t> cursors_;  ///< open lists: next element by handle
    std::uint16_t nextHandle_ = 0x100;
};

}  // namespace qdxa_test
