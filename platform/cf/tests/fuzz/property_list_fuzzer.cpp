// Property lists from outside, XML or binary: whatever parses must write back in both formats,
// and what was written must read back as the same value.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "cf/property_list.h"
#include "support/fuzz_check.h"
#include "support/fuzz_same_value.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    cf::Value value;
    if (cf::readPropertyList(std::span(data, size), value) != cf::PlistStatus::Ok) {
        return 0;
    }
    for (const auto format : {cf::PropertyListFormat::Xml, cf::PropertyListFormat::Binary}) {
        std::vector<std::uint8_t> written;
        if (cf::writePropertyList(value, format, written) != cf::PlistStatus::Ok) {
            continue;  // a kind that the writer refuses, e.g. an empty key
        }
        cf::Value reread;
        testsupport::fuzzRequire(cf::readPropertyList(written, reread) == cf::PlistStatus::Ok,
                                 "a list we wrote reads back");
        testsupport::fuzzRequire(testsupport::sameListValue(value, reread),
                                 "a list we wrote reads back unchanged");
    }
    return 0;
}
