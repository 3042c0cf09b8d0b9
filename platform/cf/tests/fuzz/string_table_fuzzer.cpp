// String tables from outside: whatever parses holds only what a table can hold, and parsing the
// same text twice gives the same table.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "cf/string_table.h"
#include "support/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto table = cf::parseStringTable(text);
    if (!table) {
        return 0;
    }
    for (const auto& [key, value] : *table) {
        // An escape never decodes to more bytes than it takes in the text.
        testsupport::fuzzRequire(key.size() + value.size() <= size,
                                 "no entry grows beyond its text");
    }
    testsupport::fuzzRequire(cf::parseStringTable(text) == table, "parsing is repeatable");
    return 0;
}
