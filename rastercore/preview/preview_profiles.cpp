#include "preview/preview_profiles.h"

#include <span>

#include "cf/value.h"
#include "color/color_sync.h"
#include "color/installed_profiles.h"
#include "color/matching_profiles.h"
#include "color/standard_profiles.h"
#include "preview/image_modes.h"
#include "record/color_info.h"

namespace {

namespace fs = std::filesystem;

// The photo application moved its own sRGB profile with version 4.
constexpr std::uint32_t kPhotoApplicationVersion4 = 4;

std::string stringOf(const cf::Value* value) {
    const std::string* text = value != nullptr ? value->string() : nullptr;
    return text != nullptr ? *text : std::string();
}

bool photoApplication(const PreviewJob& job) {
    return job.host.hostType == kHostTypePhotoApplication;
}

bool imageEditor(const PreviewJob& job) {
    return job.host.hostType == kHostTypeImageEditor;
}

ProfileRef photoApplicationSrgb(const PreviewJob& job) {
    return openFixedProfile(job.host.hostMajorVersion >= kPhotoApplicationVersion4
                                ? kPhotoApplication4SrgbPath
                                : kPhotoApplicationSrgbPath);
}

// The profile of the image's own mode, for the colour modes and hosts no other rule covers.
ProfileRef profileOfImageMode(const PreviewJob& job) {
    if (isRgbImageMode(job.imageMode())) {
        return embeddedProfile(job);
    }
    switch (imageLayoutOf(job.imageMode())) {
        case color::Layout::Grey:
            return installedSrgbProfile();
        case color::Layout::Cmyk:
            return openFixedProfile(kRecommendedAdobeRgbPath);
        default:
            break;
    }
    return nullptr;
}

}  // namespace

ProfileRef ColorSyncProfileCreateWithProfileTable(const ProfileTable* table, std::int32_t* error) {
    ProfileRef profile;
    if (table != nullptr && table->bytes != nullptr && table->byteCount != 0) {
        profile = color::Profile::openBytes(
            std::span(static_cast<const std::byte*>(table->bytes), table->byteCount));
    } else if (table != nullptr && table->fileUrl != nullptr) {
        profile = color::Profile::openUrl(stringOf(table->fileUrl));
    }
    if (error != nullptr) {
        *error = profile != nullptr ? 0 : kColorSyncProfileError;
    }
    return profile;
}

color::Signature GetProfileColorSpace(const color::Profile* profile) {
    return profile != nullptr ? profile->colorSpace() : 0;
}

bool ProfileNameGetInfo(const color::Profile& /*profile*/, const fs::path& file,
                        ProfileNameSearch& search) {
    if (file.filename() != search.name) {
        return true;
    }
    search.found = file;
    return false;
}

std::int32_t ProfileGetByFileName(ProfileRef* out, const char* name) {
    if (out == nullptr || name == nullptr) {
        return -1;
    }
    ProfileNameSearch search{name, {}};
    color::forEachInstalledProfile([&](const color::Profile& profile, const fs::path& file) {
        return ProfileNameGetInfo(profile, file, search);
    });
    // The walk's profile lives only for its visit; the one found is opened again.
    *out = search.found.empty() ? nullptr : color::Profile::openPath(search.found);
    return *out != nullptr ? 0 : -1;
}

bool Plg_Prev_ProfileOpen_Iterate_Com(const color::Profile& profile, const fs::path& file,
                                      PrevProfileSearch& search) {
    const bool output = search.mode == PrevProfileSearch::kOutput;
    ProfileRef& slot = output ? search.output : search.proof;
    if (slot != nullptr) {
        return false;
    }
    const color::Signature space = profile.colorSpace();
    const bool wanted = profile.deviceClass() == color::kClassPrinter &&
                        (space == color::kSpaceRgb || (!output && space == color::kSpaceCmyk)) &&
                        file.string() == (output ? search.outputPath : search.proofPath);
    if (!wanted) {
        return true;
    }
    slot = color::Profile::openPath(file);
    if (slot != nullptr && !output) {
        search.proofSpace = space;
    }
    return slot == nullptr;
}

void searchInstalledPrinterProfile(PrevProfileSearch& search) {
    color::forEachInstalledProfile([&](const color::Profile& profile, const fs::path& file) {
        return Plg_Prev_ProfileOpen_Iterate_Com(profile, file, search);
    });
}

ProfileRef CreatePrevSrcProfile(const PreviewJob& job) {
    const bool proofOn = job.record.previewProof == kPreviewProofOn;
    switch (job.colorMode) {
        case kColorModeFixedRgb:
            if (proofOn) {
                return color::Profile::openPath(outputProfilePath(job.record));
            }
            if (photoApplication(job)) {
                return embeddedProfile(job);
            }
            break;
        case kColorModeMonochromePhoto:
            if (photoApplication(job)) {
                return photoApplicationSrgb(job);
            }
            if (imageEditor(job)) {
                return installedSrgbProfile();
            }
            break;
        default:
            if (photoApplication(job)) {
                return embeddedProfile(job);
            }
            break;
    }
    return profileOfImageMode(job);
}

ProfileRef embeddedProfile(const PreviewJob& job) {
    return ColorSyncProfileCreateWithProfileTable(&job.host.profile, nullptr);
}

ProfileRef installedSrgbProfile() {
    // The desktop's colour service installs the standard sRGB profile under this file name.
    const std::string name =
        color::standardProfilePath(color::StandardProfile::Srgb).filename().string();
    ProfileRef profile;
    ProfileGetByFileName(&profile, name.c_str());
    return profile;
}

std::string outputProfilePath(const CoreCommonInfoTbl& record) {
    return stringOf(record.outputProfilePath);
}

std::string proofProfilePath(const CoreCommonInfoTbl& record) {
    return stringOf(record.proofProfilePath);
}
