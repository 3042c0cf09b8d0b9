// Reading files that users or other programs can put in place: only regular files are read, they
// are opened without waiting, so that a pipe or a device at the name (directly or through a link)
// can never hold the reader, and nothing is allocated before the file is known to hold it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace cf {

/// Why a file could not be read.
enum class FileReadStatus {
    Ok,
    Missing,     ///< nothing at the name, or a link to nothing
    NotRegular,  ///< a folder, pipe, socket or device
    TooLarge,    ///< more bytes than the caller takes
    Unreadable,  ///< no permission, or a read that failed or came up short
};

/// A short English phrase for `status`, for one-line messages ("no such file", …).
const char* fileReadStatusText(FileReadStatus status);

/// A regular file opened for reading, closed on leaving.
class RegularFile {
  public:
    /// Opens `path` (links followed) without waiting; the file is open only when it is regular.
    explicit RegularFile(const std::filesystem::path& path);
    ~RegularFile();
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;

    FileReadStatus status() const { return status_; }
    bool isOpen() const { return descriptor_ >= 0; }
    /// The file's size when it was opened.
    std::uintmax_t size() const { return size_; }

    /// Reads exactly `count` bytes from the current position; false when fewer can be read.
    bool readExactly(std::uint8_t* out, std::size_t count) const;

    /// Hands the open descriptor, in blocking mode, over to the caller, who closes it; -1 when the
    /// file is not open.
    int release();

  private:
    int descriptor_ = -1;
    FileReadStatus status_ = FileReadStatus::Missing;
    std::uintmax_t size_ = 0;
};

/// The size of the regular file at `path`; none when it is missing, no regular file or cannot be
/// opened for reading.
std::optional<std::uintmax_t> regularFileSize(const std::filesystem::path& path);

/// The first `size` bytes of the regular file at `path`; none when it is missing, no regular file,
/// cannot be read or holds fewer bytes.
std::optional<std::vector<std::uint8_t>> readRegularFileStart(const std::filesystem::path& path,
                                                              std::size_t size);

/// The whole regular file at `path` into `out` when it holds at most `largest` bytes; `out` is
/// untouched on any failure.
FileReadStatus readRegularFile(const std::filesystem::path& path, std::size_t largest,
                               std::vector<std::uint8_t>& out);

}  // namespace cf
