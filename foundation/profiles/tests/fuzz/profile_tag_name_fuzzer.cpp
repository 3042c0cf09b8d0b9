// Multi-localized elements from profile files: the first bytes choose the user's language and
// country, the rest is the element. Whatever is chosen is well-formed UTF-8 no longer than the
// element's strings allow.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "profiles/profile_tag_name.h"
#include "support/fuzz_check.h"
#include "support/fuzz_input.h"

namespace {

constexpr std::size_t kCodeSize = 2;

bool isUtf8(const std::string& text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead >> 5 == 6 ? 2 : lead >> 4 == 14 ? 3 : 4;
        if (i + length > text.size()) {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
                return false;
            }
        }
        i += length;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    testsupport::FuzzInput input(data, size);
    const auto language = input.take<std::array<char, kCodeSize>>();
    const auto country = input.take<std::array<char, kCodeSize>>();
    const auto element = input.rest();
    const auto name = GetProfileTagName(
        std::span(reinterpret_cast<const std::byte*>(element.data()), element.size()),
        std::string_view(language.data(), kCodeSize), std::string_view(country.data(), kCodeSize));
    if (name) {
        // Each UTF-16 unit of the element gives at most three bytes.
        testsupport::fuzzRequire(name->size() <= element.size() * 3 / 2, "name fits its element");
        testsupport::fuzzRequire(isUtf8(*name), "name is UTF-8");
    }
    return 0;
}
