// Image files by their signature, read from memory or from regular files only.
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <new>

#include "cf/regular_file.h"
#include "image_file_internal.h"

namespace host {

namespace {

constexpr std::uint8_t kPngSignature[kPngSignatureBytes] = {0x89, 'P',  'N',  'G',
                                                            '\r', '\n', 0x1A, '\n'};
constexpr std::uint8_t kTiffLittle[] = {'I', 'I', 42, 0};
constexpr std::uint8_t kTiffBig[] = {'M', 'M', 0, 42};
constexpr const char* kOtherFormat = "neither a TIFF nor a PNG file";

enum class Format { Png, Tiff, Other };

template <std::size_t N>
bool startsWith(std::span<const std::uint8_t> bytes, const std::uint8_t (&signature)[N]) {
    return bytes.size() >= N && std::equal(signature, signature + N, bytes.begin());
}

Format formatOf(std::span<const std::uint8_t> start) {
    if (startsWith(start, kPngSignature)) {
        return Format::Png;
    }
    if (startsWith(start, kTiffLittle) || startsWith(start, kTiffBig)) {
        return Format::Tiff;
    }
    return Format::Other;
}

// Runs `read`, reporting memory that cannot be had as the reason instead of throwing.
template <typename Read>
std::optional<Image> reportingMemory(const Read& read, std::string* error) {
    try {
        return read();
    } catch (const std::bad_alloc&) {
        return fail(error, "out of memory for the image");
    }
}

std::optional<Image> readOpenFile(cf::RegularFile& file, std::string* error) {
    std::uint8_t start[kPngSignatureBytes] = {};
    const std::size_t startBytes = std::min<std::uintmax_t>(file.size(), sizeof start);
    if (!file.readExactly(start, startBytes)) {
        return fail(error, cf::fileReadStatusText(cf::FileReadStatus::Unreadable));
    }
    switch (formatOf({start, startBytes})) {
        case Format::Png:
            return readPng(
                file.size(),
                [&file](std::uint8_t* out, std::size_t count) {
                    return file.readExactly(out, count);
                },
                error);
        case Format::Tiff: {
            const int descriptor = file.release();
            if (::lseek(descriptor, 0, SEEK_SET) != 0) {
                ::close(descriptor);
                return fail(error, cf::fileReadStatusText(cf::FileReadStatus::Unreadable));
            }
            return readTiff(descriptor, file.size(), error);
        }
        case Format::Other:
            break;
    }
    return fail(error, kOtherFormat);
}

std::optional<Image> decodeBytes(std::span<const std::uint8_t> bytes, std::string* error) {
    switch (formatOf(bytes)) {
        case Format::Png: {
            std::size_t position = kPngSignatureBytes;
            return readPng(
                bytes.size(),
                [bytes, &position](std::uint8_t* out, std::size_t count) {
                    if (bytes.size() - position < count) {
                        return false;
                    }
                    std::memcpy(out, bytes.data() + position, count);
                    position += count;
                    return true;
                },
                error);
        }
        case Format::Tiff:
            return decodeTiff(bytes, error);
        case Format::Other:
            break;
    }
    return fail(error, kOtherFormat);
}

}  // namespace

std::optional<Image> decodeImage(std::span<const std::uint8_t> bytes, std::string* error) {
    return reportingMemory([&] { return decodeBytes(bytes, error); }, error);
}

std::optional<Image> readImage(const std::filesystem::path& path, std::string* error) {
    cf::RegularFile file(path);
    if (!file.isOpen()) {
        return fail(error, cf::fileReadStatusText(file.status()));
    }
    return reportingMemory([&] { return readOpenFile(file, error); }, error);
}

}  // namespace host
