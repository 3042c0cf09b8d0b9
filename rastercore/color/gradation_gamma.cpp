#include "color/gradation_gamma.h"

#include <array>

namespace {

constexpr std::array<double, 5> kGammaByCode = {1.6, 1.8, 2.0, 2.2, 2.4};
constexpr double kDefaultGamma = 1.8;

}  // namespace

double gradationGamma(std::int32_t code) {
    return code >= 0 && code < static_cast<std::int32_t>(kGammaByCode.size())
               ? kGammaByCode[static_cast<std::size_t>(code)]
               : kDefaultGamma;
}

std::int32_t gradationCode(std::int32_t gradation) {
    return gradation - 1;
}
