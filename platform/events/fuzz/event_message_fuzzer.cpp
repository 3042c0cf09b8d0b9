// Event messages of any content: a message that decodes encodes back to the same bytes, so the
// decoder takes nothing it does not check and drops nothing it accepted.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "events/event_codec.h"
#include "support/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto event = events::decodeEvent({data, size});
    if (event) {
        const auto encoded = events::encodeEvent(*event);
        testsupport::fuzzRequire(
            encoded.size() == size && std::equal(encoded.begin(), encoded.end(), data),
            "a decoded message encodes back unchanged");
    }
    return 0;
}
