// The framework's readers of media-database bytes: parts cut from a table that states its own
// length, conversion parts, and curve parts turned into grey tables. No reader may read past
// what it was given, and a part that is cut is cut whole.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "medab2/table_parts.h"
#include "support/fuzz_check.h"
#include "support/fuzz_input.h"
#include "tonara2/tonara2.h"

namespace {

constexpr const char* kNames[] = {"x_std", "x_08", "h_mono_photo", "h_srgb_per", ""};
constexpr std::uint8_t kReaders = 3;

void cutParts(const std::vector<std::uint8_t>& table) {
    // The media database hands out only tables that state their own length.
    if (table.size() < medab2::kPartsHeadBytes ||
        medab2::declaredTableLength(table.data()) > table.size()) {
        return;
    }
    for (const char* name : kNames) {
        const std::uint32_t size = tnr2_log(table.data(), nullptr, name);
        testsupport::fuzzRequire(size <= table.size(), "a part lies inside its table");
        if (size != 0) {
            std::vector<std::uint8_t> part(size);
            testsupport::fuzzRequire(tnr2_log(table.data(), part.data(), name) == size,
                                     "the fill call cuts what the size call measured");
        }
    }
}

void readConversion(const std::vector<std::uint8_t>& part) {
    // The size call reads the part alone; making the object would open profiles.
    const std::uint32_t size = tnr2_create_csc1(static_cast<std::uint32_t>(part.size()),
                                                part.data(), kTnr2Hint16Bit, nullptr);
    testsupport::fuzzRequire(size == 0 || part.size() > 8, "a conversion part names a profile");
}

void makeGreyTable(const std::vector<std::uint8_t>& curve) {
    static std::vector<std::uint64_t> monochrome = [] {
        std::vector<std::uint64_t> object(
            (tnr2_create_monochrome(0, 0, 0, 0, 0, 0, 2.2, 0, 0, nullptr) + 7) / 8);
        tnr2_create_monochrome(0, 0, 0, 0, 0, 0, 2.2, 0, 0, object.data());
        return object;
    }();
    const auto length = static_cast<std::uint32_t>(curve.size());
    const std::uint32_t size =
        tnr2_gen_monochrome_table2(monochrome.data(), curve.data(), length, nullptr, 0);
    if (size != 0) {
        std::vector<std::uint8_t> table(size);
        testsupport::fuzzRequire(tnr2_gen_monochrome_table2(monochrome.data(), curve.data(), length,
                                                            table.data(), 1) == size,
                                 "the fill call writes what the size call measured");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    testsupport::FuzzInput input(data, size);
    const auto reader = static_cast<std::uint8_t>(input.take<std::uint8_t>() % kReaders);
    // A copy of exactly the bytes given, so that the sanitizer sees any read past them.
    const std::vector<std::uint8_t> bytes(input.rest().begin(), input.rest().end());
    if (reader == 0) {
        cutParts(bytes);
    } else if (reader == 1) {
        readConversion(bytes);
    } else {
        makeGreyTable(bytes);
    }
    return 0;
}
