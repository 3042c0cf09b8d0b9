// Old paper list files from outside: a list is read only when the file holds every record its
// count claims, and gives at most that many papers, each with a name that fits its field. The
// list accessors read only the whole records (and custom id entries) the bytes hold, and their
// positions, ids and kinds agree.
#include <cstddef>
#include <cstdint>
#include <span>

#include "bytes/byte_order.h"
#include "paper_list.h"
#include "support/fuzz_check.h"
#include "user_paper_conversion.h"

namespace {

// Positions checked one by one; the accessors of a kind walk the list for each.
constexpr std::int16_t kPositionsChecked = 64;

void checkPaperKind(OldList list, std::int16_t kind) {
    const std::int16_t count = PaperID_GetCount(list, kind);
    testsupport::fuzzRequire(count >= 0 && count <= PaperID_GetCount(list, kPaperKindAll),
                             "a kind admits at most every record");
    testsupport::fuzzRequire(!PaperID_Get(list, static_cast<std::int16_t>(count + 1), kind),
                             "no record past the count");
    for (std::int16_t position = 1; position <= count && position <= kPositionsChecked;
         ++position) {
        const auto record = PaperID_Get(list, position, kind);
        testsupport::fuzzRequire(record.has_value(), "every position up to the count");
        const auto id = static_cast<std::int16_t>(bytes::loadBE16(record->paperID));
        const std::int16_t index = PaperID_GetIndex(list, id, kind);
        testsupport::fuzzRequire(index >= 1 && index <= position,
                                 "an id is found at its position or before");
        testsupport::fuzzRequire(PaperID_IDGet(list, id).has_value(), "an id listed is found");
    }
}

void checkCustomIDs(OldList list) {
    const std::int16_t count = CustomID_GetCount(list);
    const std::size_t room = list.size() < kOldListCountSize
                                 ? 0
                                 : (list.size() - kOldListCountSize) / kCustomIDEntrySize;
    testsupport::fuzzRequire(count >= 0 && static_cast<std::size_t>(count) <= room,
                             "only the entries the bytes hold");
    testsupport::fuzzRequire(count == 0 || CustomID_Get(list, count).has_value(),
                             "the last entry is there");
    testsupport::fuzzRequire(!CustomID_Get(list, static_cast<std::int16_t>(count + 1)),
                             "no entry past the count");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> file(data, size);
    for (const std::int16_t kind : {kPaperKindAll, kPaperKindFlag1, kPaperKindWithoutFlag8}) {
        checkPaperKind(file, kind);
    }
    checkCustomIDs(file);

    const auto papers = readOldPaperList(file);
    if (!papers) {
        return 0;
    }
    testsupport::fuzzRequire(size >= kOldListCountSize, "the count was there");
    const auto count = static_cast<std::int16_t>(bytes::loadBE16(data));
    testsupport::fuzzRequire(count >= 0, "a negative count gives no list");
    testsupport::fuzzRequire(papers->size() <= static_cast<std::size_t>(count),
                             "at most one paper a record");
    testsupport::fuzzRequire(
        size - kOldListCountSize >= static_cast<std::size_t>(count) * sizeof(PaperIDRec),
        "every record was there");
    constexpr std::size_t kLongestName = 63 * 3;  // 63 legacy characters, each at most 3 in UTF-8
    for (const auto& paper : *papers) {
        testsupport::fuzzRequire(paper.name.size() <= kLongestName, "a name fits its field");
    }
    return 0;
}
