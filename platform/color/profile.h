// ICC profiles opened from a file, a file URL or bytes held by the caller.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace color {

/// A four-character ICC signature ('RGB ', 'prtr', ...) as the big-endian integer of its bytes.
using Signature = std::uint32_t;

constexpr Signature signature(const char (&text)[5]) {
    return static_cast<Signature>(static_cast<unsigned char>(text[0])) << 24 |
           static_cast<Signature>(static_cast<unsigned char>(text[1])) << 16 |
           static_cast<Signature>(static_cast<unsigned char>(text[2])) << 8 |
           static_cast<Signature>(static_cast<unsigned char>(text[3]));
}

inline constexpr Signature kSpaceRgb = signature("RGB ");
inline constexpr Signature kSpaceCmyk = signature("CMYK");
inline constexpr Signature kSpaceGrey = signature("GRAY");
inline constexpr Signature kClassMonitor = signature("mntr");
inline constexpr Signature kClassPrinter = signature("prtr");
inline constexpr Signature kClassInput = signature("scnr");

/// One open profile. Profiles are shared by the transforms built from them, so they are handed out
/// as shared pointers; the lcms2 handle is closed with the last owner.
class Profile {
  public:
    /// Opens the ICC file at `path` (links followed); null when it is no regular file, cannot be
    /// read or is no profile. Nothing else at the name, a pipe say, is read or waited on.
    static std::shared_ptr<Profile> openPath(const std::filesystem::path& path);

    /// Opens a "file://" URL (percent escapes decoded, an empty or "localhost" host); null for
    /// other schemes and everything openPath refuses.
    static std::shared_ptr<Profile> openUrl(const std::string& url);

    /// Reads the profile straight from `bytes` without copying them: the bytes must stay
    /// unchanged while the profile, or any transform made from it, lives. Null when they hold
    /// no profile.
    static std::shared_ptr<Profile> openBytes(std::span<const std::byte> bytes);

    ~Profile();
    Profile(const Profile&) = delete;
    Profile& operator=(const Profile&) = delete;

    /// The header's data colour space ('RGB ', 'CMYK', 'GRAY', ...).
    Signature colorSpace() const;
    /// The header's profile class ('mntr', 'prtr', 'scnr', ...).
    Signature deviceClass() const;
    /// The header's version field, e.g. 0x02100000 for 2.1 and 0x04300000 for 4.3.
    std::uint32_t version() const;
    /// The header's device manufacturer signature (bytes 48..51).
    Signature manufacturer() const;
    /// The header's device model signature (bytes 52..55).
    Signature model() const;
    /// The description tag as ASCII text ("" when the profile has none).
    std::string description() const;
    /// The bytes of the tag `tag` as they stand in the profile, type signature first; none when
    /// the profile has no such tag.
    std::optional<std::vector<std::byte>> rawTag(Signature tag) const;

    /// The lcms2 handle, for the transforms of this layer.
    void* handle() const { return handle_; }

  private:
    explicit Profile(void* handle) : handle_(handle) {}
    static std::shared_ptr<Profile> adopt(void* handle);

    void* handle_;
};

/// The file path that a "file://" URL names, or "" when it names none.
std::filesystem::path pathFromFileUrl(const std::string& url);

}  // namespace color
