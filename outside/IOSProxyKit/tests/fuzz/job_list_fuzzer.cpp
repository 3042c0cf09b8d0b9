// Job lists of any content: every whole word is an id, and the ids encode back to those words.
#include <cstddef>
#include <cstdint>

#include "spool_folder.h"
#include "support/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto ids = spool::parseJobList({data, size});
    testsupport::fuzzRequire(ids.size() == size / 4, "one id per whole word");
    const auto encoded = spool::encodeJobList(ids);
    testsupport::fuzzRequire(encoded.size() == size / 4 * 4, "the words come back");
    for (std::size_t i = 0; i < encoded.size(); ++i) {
        testsupport::fuzzRequire(encoded[i] == data[i], "the words come back unchanged");
    }
    return 0;
}
