// Old history files from outside: the lists hold at most one entry per record, each with its
// settings, and only records that name a list.
#include <cstddef>
#include <cstdint>
#include <span>

#include "bytes/byte_order.h"
#include "job_conversion.h"
#include "support/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto lists = readOldJobFile(std::span(data, size));
    if (!lists) {
        return 0;
    }
    const auto count = static_cast<std::int16_t>(bytes::loadBE16(data));
    testsupport::fuzzRequire(count >= 0, "a negative count gives no lists");
    testsupport::fuzzRequire(lists->history.entries.size() <= static_cast<std::size_t>(count) &&
                                 lists->favorites.entries.size() <= static_cast<std::size_t>(count),
                             "at most one entry a record in each list");
    for (const auto* list : {&lists->history, &lists->favorites}) {
        for (const auto& entry : list->entries) {
            testsupport::fuzzRequire(entry.settings.has_value(), "every entry has its settings");
        }
    }
    testsupport::fuzzRequire(!lists->history.entries.empty() || !lists->history.jobDate,
                             "an empty history has no date");
    return 0;
}
