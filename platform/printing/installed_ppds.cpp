// The installed-PPD walk: the driver's own folder first, then the folders CUPS takes models from.
#include "printing/installed_ppds.h"

#include <algorithm>
#include <cstdlib>
#include <system_error>

#include "cf/folders.h"

namespace printing {
namespace {

namespace fs = std::filesystem;

constexpr char kDriverPpds[] = "PPDs/Contents/Resources";
constexpr char kCupsDataFolder[] = "/usr/share/cups";

fs::path cupsModelFolder() {
    const char* value = std::getenv("CUPS_DATADIR");
    return fs::path(value != nullptr && *value != '\0' ? value : kCupsDataFolder) / "model";
}

// The regular files below `folder`, sorted by path so that the walk order is stable.
std::vector<fs::path> filesBelow(const fs::path& folder) {
    std::vector<fs::path> files;
    std::error_code error;
    fs::recursive_directory_iterator entries(folder, fs::directory_options::skip_permission_denied,
                                             error);
    for (; !error && entries != fs::recursive_directory_iterator(); entries.increment(error)) {
        std::error_code entryError;
        if (entries->is_regular_file(entryError) && !entryError) {
            files.push_back(entries->path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace

fs::path driverPpdFolder() {
    return cf::Folders::driverRoot() / kDriverPpds;
}

std::vector<fs::path> installedPpdFolders() {
    return {driverPpdFolder(), cupsModelFolder(), "/usr/share/ppd", "/usr/local/share/ppd"};
}

bool forEachInstalledPpd(const PpdVisitor& visit) {
    for (const fs::path& folder : installedPpdFolders()) {
        for (const fs::path& file : filesBelow(folder)) {
            const std::unique_ptr<Ppd> ppd = Ppd::openFile(file);
            if (ppd != nullptr && !visit(*ppd, file)) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace printing
