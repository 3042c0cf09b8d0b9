// A bounded view of a media database image: the file as make_databases.py writes it, little-endian:
//   header (84 bytes): the 36-byte header part; a directory of u32 values at 36 (media count and
//   offset, method count and offset, resolution count and offset, pool offset and size); the filter
//   state at 68 (u32 hidden-hint mask, u32 ink-system filter, u16 ink value, u16 optimise mode);
//   at 80 the image size, written when the image is loaded;
//   media records (64 bytes), method records (8 bytes), resolution records (24 bytes), the pool.
// Every read is checked against the image size: a damaged image gives no record, never a read
// outside it.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace medab2 {

inline constexpr std::uint32_t kHeaderBytes = 84;
inline constexpr std::uint32_t kImageSizeOffset = 80;
inline constexpr std::uint32_t kNone = 0xFFFFFFFF;

enum class TableKind {
    Csc1,
    InputGamma,
    Csc2,
    OutputGamma,
    ErrorDiffusion,
    ResolutionConv,
    Dither,
    IndexData
};

struct Medium {
    std::uint32_t offset;  ///< of the record in the image
    std::uint16_t id, qdxa1, qdxa2, defaultSource;
    std::uint32_t hint, optimizeHint, inkSystem;
    std::uint16_t sources, halftone;
    std::uint32_t modelID, iccName, names;
    std::uint16_t firstMethod, methodCount, defaultMethod, defaultResolution, optimizeMode;
    std::uint32_t tables, preprocHint, monoHint, csc1Hint;
};

struct Method {
    std::uint16_t bit, halftones, firstResolution, resolutionCount;
};

struct Resolution {
    std::uint16_t id, hint;
    std::uint16_t words[5], wordsMode1[5];
};

class MediaImage {
  public:
    /// Checks a whole file image: header, directory, every record and every pool reference.
    static bool validate(std::span<const std::uint8_t> file);

    /// A view of a loaded image; invalid() when `db` is null or does not look like an image.
    explicit MediaImage(std::uint8_t* db);
    bool valid() const { return valid_; }

    std::uint32_t mediaCount() const { return mediaCount_; }
    std::optional<Medium> mediumAt(std::uint32_t index) const;  ///< every medium, filters aside
    bool shown(const Medium& medium) const;
    std::optional<Medium> shownMedium(std::int32_t oneBasedIndex) const;
    std::optional<Medium> find(std::int32_t id) const;  ///< a shown medium by id
    std::int32_t shownCount() const;

    std::optional<Method> method(const Medium& medium, std::int32_t bit) const;
    std::optional<Resolution> resolution(const Method& method, std::int32_t ids) const;
    std::uint16_t optimizeMode(const Medium& medium) const;

    std::optional<std::string_view> poolString(std::uint32_t offset) const;
    std::optional<std::string_view> name(const Medium& medium, std::string_view locale) const;
    std::span<const std::uint8_t> table(const Medium& medium, TableKind kind) const;

    std::uint32_t load32(std::uint32_t offset) const;
    std::uint16_t load16(std::uint32_t offset) const;
    void store32(std::uint32_t offset, std::uint32_t value);
    void store16(std::uint32_t offset, std::uint16_t value);
    const std::uint8_t* bytes() const { return db_; }

  private:
    std::span<const std::uint8_t> pool(std::uint32_t offset, std::uint32_t length) const;

    std::uint8_t* db_;
    std::uint32_t size_ = 0;
    bool valid_ = false;
    std::uint32_t mediaCount_ = 0, mediaOffset_ = 0, methodCount_ = 0, methodOffset_ = 0;
    std::uint32_t resolutionCount_ = 0, resolutionOffset_ = 0, poolOffset_ = 0, poolSize_ = 0;
};

// Offsets of the filter state.
inline constexpr std::uint32_t kHiddenHintMaskOffset = 68;
inline constexpr std::uint32_t kInkSystemFilterOffset = 72;
inline constexpr std::uint32_t kInkValueOffset = 76;
inline constexpr std::uint32_t kOptimizeModeOffset = 78;
inline constexpr std::uint32_t kMediumOptimizeModeOffset = 44;  ///< inside a medium record

}  // namespace medab2
