// The profiles of the preview: the image's embedded profile, the installed profiles found by file
// name or by path, the source profile of the job's colour mode and the main display's.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "color/profile.h"
#include "preview/preview_job.h"

using ProfileRef = std::shared_ptr<const color::Profile>;

/// The profile of a host's `ProfileTable`: read from its bytes when both pointer and length are
/// given (borrowed, not copied: they must outlive the profile), else from its file URL, else
/// none. `error` (may be null) gets 0, or kColorSyncProfileError when there was nothing to read
/// or it held no profile.
ProfileRef ColorSyncProfileCreateWithProfileTable(const ProfileTable* table, std::int32_t* error);

/// The header's data colour space ('RGB ', 'CMYK', 'GRAY', ...); 0 for no profile.
color::Signature GetProfileColorSpace(const color::Profile* profile);

/// The search of `ProfileGetByFileName`: the file name wanted and the first file found.
struct ProfileNameSearch {
    std::string name;
    std::filesystem::path found;
};

/// Installed-profile walk callback: keeps the first file whose last path component is the name
/// wanted, and stops there (false); true to go on.
bool ProfileNameGetInfo(const color::Profile& profile, const std::filesystem::path& file,
                        ProfileNameSearch& search);

/// Opens the first installed profile whose file name is `name` into `out`: 0, or -1 when there
/// is none (or `out` or `name` is null).
std::int32_t ProfileGetByFileName(ProfileRef* out, const char* name);

/// What the installed-profile search for printer profiles looks for and finds.
struct PrevProfileSearch {
    enum Mode : std::int32_t { kOutput = 0, kProof = 1 };
    Mode mode = kOutput;
    ProfileRef output;       ///< first installed RGB printer profile at `outputPath`
    std::string outputPath;  ///< compared whole and exactly with each profile's path
    ProfileRef proof;        ///< first installed RGB or CMYK printer profile at `proofPath`
    std::string proofPath;
    color::Signature proofSpace = 0;  ///< the proof profile's colour space
};

/// Installed-profile walk callback of the printer-profile search: in output mode takes the first
/// 'prtr' profile of space 'RGB ' at the output path into the empty output slot, in proof mode
/// the first 'prtr' profile of space 'RGB ' or 'CMYK' at the proof path into the empty proof
/// slot with its space; false (stop) once the slot is filled.
bool Plg_Prev_ProfileOpen_Iterate_Com(const color::Profile& profile,
                                      const std::filesystem::path& file, PrevProfileSearch& search);

/// Runs the printer-profile search over the installed profiles in the search's mode.
void searchInstalledPrinterProfile(PrevProfileSearch& search);

/// The source profile of the call's colour mode, host and image mode (see the rules in the
/// source); null when the rules name none or it cannot be opened.
ProfileRef CreatePrevSrcProfile(const PreviewJob& job);

/// The image's embedded profile; null when the host gave none.
ProfileRef embeddedProfile(const PreviewJob& job);

/// The installed sRGB profile, found by its file name.
ProfileRef installedSrgbProfile();

/// The record's output or proof profile path ("" when the string is missing).
std::string outputProfilePath(const CoreCommonInfoTbl& record);
std::string proofProfilePath(const CoreCommonInfoTbl& record);
