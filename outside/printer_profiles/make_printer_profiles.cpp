// Writes the printer driver's RGB printer profiles, one per medium, at build time.
//
// usage: make_printer_profiles OUTPUT_FOLDER FILE_NAME...
//
// Each profile describes an ink-jet printer driven with RGB: every device channel lays down its
// complementary ink (red: cyan, green: magenta, blue: yellow) with dot gain, the inks absorb
// light as densities that add up, and the paper has a white of its own and a deepest black. The
// medium's paper comes from its file name, so that every medium's profile is its own and the
// same on every build. The tables are media-relative (paper white is the connection space's
// white); the paper's own white is the media white point, which absolute colorimetry uses.
// Perceptual tables compress lightness onto the paper's black and chroma into the gamut,
// saturation tables push chroma outwards, colorimetric tables clip.
#include <lcms2.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

#include "profile_writer.h"

namespace {

using profile_matrix::inverse;
using profile_matrix::Matrix;
using profile_matrix::multiply;
using profile_matrix::transposed;
using profile_matrix::Vector;
using profile_writer::kMax16;
using profile_writer::labOf;
using profile_writer::xyzOf;

constexpr int kDeviceGrid = 17;  // device to connection space
constexpr int kLabGrid = 25;     // connection space to device
constexpr double kPerceptualChroma = 0.85;
constexpr double kSaturationChroma = 1.12;
constexpr double kLightnessMax = 100.0;
constexpr double kGamutSlack = 1e-4;        // coverage rounding that still counts as printable
constexpr int kGamutSearchSteps = 24;       // halvings of the chroma factor
constexpr double kChromaSearchReach = 8.0;  // the gamut edge is looked for up to 8 x the chroma
constexpr double kChromaEase = 0.15;        // the last 15 % of chroma before the edge is eased
constexpr double kLightnessEase = 4.0;      // L* above the printer's black that is eased

// Densities of the three inks (rows: cyan, magenta, yellow) in the red, green and blue thirds of
// the spectrum; the off-diagonal terms are the inks' impurities.
constexpr Matrix kInkDensity = {{{1.55, 0.32, 0.10}, {0.14, 1.45, 0.30}, {0.03, 0.10, 1.25}}};

// Linear light of a wide-gamut RGB with a D50 white to XYZ (D50).
constexpr Matrix kLinearToXyz = {
    {{0.7977, 0.1352, 0.0313}, {0.2880, 0.7119, 0.0001}, {0.0000, 0.0000, 0.8249}}};

// The paper and the press of one medium.
struct Paper {
    double blackReflectance;  // light the densest ink layer still returns
    double dotGain;           // ink coverage = amount ^ (1 / dotGain)
    double whiteTemperature;  // K, the paper's own white under the viewing light
};

// FNV-1a: the same name always gives the same paper.
std::uint32_t hashOf(const std::string& text) {
    std::uint32_t hash = 2166136261U;
    for (const unsigned char c : text) {
        hash = (hash ^ c) * 16777619U;
    }
    return hash;
}

double share(std::uint32_t hash, int shift) {
    return ((hash >> shift) & 0xFF) / 255.0;
}

Paper paperOf(const std::string& name) {
    const std::uint32_t hash = hashOf(name);
    return {0.008 + 0.02 * share(hash, 0), 1.25 + 0.45 * share(hash, 8),
            4800.0 + 1600.0 * share(hash, 16)};
}

// x held above `low` smoothly: unchanged down to the knee (`band` above the limit), then
// approaching the limit without passing it.
double easedAbove(double x, double low, double band) {
    const double knee = low + band;
    return x < knee ? knee - band * std::tanh((knee - x) / band) : x;
}

// x held below `high` the same way.
double easedBelow(double x, double high, double band) {
    return -easedAbove(-x, -high, band);
}

class PrinterModel {
  public:
    explicit PrinterModel(const Paper& paper)
        : paper_(paper),
          densityToInk_(inverse(transposed(kInkDensity))),
          xyzToLinear_(inverse(kLinearToXyz)) {
        black_ = labOf(deviceToXyz({0, 0, 0}));
    }

