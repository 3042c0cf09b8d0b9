// Property lists from outside, XML or binary: whatever parses must write back in both formats.
// What was written in binary must read back as the same value; what was written in XML reads
// back too, and writes again as the same bytes (XML drops the characters it cannot hold from
// strings, so a string may come back shorter, but only once).
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
        if (format == cf::PropertyListFormat::Binary) {
            testsupport::fuzzRequire(testsupport::sameListValue(value, reread),
                                     "a binary list we wrote reads back unchanged");
            continue;
        }
        std::vector<std::uint8_t> rewritten;
        testsupport::fuzzRequire(
            cf::writePropertyList(reread, format, rewritten) == cf::PlistStatus::Ok,
            "an XML list we read back writes again");
        cf::Value rereadAgain;
        testsupport::fuzzRequire(
            cf::readPropertyList(rewritten, rereadAgain) == cf::PlistStatus::Ok &&
                testsupport::sameListValue(reread, rereadAgain),
            "an XML list we wrote reads back unchanged once it holds only what XML can");
    }
    return 0;
}
