#include "test_profiles.h"

#include <lcms2.h>

#include <unistd.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace color_test {
namespace {

constexpr int kForwardGrid = 17;
constexpr int kReverseGrid = 33;
constexpr double kMaxPercent = 100.0;
constexpr double kMax8 = 255.0;
constexpr double kMax16 = 65535.0;

void check(bool ok, const char* what) {
    if (!ok) {
        throw std::runtime_error(what);
    }
}

void describe(cmsHPROFILE profile, const std::string& description) {
    cmsMLU* text = cmsMLUalloc(nullptr, 1);
    cmsMLUsetASCII(text, "en", "US", description.c_str());
    cmsWriteTag(profile, cmsSigProfileDescriptionTag, text);
    cmsMLUfree(text);
}

void save(cmsHPROFILE profile, const std::filesystem::path& file) {
    const bool saved = cmsSaveProfileToFile(profile, file.c_str()) != 0;
    cmsCloseProfile(profile);
    check(saved, "profile not saved");
}

// Transforms between sRGB and Lab in doubles, shared by the two samplers.
struct InkModel {
    cmsHTRANSFORM toLab;
    cmsHTRANSFORM fromLab;
};

int sampleCmykToLab(const cmsUInt16Number in[], cmsUInt16Number out[], void* cargo) {
    const auto* model = static_cast<const InkModel*>(cargo);
    const double k = in[3] / kMax16;
    const double rgb[3] = {(1 - in[0] / kMax16) * (1 - k), (1 - in[1] / kMax16) * (1 - k),
                           (1 - in[2] / kMax16) * (1 - k)};
    cmsCIELab lab;
    cmsDoTransform(model->toLab, rgb, &lab, 1);
    cmsFloat2LabEncoded(out, &lab);
    return TRUE;
}

int sampleLabToCmyk(const cmsUInt16Number in[], cmsUInt16Number out[], void* cargo) {
    const auto* model = static_cast<const InkModel*>(cargo);
    cmsCIELab lab;
    cmsLabEncoded2Float(&lab, in);
    double rgb[3];
    cmsDoTransform(model->fromLab, &lab, rgb, 1);
    double cmy[3];
    for (int i = 0; i < 3; ++i) {
        cmy[i] = 1 - std::clamp(rgb[i], 0.0, 1.0);
    }
    const double k = std::min({cmy[0], cmy[1], cmy[2]}) * 0.5;
    for (int i = 0; i < 3; ++i) {
        const double ink = k < 1 ? (cmy[i] - k) / (1 - k) : 0;
        out[i] = static_cast<cmsUInt16Number>(std::clamp(ink, 0.0, 1.0) * kMax16 + 0.5);
    }
    out[3] = static_cast<cmsUInt16Number>(k * kMax16 + 0.5);
    return TRUE;
}

cmsPipeline* sampledPipeline(int inputs, int outputs, int grid, cmsSAMPLER16 sampler,
                             InkModel* model) {
    cmsPipeline* pipeline = cmsPipelineAlloc(nullptr, inputs, outputs);
    cmsStage* table = cmsStageAllocCLut16bit(nullptr, grid, inputs, outputs, nullptr);
    check(cmsStageSampleCLut16bit(table, sampler, model, 0) != 0, "table not sampled");
    cmsPipelineInsertStage(pipeline, cmsAT_BEGIN,
                           cmsStageAllocToneCurves(nullptr, inputs, nullptr));
    cmsPipelineInsertStage(pipeline, cmsAT_END, table);
    cmsPipelineInsertStage(pipeline, cmsAT_END, cmsStageAllocToneCurves(nullptr, outputs, nullptr));
    return pipeline;
}

}  // namespace

void writeGreyProfile(const std::filesystem::path& file, const std::string& description) {
    cmsToneCurve* curve = cmsBuildGamma(nullptr, 2.2);
    cmsHPROFILE profile = cmsCreateGrayProfile(cmsD50_xyY(), curve);
    cmsFreeToneCurve(curve);
    describe(profile, description);
    save(profile, file);
}

void writeRgbPrinterProfile(const std::filesystem::path& file, const std::string& description) {
    cmsCIExyY white;
    cmsWhitePointFromTemp(&white, 5000);
    const cmsCIExyYTRIPLE primaries = {
        {0.7347, 0.2653, 1.0}, {0.1152, 0.8264, 1.0}, {0.1566, 0.0177, 1.0}};
    cmsToneCurve* curve = cmsBuildGamma(nullptr, 1.8);
    cmsToneCurve* curves[3] = {curve, curve, curve};
    cmsHPROFILE profile = cmsCreateRGBProfile(&white, &primaries, curves);
    cmsFreeToneCurve(curve);
    cmsSetDeviceClass(profile, cmsSigOutputClass);
    describe(profile, description);
    save(profile, file);
}

