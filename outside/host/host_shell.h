// The host stand-in: the host information record of one image and the callbacks through which the
// print core takes its rows, as the image editor (host type 1) or the photo application (host
// type 2) hands them out.
//
// The image editor delivers the requested rectangle in the image's own mode and depth (16-bit
// samples in its range 0 ... 32768, CMYK as the complement of the ink) and converts between its
// 8- and 16-bit samples on request. The photo application opens the image for printing and
// delivers RGB lines at the job's depth, in the image's own profile (grey and CMYK images turned
// into sRGB first); its lines count from the part of the image the core defines, and are columns
// once the core turns the image.
#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "cf/value.h"
#include "image_file.h"
#include "rastercore/common_info_table.h"
#include "rastercore/photo_application_calls.h"

namespace host {

enum class HostType : std::uint8_t { ImageEditor = 1, PhotoApplication = 2 };

/// The source kinds the host reports: the image is in the sRGB working space (its rows are not
/// matched), or in the Adobe RGB (1998) working space (matched from the image's profile).
inline constexpr std::int32_t kSourceKindSrgb = 2;
inline constexpr std::int32_t kSourceKindAdobeRgb = 3;

/// The resolution of an image whose file gives none, pixels per inch.
inline constexpr double kDefaultResolution = 300;

class HostShell {
  public:
    /// The host for `image`; null with the reason in `*error` when it cannot serve it (a CMYK
    /// image without a profile, or a profile that cannot be used).
    static std::unique_ptr<HostShell> create(Image image, HostType type, std::string documentName,
                                             std::string* error);
    ~HostShell();
    HostShell(const HostShell&) = delete;
    HostShell& operator=(const HostShell&) = delete;

    CommonInfoTable* table() { return &table_; }
    HostType type() const { return type_; }
    const Image& image() const { return image_; }

    /// Rows or lines the core asked for, and the photo application's open images.
    std::uint64_t deliveries() const { return deliveries_.load(); }
    int openImages() const { return openImages_; }

  private:
    HostShell(Image image, HostType type, std::string documentName);
    bool prepare(std::string* error);
    bool preparePhotoApplication(std::string* error);

    static HostShell& self(void* reference) { return *static_cast<HostShell*>(reference); }

    // Image editor.
    static std::int32_t advanceState(CommonInfoTable* table, std::int32_t state, void* reference);
    static std::int32_t samples16To8(CommonInfoTable*, const void* source, void* destination,
                                     std::int32_t count, void* reference);
    static std::int32_t samples8To16(CommonInfoTable*, const void* source, void* destination,
                                     std::int32_t count, void* reference);
    // Writes `count` image samples as the image editor hands them out: 16-bit ones on its own
    // scale in two bytes, 8-bit ones in one.
    void editorSamples(const std::uint16_t* samples, std::size_t count, std::uint8_t* out) const;

    // Photo application.
    static std::int32_t imageCount(CommonInfoTable*, std::int32_t* count, void* reference);
    static std::int32_t describe(CommonInfoTable*, std::int32_t index,
                                 HostImageDescription* description, void* reference);
    static std::int32_t open(CommonInfoTable*, HostOpenImageRequest* request, void** image,
                             void* reference);
    static std::int32_t allocate(CommonInfoTable*, std::uint32_t size, void** buffer,
                                 void* reference);
    static std::int32_t defineRect(CommonInfoTable*, void* image, std::int32_t left,
                                   std::int32_t top, std::int32_t width, std::int32_t height,
                                   void* reference);
    static std::int32_t turn(CommonInfoTable*, void* image, std::int32_t turn, void* reference);
    static std::int32_t freeBuffer(CommonInfoTable*, void* buffer, void* reference);
    static std::int32_t close(CommonInfoTable*, void* image, void* reference);
    static std::int32_t line(CommonInfoTable*, void* image, std::int32_t index, void* buffer,
                             std::int32_t* byteCount, void* reference);

    Image image_;
    HostType type_;
    cf::Value documentName_;
    CommonInfoTable table_{};
    std::vector<std::uint8_t> profile_;  ///< what the image editor hands out as the profile
    std::vector<std::uint8_t> delivered_;

    // The photo application's RGB image, its profile file and the open image's state.
    std::vector<std::uint16_t> rgb_;  ///< 16-bit RGB, rows top first
    std::filesystem::path profileFile_;
    bool ownProfileFile_ = false;
    cf::Value profileReference_;
    int openImages_ = 0;
    std::int32_t bytesPerSample_ = 1;
    std::int32_t rectLeft_ = 0;
    std::int32_t rectTop_ = 0;
    std::int32_t rectWidth_ = 0;
    std::int32_t rectHeight_ = 0;
    bool turned_ = false;
    std::vector<void*> buffers_;

    std::atomic<std::uint64_t> deliveries_{0};
};

}  // namespace host
