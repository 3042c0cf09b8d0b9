// Writes a CMYK output profile for the whole-print test's CMYK images, at build time.
//
// usage: make_cmyk_profile FILE
//
// The profile describes a four-ink press on a white paper: each ink's amount spreads with a
// mid-tone dot gain, the inks absorb light as densities in the red, green and blue thirds of
// the spectrum, densities add up and saturate towards a deepest density the paper takes, and
// the light the paper returns is read as XYZ through a wide-gamut set of primaries. Colorimetric
// tables are media-relative and clip; perceptual tables stretch the press's lightness range onto
// the whole of the connection space and lean the darkest colours towards the cast of the
// press's black. Towards the press, grey is replaced by black ink from a quarter of full
// coverage on, more the darker the colour.
#include <lcms2.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <string>

#include "profile_matrix.h"
#include "profile_writer.h"

namespace {

using profile_matrix::inverse;
using profile_matrix::Matrix;
using profile_matrix::multiply;
using profile_matrix::Vector;
using profile_writer::kMax16;
using profile_writer::labOf;

constexpr int kInkCount = 4;
constexpr int kPcsChannels = 3;
constexpr int kInkGrid = 17;  // device to connection space, 17^4 points
constexpr int kLabGrid = 33;  // connection space to device
constexpr double kLightnessMax = 100.0;

// Densities of cyan, magenta, yellow and black in the red, green and blue thirds; the
// off-diagonal terms of the coloured inks are their impurities.
constexpr std::array<Vector, kInkCount> kInkDensity = {{
    {1.40, 0.28, 0.11},
    {0.13, 1.30, 0.33},
    {0.04, 0.12, 1.10},
    {1.50, 1.52, 1.46},
}};
constexpr double kDotGain = 0.28;        // coverage = a + gain * a * (1 - a)
constexpr double kDeepestDensity = 2.3;  // the density stacked inks approach
constexpr double kLightFloor = 1e-6;     // light below this is read as the deepest density
constexpr double kGreyReplacementStart = 0.25;
constexpr double kInkLimit = 3.2;  // total coverage the paper takes

// Chromaticities of the primaries that read the three thirds, and of D50.
constexpr std::array<std::array<double, 2>, 3> kPrimaries = {
    {{0.690, 0.300}, {0.200, 0.740}, {0.145, 0.045}}};

// The paper's own white, a little warm and a little less than the perfect diffuser.
constexpr cmsCIEXYZ kPaperWhite = {0.9420, 0.9730, 0.7920};

// Linear light of the three thirds to XYZ, scaled so that full light in all three is D50.
Matrix lightToXyz() {
    Matrix primaries{};
    for (int p = 0; p < 3; ++p) {
        const double x = kPrimaries[p][0], y = kPrimaries[p][1];
        primaries[0][p] = x / y;
        primaries[1][p] = 1.0;
        primaries[2][p] = (1.0 - x - y) / y;
    }
    const cmsCIEXYZ* white = cmsD50_XYZ();
    const Vector scale = multiply(inverse(primaries), {white->X, white->Y, white->Z});
    for (auto& row : primaries) {
        for (int p = 0; p < 3; ++p) {
            row[p] *= scale[p];
        }
    }
    return primaries;
}

double coverageOf(double amount) {
    return amount + kDotGain * amount * (1.0 - amount);
}

// The amount that spreads to `coverage` (0 ... 1).
double amountOf(double coverage) {
    const double b = 1.0 + kDotGain;
    return (b - std::sqrt(b * b - 4.0 * kDotGain * coverage)) / (2.0 * kDotGain);
}

class Press {
  public:
    Press() : toXyz_(lightToXyz()), toLight_(inverse(toXyz_)) {
        Matrix colouredInks{};
        for (int ink = 0; ink < 3; ++ink) {
            for (int band = 0; band < 3; ++band) {
                colouredInks[band][ink] = kInkDensity[ink][band];
            }
        }
        densityToCoverage_ = inverse(colouredInks);
        black_ = lab({1.0, 1.0, 1.0, 1.0});
    }

    // Ink amounts (0 ... 1) to media-relative Lab.
    cmsCIELab lab(const std::array<double, kInkCount>& amounts) const {
        Vector density{};
        for (int ink = 0; ink < kInkCount; ++ink) {
            const double coverage = coverageOf(amounts[ink]);
            for (int band = 0; band < 3; ++band) {
                density[band] += coverage * kInkDensity[ink][band];
            }
        }
        Vector light{};
        for (int band = 0; band < 3; ++band) {
            const double stacked =
                kDeepestDensity * (1.0 - std::exp(-density[band] / kDeepestDensity));
            light[band] = std::pow(10.0, -stacked);
        }
        return labOf(multiply(toXyz_, light));
    }