void writeTablelessPrinterProfile(const std::filesystem::path& file,
                                  const std::string& description) {
    cmsHPROFILE profile = cmsCreateProfilePlaceholder(nullptr);
    cmsSetProfileVersion(profile, 4.3);
    cmsSetDeviceClass(profile, cmsSigOutputClass);
    cmsSetColorSpace(profile, cmsSigRgbData);
    cmsSetPCS(profile, cmsSigLabData);
    describe(profile, description);
    save(profile, file);
}

void writeCmykPrinterProfile(const std::filesystem::path& file, const std::string& description) {
    cmsHPROFILE srgb = cmsCreate_sRGBProfile();
    cmsHPROFILE lab = cmsCreateLab4Profile(nullptr);
    InkModel model{
        cmsCreateTransform(srgb, TYPE_RGB_DBL, lab, TYPE_Lab_DBL, INTENT_RELATIVE_COLORIMETRIC, 0),
        cmsCreateTransform(lab, TYPE_Lab_DBL, srgb, TYPE_RGB_DBL, INTENT_RELATIVE_COLORIMETRIC, 0)};
    cmsCloseProfile(srgb);
    cmsCloseProfile(lab);

    cmsHPROFILE profile = cmsCreateProfilePlaceholder(nullptr);
    cmsSetProfileVersion(profile, 4.3);
    cmsSetDeviceClass(profile, cmsSigOutputClass);
    cmsSetColorSpace(profile, cmsSigCmykData);
    cmsSetPCS(profile, cmsSigLabData);
    cmsWriteTag(profile, cmsSigMediaWhitePointTag, cmsD50_XYZ());
    cmsPipeline* forward = sampledPipeline(4, 3, kForwardGrid, sampleCmykToLab, &model);
    cmsPipeline* reverse = sampledPipeline(3, 4, kReverseGrid, sampleLabToCmyk, &model);
    cmsWriteTag(profile, cmsSigAToB0Tag, forward);
    cmsWriteTag(profile, cmsSigBToA0Tag, reverse);
    cmsPipelineFree(forward);
    cmsPipelineFree(reverse);
    cmsDeleteTransform(model.toLab);
    cmsDeleteTransform(model.fromLab);
    describe(profile, description);
    save(profile, file);
}

std::vector<double> transiccResults(const Oracle& oracle, const std::vector<int>& pixels,
                                    int inputSamples, int outputSamples) {
    return transiccResults(oracle, std::vector<double>(pixels.begin(), pixels.end()), inputSamples,
                           outputSamples);
}

std::vector<double> transiccResults(const Oracle& oracle, const std::vector<double>& pixels,
                                    int inputSamples, int outputSamples) {
    const double inputScale = inputSamples == 4 ? kMaxPercent / kMax8 : 1.0;
    const double outputScale = outputSamples == 4 ? kMax8 / kMaxPercent : 1.0;
    char folder[] = "/tmp/transicc.XXXXXX";
    check(::mkdtemp(folder) != nullptr, "no temporary folder");
    const std::filesystem::path in = std::filesystem::path(folder) / "in.txt";
    const std::filesystem::path out = std::filesystem::path(folder) / "out.txt";
    {
        std::ofstream values(in);
        for (std::size_t i = 0; i < pixels.size(); ++i) {
            values << pixels[i] * inputScale << ((i + 1) % inputSamples == 0 ? '\n' : ' ');
        }
    }
    std::ostringstream command;
    // Bounded mode clips out-of-gamut results as an integer transform does; it would also clip
    // CMYK percentages to 0 ... 1, so CMYK results stay unbounded.
    command << "transicc -n " << (outputSamples == 4 ? "" : "-s ") << "-t" << oracle.intent
            << " -i'" << oracle.input.string() << "' -o'" << oracle.output.string() << "'";
    if (oracle.proof) {
        command << " -p'" << oracle.proof->string() << "' -m" << oracle.proofIntent;
    }
    command << " < '" << in.string() << "' > '" << out.string() << "' 2>/dev/null";
    std::vector<double> results;
    if (std::system(command.str().c_str()) == 0) {
        std::ifstream values(out);
        for (double value = 0; values >> value;) {
            results.push_back(value * outputScale);
        }
    }
    std::filesystem::remove_all(folder);
    return results;
}

}  // namespace color_test
