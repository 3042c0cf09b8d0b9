// Old paper list files from outside: a list is read only when the file holds every record its
// count claims, and gives at most that many papers, each with a name that fits its field.
#include <cstddef>
#include <cstdint>
#include <span>

#include "bytes/byte_order.h"
#include "support/fuzz_check.h"
#include "user_paper_conversion.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> file(data, size);
    const auto papers = readOldPaperList(file);
    if (!papers) {
        return 0;
    }
    testsupport::fuzzRequire(size >= kOldPaperCountSize, "the count was there");
    const auto count = static_cast<std::int16_t>(bytes::loadBE16(data));
    testsupport::fuzzRequire(count >= 0, "a negative count gives no list");
    testsupport::fuzzRequire(papers->size() <= static_cast<std::size_t>(count),
                             "at most one paper a record");
    testsupport::fuzzRequire(
        size - kOldPaperCountSize >= static_cast<std::size_t>(count) * sizeof(PaperIDRec),
        "every record was there");
    constexpr std::size_t kLongestName = 63 * 3;  // 63 legacy characters, each at most 3 in UTF-8
    for (const auto& paper : *papers) {
        testsupport::fuzzRequire(paper.name.size() <= kLongestName, "a name fits its field");
    }
    return 0;
}
