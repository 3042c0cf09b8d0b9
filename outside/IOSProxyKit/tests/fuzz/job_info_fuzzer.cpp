// "JobInfo" files of any content: the reads either refuse them or fill whole, zero-terminated
// text fields whose bytes after the terminator are zero.
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "IOSProxyKit/ios_agency.h"
#include "support/fuzz_check.h"

namespace {

const std::filesystem::path& infoFile() {
    static const std::filesystem::path file = [] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "job-info-fuzz-XXXXXX").string();
        return std::filesystem::path(::mkdtemp(pattern.data())) / "JobInfo";
    }();
    return file;
}

void requireWholeField(const char* field) {
    const std::size_t length = strnlen(field, kIOSAgencyTextBufferSize);
    testsupport::fuzzRequire(length < kIOSAgencyTextBufferSize, "a terminated text");
    for (std::size_t i = length; i < kIOSAgencyTextBufferSize; ++i) {
        testsupport::fuzzRequire(field[i] == '\0', "zeros after the text");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::ofstream(infoFile(), std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    char name[kIOSAgencyTextBufferSize];
    char comment[kIOSAgencyTextBufferSize];
    std::memset(name, 'x', sizeof(name));
    std::memset(comment, 'x', sizeof(comment));
    std::uint32_t number = 0;
    if (IOS_Agency_ReadJobInfoFromFile(name, &number, comment, infoFile().c_str()) ==
        kIOSAgencyNoErr) {
        requireWholeField(name);
        requireWholeField(comment);
    }
    IOS_Agency_ReadJobFileState(&number, infoFile().c_str());
    IOS_Agency_ReadSingleJob(&number, infoFile().c_str());
    return 0;
}