    // Media-relative Lab to ink amounts, inks clipped to what the paper takes.
    std::array<double, kInkCount> amounts(const cmsCIELab& lab) const {
        cmsCIEXYZ xyz;
        cmsLab2XYZ(cmsD50_XYZ(), &xyz, &lab);
        const Vector light = multiply(toLight_, {xyz.X, xyz.Y, xyz.Z});
        const double deepestLight = std::pow(10.0, -kDeepestDensity);
        Vector density{};
        for (int band = 0; band < 3; ++band) {
            const double clamped = std::clamp(light[band], deepestLight + kLightFloor, 1.0);
            const double stacked = -std::log10(clamped);
            density[band] = -kDeepestDensity * std::log(1.0 - stacked / kDeepestDensity);
        }
        // Grey replacement: black takes over part of the grey the coloured inks alone would lay.
        const Vector colouredOnly = multiply(densityToCoverage_, density);
        const double grey =
            std::clamp(*std::min_element(colouredOnly.begin(), colouredOnly.end()), 0.0, 1.0);
        const double share =
            std::max(0.0, (grey - kGreyReplacementStart) / (1.0 - kGreyReplacementStart));
        const double black = std::clamp(share * share * (3.0 - 2.0 * share), 0.0, 1.0);
        for (int band = 0; band < 3; ++band) {
            density[band] -= black * kInkDensity[3][band];
        }
        Vector coverage = multiply(densityToCoverage_, density);
        for (double& c : coverage) {
            c = std::clamp(c, 0.0, 1.0);
        }
        const double total = coverage[0] + coverage[1] + coverage[2] + black;
        const double cut = total > kInkLimit ? (kInkLimit - black) / (total - black) : 1.0;
        return {amountOf(coverage[0] * cut), amountOf(coverage[1] * cut),
                amountOf(coverage[2] * cut), amountOf(black)};
    }

    const cmsCIELab& black() const { return black_; }

  private:
    Matrix toXyz_;
    Matrix toLight_;
    Matrix densityToCoverage_{};
    cmsCIELab black_{};
};

// Perceptual rendering: the press's black becomes the connection space's black.
cmsCIELab pressToPerceptual(cmsCIELab lab, const cmsCIELab& black) {
    lab.L = (lab.L - black.L) * kLightnessMax / (kLightnessMax - black.L);
    const double darkness = 1.0 - lab.L / kLightnessMax;
    lab.a -= darkness * black.a;
    lab.b -= darkness * black.b;
    return lab;
}

cmsCIELab perceptualToPress(cmsCIELab lab, const cmsCIELab& black) {
    const double darkness = 1.0 - lab.L / kLightnessMax;
    lab.L = black.L + lab.L * (kLightnessMax - black.L) / kLightnessMax;
    lab.a += darkness * black.a;
    lab.b += darkness * black.b;
    return lab;
}

struct Sampling {
    const Press* press;
    bool perceptual;
};

int sampleInks(const cmsUInt16Number in[], cmsUInt16Number out[], void* cargo) {
    const auto& sampling = *static_cast<const Sampling*>(cargo);
    cmsCIELab lab =
        sampling.press->lab({in[0] / kMax16, in[1] / kMax16, in[2] / kMax16, in[3] / kMax16});
    if (sampling.perceptual) {
        lab = pressToPerceptual(lab, sampling.press->black());
    }
    cmsFloat2LabEncoded(out, &lab);
    return TRUE;
}

int sampleLab(const cmsUInt16Number in[], cmsUInt16Number out[], void* cargo) {
    const auto& sampling = *static_cast<const Sampling*>(cargo);
    cmsCIELab lab;
    cmsLabEncoded2Float(&lab, in);
    if (sampling.perceptual) {
        lab = perceptualToPress(lab, sampling.press->black());
    }
    const auto amounts = sampling.press->amounts(lab);
    for (int ink = 0; ink < kInkCount; ++ink) {
        out[ink] = static_cast<cmsUInt16Number>(std::lround(amounts[ink] * kMax16));
    }
    return TRUE;
}

bool writeTables(cmsHPROFILE profile, const Press& press) {
    struct Tags {
        cmsTagSignature toLab;
        cmsTagSignature toInks;
        bool perceptual;
    };
    constexpr std::array<Tags, 2> kTags = {{
        {cmsSigAToB0Tag, cmsSigBToA0Tag, true},
        {cmsSigAToB1Tag, cmsSigBToA1Tag, false},
    }};
    for (const Tags& tags : kTags) {
        Sampling sampling{&press, tags.perceptual};
        if (!profile_writer::writeTablePair(
                profile, tags.toLab,
                profile_writer::sampledPipeline(kInkCount, kPcsChannels, kInkGrid, sampleInks,
                                                &sampling),
                tags.toInks,
                profile_writer::sampledPipeline(kPcsChannels, kInkCount, kLabGrid, sampleLab,
                                                &sampling))) {
            return false;
        }
    }
    return true;
}

bool writeProfile(const std::string& path) {
    const Press press;
    return profile_writer::saveOutputProfile(
        path, cmsSigCmykData, "Four-ink press test profile", kPaperWhite,
        [&](cmsHPROFILE profile) { return writeTables(profile, press); });
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_cmyk_profile FILE\n");
        return 2;
    }
    if (!writeProfile(argv[1])) {
        std::fprintf(stderr, "make_cmyk_profile: %s not written\n", argv[1]);
        return 1;
    }
    return 0;
}
