// The walk over the installed PPD files.
#pragma once

#include <filesystem>
#include <functional>
#include <vector>

#include "printing/ppd.h"

namespace printing {

/// Where installed PPDs live, in walk order: the printer driver's PPD folder under the driver
/// root, then the system's CUPS model folder ($CUPS_DATADIR/model, else /usr/share/cups/model)
/// and the PPD folders of the desktop convention (/usr/share/ppd, /usr/local/share/ppd). Each
/// folder is walked with its subfolders.
std::vector<std::filesystem::path> installedPpdFolders();

/// The printer driver's PPD folder under the driver root.
std::filesystem::path driverPpdFolder();

/// Called with each installed PPD and its file; answers true to go on, false to stop.
using PpdVisitor = std::function<bool(const Ppd& ppd, const std::filesystem::path& file)>;

/// Opens every regular file of the PPD folders, in name order within a folder, and hands each
/// one that is a PPD to the visitor until it answers false. Files that are no PPDs or cannot be
/// read are skipped. Answers false when the visitor stopped the walk.
bool forEachInstalledPpd(const PpdVisitor& visit);

}  // namespace printing
