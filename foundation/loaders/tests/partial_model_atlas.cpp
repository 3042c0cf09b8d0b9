// A model-information bundle that exports one function of the interface, so that the others
// take the "export missing" path.
#include <cstdint>

namespace {
constexpr std::int32_t kA4 = 1;
constexpr std::int32_t kA4Width = 2100;
constexpr std::int32_t kA4Height = 2970;
}  // namespace

extern "C" __attribute__((visibility("default"))) std::uint8_t GetPaperSizeInfo(
    std::int32_t paperSizeID, std::int32_t* width, std::int32_t* height) {
    if (paperSizeID != kA4 || width == nullptr || height == nullptr) {
        return 0;
    }
    *width = kA4Width;
    *height = kA4Height;
    return 1;
}
