// Profiles on lcms2; bytes held by the caller are read through an I/O handler of our own, so they
// are never copied.
#include "color/profile.h"

#include <lcms2.h>
#include <lcms2_plugin.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <limits>

#include "cf/regular_file.h"

namespace color {
namespace {

constexpr char kFileScheme[] = "file://";
constexpr char kLocalHost[] = "localhost";

// Read-only view of the caller's bytes; lives as long as the lcms2 profile that reads it.
struct BorrowedBytes {
    const std::byte* data;
    std::uint32_t size;
    std::uint32_t position;
};

BorrowedBytes& bytesOf(cmsIOHANDLER* io) {
    return *static_cast<BorrowedBytes*>(io->stream);
}

cmsUInt32Number readBorrowed(cmsIOHANDLER* io, void* buffer, cmsUInt32Number size,
                             cmsUInt32Number count) {
    BorrowedBytes& bytes = bytesOf(io);
    const std::uint64_t length = std::uint64_t{size} * count;
    if (length > bytes.size - bytes.position) {
        return 0;
    }
    std::memcpy(buffer, bytes.data + bytes.position, static_cast<std::size_t>(length));
    bytes.position += static_cast<std::uint32_t>(length);
    return count;
}

cmsBool seekBorrowed(cmsIOHANDLER* io, cmsUInt32Number offset) {
    BorrowedBytes& bytes = bytesOf(io);
    if (offset > bytes.size) {
        return FALSE;
    }
    bytes.position = offset;
    return TRUE;
}

cmsUInt32Number tellBorrowed(cmsIOHANDLER* io) {
    return bytesOf(io).position;
}

cmsBool writeRefused(cmsIOHANDLER*, cmsUInt32Number, const void*) {
    return FALSE;
}

cmsBool closeBorrowed(cmsIOHANDLER* io) {
    delete static_cast<BorrowedBytes*>(io->stream);
    delete io;
    return TRUE;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// Decodes %XX escapes; "" when an escape is malformed or decodes to a NUL.
std::string percentDecoded(const std::string& text) {
    std::string decoded;
    decoded.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            decoded += text[i];
            continue;
        }
        const int high = i + 2 < text.size() ? hexValue(text[i + 1]) : -1;
        const int low = high >= 0 ? hexValue(text[i + 2]) : -1;
        if (low < 0 || (high == 0 && low == 0)) {
            return {};
        }
        decoded += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return decoded;
}

}  // namespace

std::filesystem::path pathFromFileUrl(const std::string& url) {
    const std::size_t schemeLength = sizeof(kFileScheme) - 1;
    if (url.compare(0, schemeLength, kFileScheme) != 0) {
        return {};
    }
    const std::size_t pathStart = url.find('/', schemeLength);
    if (pathStart == std::string::npos) {
        return {};
    }
    const std::string host = url.substr(schemeLength, pathStart - schemeLength);
    if (!host.empty() && host != kLocalHost) {
        return {};
    }
    return percentDecoded(url.substr(pathStart));
}

std::shared_ptr<Profile> Profile::adopt(void* handle) {
    if (handle == nullptr) {
        return nullptr;
    }
    return std::shared_ptr<Profile>(new Profile(handle));
}

std::shared_ptr<Profile> Profile::openPath(const std::filesystem::path& path) {
    // Only a regular file is opened, and without waiting: a pipe at a profile's name, which a
    // settings file may name, holds nobody.
    cf::RegularFile file(path);
    const int descriptor = file.release();
    if (descriptor < 0) {
        return nullptr;
    }
    std::FILE* stream = ::fdopen(descriptor, "rb");
    if (stream == nullptr) {
        ::close(descriptor);
        return nullptr;
    }
    // lcms2 closes the stream with the profile, or at once when it holds no profile.
    return adopt(cmsOpenProfileFromStream(stream, "r"));
}

std::shared_ptr<Profile> Profile::openUrl(const std::string& url) {
    const std::filesystem::path path = pathFromFileUrl(url);
    return path.empty() ? nullptr : openPath(path);
}

std::shared_ptr<Profile> Profile::openBytes(std::span<const std::byte> bytes) {
    if (bytes.empty() || bytes.size() > std::numeric_limits<std::uint32_t>::max()) {
        return nullptr;
    }
    auto* io = new cmsIOHANDLER{};
    io->stream = new BorrowedBytes{bytes.data(), static_cast<std::uint32_t>(bytes.size()), 0};
    io->ReportedSize = static_cast<cmsUInt32Number>(bytes.size());
    io->Read = readBorrowed;
    io->Seek = seekBorrowed;
    io->Tell = tellBorrowed;
    io->Write = writeRefused;
    io->Close = closeBorrowed;
    // lcms2 owns the handler from here on and closes it with the profile, or at once on failure.
    return adopt(cmsOpenProfileFromIOhandlerTHR(nullptr, io));
}

Profile::~Profile() {
    cmsCloseProfile(handle_);
}

Signature Profile::colorSpace() const {
    return cmsGetColorSpace(handle_);
}

Signature Profile::deviceClass() const {
    return cmsGetDeviceClass(handle_);
}

std::uint32_t Profile::version() const {
    return cmsGetEncodedICCversion(handle_);
}

Signature Profile::manufacturer() const {
    return cmsGetHeaderManufacturer(handle_);
}

Signature Profile::model() const {
    return cmsGetHeaderModel(handle_);
}

std::optional<std::vector<std::byte>> Profile::rawTag(Signature tag) const {
    const auto signature = static_cast<cmsTagSignature>(tag);
    if (!cmsIsTag(handle_, signature)) {
        return std::nullopt;
    }
    const cmsUInt32Number size = cmsReadRawTag(handle_, signature, nullptr, 0);
    std::vector<std::byte> bytes(size);
    if (size == 0 || cmsReadRawTag(handle_, signature, bytes.data(), size) != size) {
        return std::nullopt;
    }
    return bytes;
}

std::string Profile::description() const {
    const cmsUInt32Number size = cmsGetProfileInfoASCII(handle_, cmsInfoDescription, cmsNoLanguage,
                                                        cmsNoCountry, nullptr, 0);
    if (size == 0) {
        return {};
    }
    std::string text(size, '\0');
    cmsGetProfileInfoASCII(handle_, cmsInfoDescription, cmsNoLanguage, cmsNoCountry, text.data(),
                           size);
    text.resize(std::strlen(text.c_str()));
    return text;
}

}  // namespace color
