// A media database framework whose fill fails: it names a size for every database and then
// delivers nothing, as a file that changed or vanished between the two reads would.
#include <cstdint>

namespace {
constexpr std::int32_t kNamedSize = 4096;
}  // namespace

extern "C" __attribute__((visibility("default"))) std::int32_t mdb3GetMediaData(
    const char* path, std::uint8_t* buffer) {
    if (path == nullptr) {
        return 0;
    }
    return buffer == nullptr ? kNamedSize : 0;
}
