// PPDs through libcups' PPD functions. CUPS marks them deprecated in favour of IPP Everywhere;
// the printer driver still ships PPDs, so the warnings are silenced here and only here.
#include "printing/ppd.h"

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

#include <cups/cups.h>
#include <cups/ppd.h>
#include <unistd.h>

#include <array>
#include <ctime>

#include "cf/regular_file.h"

namespace printing {
namespace {

ppd_file_t* ppdOf(void* file) {
    return static_cast<ppd_file_t*>(file);
}

// Room for the name of the temporary file that CUPS writes the fetched PPD to.
constexpr std::size_t kTemporaryNameSize = 1024;

}  // namespace

std::unique_ptr<Ppd> Ppd::openFile(const std::filesystem::path& path) {
    // Only a regular file is opened, and without waiting: a pipe among the installed PPDs holds
    // nobody.
    cf::RegularFile regular(path);
    const int descriptor = regular.release();
    if (descriptor < 0) {
        return nullptr;
    }
    // libcups closes the descriptor once it has read the file.
    ppd_file_t* file = ppdOpenFd(descriptor);
    return file != nullptr ? std::unique_ptr<Ppd>(new Ppd(file)) : nullptr;
}

std::unique_ptr<Ppd> Ppd::ofQueue(const std::string& queue) {
    std::array<char, kTemporaryNameSize> copy{};
    time_t modified = 0;
    if (cupsGetPPD3(CUPS_HTTP_DEFAULT, queue.c_str(), &modified, copy.data(), copy.size()) !=
        HTTP_STATUS_OK) {
        return nullptr;
    }
    std::unique_ptr<Ppd> ppd = openFile(copy.data());
    ::unlink(copy.data());
    return ppd;
}

Ppd::~Ppd() {
    ppdClose(ppdOf(file_));
}

bool Ppd::hasAttributes() const {
    return ppdOf(file_)->num_attrs > 0;
}

std::optional<std::string> Ppd::attribute(std::string_view keyword) const {
    const ppd_file_t* file = ppdOf(file_);
    for (int i = 0; i < file->num_attrs; ++i) {
        const ppd_attr_t* attr = file->attrs[i];
        if (keyword == attr->name) {
            return attr->value != nullptr ? std::optional<std::string>(attr->value) : std::nullopt;
        }
    }
    return std::nullopt;
}

std::string Ppd::modelName() const {
    const char* name = ppdOf(file_)->modelname;
    return name != nullptr ? name : "";
}

}  // namespace printing

#pragma GCC diagnostic pop
