// The monochrome gradation's gamma, shared by the print and the preview colour paths so that the
// two always agree.
#pragma once

#include <cstdint>

/// Gamma of a monochrome gradation code: codes 0 to 4 (the dialog's gradations 1 to 5) give 1.6,
/// 1.8, 2.0, 2.2 and 2.4, rising with the code; any other code gives the default 1.8.
double gradationGamma(std::int32_t code);

/// The gradation code of the dialog's gradation value 1 ... 5 (one less).
std::int32_t gradationCode(std::int32_t gradation);
