// What the profile generators share: colour conversions at D50, table tags sampled on a grid,
// and the writing of an output-class profile with its texts and media white.
#pragma once

#include <lcms2.h>

#include <functional>
#include <string>

#include "profile_matrix.h"

namespace profile_writer {

inline constexpr double kMax16 = 65535.0;
inline constexpr double kProfileVersion = 4.3;

inline cmsCIELab labOf(const profile_matrix::Vector& xyz) {
    const cmsCIEXYZ value{xyz[0], xyz[1], xyz[2]};
    cmsCIELab lab;
    cmsXYZ2Lab(cmsD50_XYZ(), &lab, &value);
    return lab;
}

inline profile_matrix::Vector xyzOf(const cmsCIELab& lab) {
    cmsCIEXYZ value;
    cmsLab2XYZ(cmsD50_XYZ(), &value, &lab);
    return {value.X, value.Y, value.Z};
}

/// A table tag: identity curves around one grid sampled by `sampler`; null when it cannot be
/// made.
inline cmsPipeline* sampledPipeline(int inputs, int outputs, int grid, cmsSAMPLER16 sampler,
                                    void* cargo) {
    cmsPipeline* pipeline = cmsPipelineAlloc(nullptr, inputs, outputs);
    cmsStage* table = cmsStageAllocCLut16bit(nullptr, grid, inputs, outputs, nullptr);
    if (pipeline == nullptr || table == nullptr ||
        cmsStageSampleCLut16bit(table, sampler, cargo, 0) == 0) {
        cmsStageFree(table);
        cmsPipelineFree(pipeline);
        return nullptr;
    }
    cmsPipelineInsertStage(pipeline, cmsAT_BEGIN,
                           cmsStageAllocToneCurves(nullptr, inputs, nullptr));
    cmsPipelineInsertStage(pipeline, cmsAT_END, table);
    cmsPipelineInsertStage(pipeline, cmsAT_END, cmsStageAllocToneCurves(nullptr, outputs, nullptr));
    return pipeline;
}

/// Writes both table tags of one rendering and frees the tables; false when either is missing or
/// cannot be written.
inline bool writeTablePair(cmsHPROFILE profile, cmsTagSignature toLabTag, cmsPipeline* toLab,
                           cmsTagSignature toDeviceTag, cmsPipeline* toDevice) {
    const bool written = toLab != nullptr && toDevice != nullptr &&
                         cmsWriteTag(profile, toLabTag, toLab) != 0 &&
                         cmsWriteTag(profile, toDeviceTag, toDevice) != 0;
    cmsPipelineFree(toLab);
    cmsPipelineFree(toDevice);
    return written;
}

/// Writes an output-class profile of `space` to Lab into `path`: version 4.3, perceptual header
/// intent, the description, a free copyright, the media white and the tables `writeTables` adds.
inline bool saveOutputProfile(const std::string& path, cmsColorSpaceSignature space,
                              const std::string& description, const cmsCIEXYZ& mediaWhite,
                              const std::function<bool(cmsHPROFILE)>& writeTables) {
    cmsHPROFILE profile = cmsCreateProfilePlaceholder(nullptr);
    if (profile == nullptr) {
        return false;
    }
    cmsSetProfileVersion(profile, kProfileVersion);
    cmsSetDeviceClass(profile, cmsSigOutputClass);
    cmsSetColorSpace(profile, space);
    cmsSetPCS(profile, cmsSigLabData);
    cmsSetHeaderRenderingIntent(profile, INTENT_PERCEPTUAL);
    cmsMLU* text = cmsMLUalloc(nullptr, 1);
    cmsMLU* copyright = cmsMLUalloc(nullptr, 1);
    cmsMLUsetASCII(text, "en", "US", description.c_str());
    cmsMLUsetASCII(copyright, "en", "US", "No copyright, use freely");
    const bool written = cmsWriteTag(profile, cmsSigProfileDescriptionTag, text) != 0 &&
                         cmsWriteTag(profile, cmsSigCopyrightTag, copyright) != 0 &&
                         cmsWriteTag(profile, cmsSigMediaWhitePointTag, &mediaWhite) != 0 &&
                         writeTables(profile);
    cmsMLUfree(text);
    cmsMLUfree(copyright);
    const bool saved = written && cmsSaveProfileToFile(profile, path.c_str()) != 0;
    cmsCloseProfile(profile);
    return saved;
}

}  // namespace profile_writer
