// The installed-PPD walk: the driver's own folder first, then the folders CUPS takes models from.
#include "printing/installed_ppds.h"

#include <cstdlib>

#include "cf/folder_files.h"
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

}  // namespace

fs::path driverPpdFolder() {
    return cf::Folders::driverRoot() / kDriverPpds;
}

std::vector<fs::path> installedPpdFolders() {
    return {driverPpdFolder(), cupsModelFolder(), "/usr/share/ppd", "/usr/local/share/ppd"};
}

bool forEachInstalledPpd(const PpdVisitor& visit) {
    for (const fs::path& folder : installedPpdFolders()) {
        for (const fs::path& file : cf::regularFilesBelow(folder)) {
            const std::unique_ptr<Ppd> ppd = Ppd::openFile(file);
            if (ppd != nullptr && !visit(*ppd, file)) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace printing
