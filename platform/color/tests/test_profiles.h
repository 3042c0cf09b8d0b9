// Profiles made with lcms2 for tests: a grey display profile, an RGB printer profile and a CMYK
// printer profile built from sampled tables; and the lcms2 `transicc` program as an oracle.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace color_test {

/// The standard profiles of the system's ICC folder.
inline const std::filesystem::path kSrgb = "/usr/share/color/icc/colord/sRGB.icc";
inline const std::filesystem::path kRgb1998 = "/usr/share/color/icc/colord/AdobeRGB1998.icc";

/// A grey display profile of gamma 2.2.
void writeGreyProfile(const std::filesystem::path& file, const std::string& description);
/// An RGB printer-class matrix profile (wide primaries, gamma 1.8).
void writeRgbPrinterProfile(const std::filesystem::path& file, const std::string& description);
/// A CMYK printer-class profile of sampled tables (a simple ink model with grey replacement).
void writeCmykPrinterProfile(const std::filesystem::path& file, const std::string& description);

/// An RGB printer-class profile holding no conversion at all: it opens, but no transform into
/// or out of it can be made.
void writeTablelessPrinterProfile(const std::filesystem::path& file,
                                  const std::string& description);

/// One `transicc` run: the profiles, the intents (0 perceptual, 1 relative, 2 saturation,
/// 3 absolute) and an optional proof profile.
struct Oracle {
    std::filesystem::path input;
    std::filesystem::path output;
    int intent = 0;
    std::optional<std::filesystem::path> proof;
    int proofIntent = 1;
};

/// `transicc`'s results for 8-bit pixels of `inputSamples` samples each, every sample scaled to
/// 0 ... 255 (its CMYK percentages are rescaled). Empty when the program fails.
std::vector<double> transiccResults(const Oracle& oracle, const std::vector<int>& pixels,
                                    int inputSamples, int outputSamples);
/// The same for samples between steps, which need not be whole.
std::vector<double> transiccResults(const Oracle& oracle, const std::vector<double>& pixels,
                                    int inputSamples, int outputSamples);

}  // namespace color_test