    // Device RGB (0 ... 1) to media-relative XYZ.
    Vector deviceToXyz(const Vector& rgb) const {
        Vector density{};
        for (int ink = 0; ink < 3; ++ink) {
            const double coverage = std::pow(1.0 - rgb[ink], 1.0 / paper_.dotGain);
            for (int band = 0; band < 3; ++band) {
                density[band] += coverage * kInkDensity[ink][band];
            }
        }
        Vector light{};
        for (int band = 0; band < 3; ++band) {
            light[band] = paper_.blackReflectance +
                          (1.0 - paper_.blackReflectance) * std::pow(10.0, -density[band]);
        }
        return multiply(kLinearToXyz, light);
    }

    // The ink coverages (0 ... 1 when printable) that give media-relative XYZ; false when
    // the colour asks for more light than the paper returns.
    bool coverageOf(const Vector& xyz, Vector& coverage) const {
        const Vector light = multiply(xyzToLinear_, xyz);
        Vector density{};
        for (int band = 0; band < 3; ++band) {
            const double reflectance =
                (light[band] - paper_.blackReflectance) / (1.0 - paper_.blackReflectance);
            if (reflectance <= 0.0) {
                return false;
            }
            density[band] = -std::log10(reflectance);
        }
        coverage = multiply(densityToInk_, density);
        return true;
    }

    bool printable(const cmsCIELab& lab) const {
        Vector coverage{};
        if (!coverageOf(xyzOf(lab), coverage)) {
            return false;
        }
        return std::all_of(coverage.begin(), coverage.end(),
                           [](double c) { return c >= -kGamutSlack && c <= 1.0 + kGamutSlack; });
    }

    // Device RGB of a colour. Its lightness is first held within the paper's range (eased
    // towards the printer's black, cut at paper white, which the paper itself must print), then
    // its chroma (its distance from the printer's grey axis, the line from paper white to the
    // printer's black) eased into the gamut: colours well inside stay as they are, colours near
    // and beyond the edge are pressed smoothly towards it, so that the tables have few kinks
    // for interpolation to blur.
    Vector labToDevice(cmsCIELab lab) const {
        lab.L = std::min(easedAbove(lab.L, black_.L, kLightnessEase), kLightnessMax);
        const double share = (kLightnessMax - lab.L) / (kLightnessMax - black_.L);
        const double axisA = share * black_.a, axisB = share * black_.b;
        const auto along = [&](double factor) {
            return cmsCIELab{lab.L, axisA + (lab.a - axisA) * factor,
                             axisB + (lab.b - axisB) * factor};
        };
        // The edge of the gamut on the ray from the axis through the colour, as a factor of the
        // colour's own chroma (beyond 1 when the colour lies inside).
        double inside = 0.0, outside = kChromaSearchReach;
        for (int step = 0; step < kGamutSearchSteps; ++step) {
            const double middle = (inside + outside) / 2;
            (printable(along(middle)) ? inside : outside) = middle;
        }
        lab = along(easedBelow(1.0, inside, inside * kChromaEase));
        Vector coverage{};
        coverageOf(xyzOf(lab), coverage);
        Vector rgb{};
        for (int ink = 0; ink < 3; ++ink) {
            const double amount = std::pow(std::clamp(coverage[ink], 0.0, 1.0), paper_.dotGain);
            rgb[ink] = 1.0 - amount;
        }
        return rgb;
    }

    /// The deepest black the inks print on this paper.
    const cmsCIELab& black() const { return black_; }

