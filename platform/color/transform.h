// Colour transforms between profiles, converting rows of pixels in the layouts the print core uses.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "color/profile.h"

namespace color {

enum class Intent : std::uint8_t {
    Perceptual,
    RelativeColorimetric,
    Saturation,
    AbsoluteColorimetric,
};

/// How one pixel is laid out in a row.
enum class Layout : std::uint8_t {
    Grey,      // one sample
    Rgb,       // three samples
    Cmyk,      // four samples, 0 = no ink
    AlphaRgb,  // an alpha sample, then RGB; the alpha is carried over unchanged
};
inline constexpr std::size_t kLayoutCount = 4;

/// The width of every sample: one byte, or two bytes in little-endian order.
enum class Depth : std::uint8_t { Eight, Sixteen };
inline constexpr std::size_t kDepthCount = 2;

/// How a row's pixels are laid out and how wide their samples are.
struct RowForm {
    Layout layout;
    Depth depth;
};

/// Samples per pixel of a layout.
std::size_t samplesPerPixel(Layout layout);
/// Bytes per pixel of a layout at a depth.
std::size_t bytesPerPixel(Layout layout, Depth depth);

/// A transform from a source profile into a destination profile, directly or through a proof
/// profile that the result simulates. The engine's transform for a pair of layouts is made the
/// first time those layouts are converted, or when they are prepared, and kept; RGB to RGB
/// conversions run through a lattice sampled from the engine's 16-bit transform. Once its
/// layouts are prepared a transform converts rows without allocating and without changing
/// itself, so threads may share a transform for the layouts prepared; making and preparing it
/// belong to one thread.
class Transform {
  public:
    /// Source to destination with the intent; null when the engine cannot link the profiles.
    static std::unique_ptr<Transform> create(std::shared_ptr<const Profile> source,
                                             std::shared_ptr<const Profile> destination,
                                             Intent intent);

    /// Source to destination as it would come out on the proof device: source to proof with
    /// `intent`, then the proof's colours into the destination with `proofIntent`. Null when the
    /// profiles cannot be linked.
    static std::unique_ptr<Transform> createProofing(std::shared_ptr<const Profile> source,
                                                     std::shared_ptr<const Profile> proof,
                                                     std::shared_ptr<const Profile> destination,
                                                     Intent intent, Intent proofIntent);

    ~Transform();
    Transform(const Transform&) = delete;
    Transform& operator=(const Transform&) = delete;

    /// Makes ready what converting between the row forms needs, so that converting allocates
    /// nothing; false when the layouts do not fit the profiles' colour spaces.
    bool prepare(RowForm source, RowForm destination);
    bool prepare(Layout sourceLayout, Layout destinationLayout, Depth depth) {
        return prepare(RowForm{sourceLayout, depth}, RowForm{destinationLayout, depth});
    }

    /// Fills `words` (kLatticeWords long) with a lattice of the RGB to RGB conversion, sampled
    /// from the engine's 16-bit transform; false when the profiles are not both RGB.
    bool sampleLattice(std::span<std::uint16_t> words);

    /// Frees the RGB to RGB lattice and the engine's 16-bit RGB transform it is sampled from,
    /// for an owner whose rows have stopped converting RGB to RGB through this transform. Both
    /// are made again, the same, by the next conversion or preparation that needs them.
    void releaseRgbLattice();

    /// Converts `rows` rows of `pixels` pixels; each row starts `sourceStride` or
    /// `destinationStride` bytes after the previous one. Source and destination may be the same
    /// row when the two layouts have the same size. False when the layouts do not fit the
    /// profiles' colour spaces.
    bool convert(const void* source, RowForm sourceForm, void* destination, RowForm destinationForm,
                 std::size_t pixels, std::size_t rows = 1, std::size_t sourceStride = 0,
                 std::size_t destinationStride = 0);
    /// The same with one sample depth on both sides.
    bool convert(const void* source, Layout sourceLayout, void* destination,
                 Layout destinationLayout, Depth depth, std::size_t pixels, std::size_t rows = 1,
                 std::size_t sourceStride = 0, std::size_t destinationStride = 0) {
        return convert(source, RowForm{sourceLayout, depth}, destination,
                       RowForm{destinationLayout, depth}, pixels, rows, sourceStride,
                       destinationStride);
    }

    /// The colour spaces at the two ends.
    Signature sourceSpace() const { return source_->colorSpace(); }
    Signature destinationSpace() const { return destination_->colorSpace(); }

  private:
    Transform(std::shared_ptr<const Profile> source, std::shared_ptr<const Profile> proof,
              std::shared_ptr<const Profile> destination, Intent intent, Intent proofIntent);

    // The engine's transform for the row forms (made on first use), or null when it cannot be
    // made.
    void* engineTransform(RowForm source, RowForm destination);
    bool convertThroughLattice(const void* source, Depth sourceDepth, void* destination,
                               Depth destinationDepth, std::size_t pixels, std::size_t rows,
                               std::size_t sourceStride, std::size_t destinationStride);
    // The RGB to RGB lattice (sampled on first use), or null when it cannot be made.
    const std::uint16_t* lattice();

    std::shared_ptr<const Profile> source_;
    std::shared_ptr<const Profile> proof_;
    std::shared_ptr<const Profile> destination_;
    Intent intent_;
    Intent proofIntent_;
    // Indexed by source layout and depth, destination layout and depth.
    static constexpr std::size_t kSlots = kLayoutCount * kLayoutCount * kDepthCount * kDepthCount;
    std::array<void*, kSlots> engine_{};
    std::array<bool, kSlots> refused_{};
    std::vector<std::uint16_t> lattice_;
};

/// The layout that carries a colour space's samples (Grey, Rgb, Cmyk); Rgb for other spaces.
Layout naturalLayout(Signature colorSpace);

}  // namespace color
