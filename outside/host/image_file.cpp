// Image files by their signature.
#include <algorithm>
#include <fstream>
#include <iterator>

#include "image_file_internal.h"

namespace host {

namespace {

constexpr std::uint8_t kPngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::uint8_t kTiffLittle[] = {'I', 'I', 42, 0};
constexpr std::uint8_t kTiffBig[] = {'M', 'M', 0, 42};

template <std::size_t N>
bool startsWith(std::span<const std::uint8_t> bytes, const std::uint8_t (&signature)[N]) {
    return bytes.size() >= N && std::equal(signature, signature + N, bytes.begin());
}

}  // namespace

std::optional<Image> decodeImage(std::span<const std::uint8_t> bytes, std::string* error) {
    if (startsWith(bytes, kPngSignature)) {
        return decodePng(bytes, error);
    }
    if (startsWith(bytes, kTiffLittle) || startsWith(bytes, kTiffBig)) {
        return decodeTiff(bytes, error);
    }
    return fail(error, "neither a TIFF nor a PNG file");
}

std::optional<Image> readImage(const std::filesystem::path& path, std::string* error) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return fail(error, "the image file cannot be opened");
    }
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file),
                                          std::istreambuf_iterator<char>()};
    return decodeImage(bytes, error);
}

}  // namespace host