  private:
    Paper paper_;
    Matrix densityToInk_;
    Matrix xyzToLinear_;
    cmsCIELab black_{};
};

enum class Rendering { Perceptual, Colorimetric, Saturation };

struct Sampling {
    const PrinterModel* model;
    Rendering rendering;
};

// Perceptual rendering squeezes the connection space's lightness onto the paper's range, narrows
// chroma, and leans the darkest colours towards the cast of the printer's own black, so that the
// connection space's black lands on it.
cmsCIELab perceptualToPrint(cmsCIELab lab, const cmsCIELab& black) {
    const double darkness = 1.0 - lab.L / kLightnessMax;
    lab.L = black.L + lab.L * (kLightnessMax - black.L) / kLightnessMax;
    lab.a = lab.a * kPerceptualChroma + darkness * black.a;
    lab.b = lab.b * kPerceptualChroma + darkness * black.b;
    return lab;
}

cmsCIELab printToPerceptual(cmsCIELab lab, const cmsCIELab& black) {
    lab.L = (lab.L - black.L) * kLightnessMax / (kLightnessMax - black.L);
    const double darkness = 1.0 - lab.L / kLightnessMax;
    lab.a = (lab.a - darkness * black.a) / kPerceptualChroma;
    lab.b = (lab.b - darkness * black.b) / kPerceptualChroma;
    return lab;
}

int sampleDevice(const cmsUInt16Number in[], cmsUInt16Number out[], void* cargo) {
    const auto& sampling = *static_cast<const Sampling*>(cargo);
    const Vector rgb = {in[0] / kMax16, in[1] / kMax16, in[2] / kMax16};
    cmsCIELab lab = labOf(sampling.model->deviceToXyz(rgb));
    if (sampling.rendering == Rendering::Perceptual) {
        lab = printToPerceptual(lab, sampling.model->black());
    }
    cmsFloat2LabEncoded(out, &lab);
    return TRUE;
}

int sampleLab(const cmsUInt16Number in[], cmsUInt16Number out[], void* cargo) {
    const auto& sampling = *static_cast<const Sampling*>(cargo);
    cmsCIELab lab;
    cmsLabEncoded2Float(&lab, in);
    if (sampling.rendering == Rendering::Perceptual) {
        lab = perceptualToPrint(lab, sampling.model->black());
    } else if (sampling.rendering == Rendering::Saturation) {
        lab.a *= kSaturationChroma;
        lab.b *= kSaturationChroma;
    }
    const Vector rgb = sampling.model->labToDevice(lab);
    for (int i = 0; i < 3; ++i) {
        out[i] = static_cast<cmsUInt16Number>(std::lround(rgb[i] * kMax16));
    }
    return TRUE;
}

bool writeTables(cmsHPROFILE profile, const PrinterModel& model) {
    struct Tags {
        cmsTagSignature toLab;
        cmsTagSignature toDevice;
        Rendering rendering;
    };
    constexpr std::array<Tags, 3> kTags = {{
        {cmsSigAToB0Tag, cmsSigBToA0Tag, Rendering::Perceptual},
        {cmsSigAToB1Tag, cmsSigBToA1Tag, Rendering::Colorimetric},
        {cmsSigAToB2Tag, cmsSigBToA2Tag, Rendering::Saturation},
    }};
    for (const Tags& tags : kTags) {
        // Saturation rendering reads prints back colorimetrically.
        Sampling reading{&model, tags.rendering == Rendering::Perceptual ? Rendering::Perceptual
                                                                         : Rendering::Colorimetric};
        Sampling writing{&model, tags.rendering};
        constexpr int kChannels = 3;
        if (!profile_writer::writeTablePair(
                profile, tags.toLab,
                profile_writer::sampledPipeline(kChannels, kChannels, kDeviceGrid, sampleDevice,
                                                &reading),
                tags.toDevice,
                profile_writer::sampledPipeline(kChannels, kChannels, kLabGrid, sampleLab,
                                                &writing))) {
            return false;
        }
    }
    return true;
}

bool writeProfile(const std::string& folder, const std::string& name) {
    const Paper paper = paperOf(name);
    const PrinterModel model(paper);
    cmsCIExyY whiteChromaticity;
    cmsWhitePointFromTemp(&whiteChromaticity, paper.whiteTemperature);
    cmsCIEXYZ paperWhite;
    cmsxyY2XYZ(&paperWhite, &whiteChromaticity);
    // The paper reflects a little less than the perfect diffuser.
    const double paperLuminance = 1.0 - paper.blackReflectance;
    paperWhite = {paperWhite.X * paperLuminance, paperWhite.Y * paperLuminance,
                  paperWhite.Z * paperLuminance};
    const std::string stem = name.substr(0, name.rfind('.'));
    return profile_writer::saveOutputProfile(
        folder + "/" + name, cmsSigRgbData, stem + " RGB printer profile", paperWhite,
        [&](cmsHPROFILE profile) { return writeTables(profile, model); });
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: make_printer_profiles OUTPUT_FOLDER FILE_NAME...\n");
        return 2;
    }
    for (int i = 2; i < argc; ++i) {
        if (!writeProfile(argv[1], argv[i])) {
            std::fprintf(stderr, "make_printer_profiles: %s not written\n", argv[i]);
            return 1;
        }
    }
    return 0;
}
