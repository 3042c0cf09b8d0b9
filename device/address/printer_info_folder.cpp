// Printer addresses of the printer-information folder.
#include "address/printer_info_folder.h"

#include <algorithm>
#include <system_error>
#include <vector>

#include "DovoCommonLib/ios_status.h"
#include "address/printer_address_archive.h"
#include "cf/folders.h"
#include "cf/property_list.h"

namespace {

constexpr const char* kPrinterInfoFolder = "Orvane/TARN/PrinterInfo";
constexpr const char* kBonjourSubfolder = "DNSSD";
constexpr std::string_view kAddressKey = "com.apple.print.PrinterInfo.PMPrinterAddress";
constexpr std::string_view kItemArrayKey = "com.apple.print.ticket.itemArray";

// The address in one printer-information file: the first item of the address ticket's item
// array holds the keyed archive.
device::PrinterAddressRef addressOfFile(const std::filesystem::path& path) {
    cf::Value info;
    if (cf::readPropertyListFile(path, info) != cf::PlistStatus::Ok) {
        return {};
    }
    const cf::Value* ticket = info.find(kAddressKey);
    const cf::Value* items = ticket != nullptr ? ticket->find(kItemArrayKey) : nullptr;
    if (items == nullptr || items->array() == nullptr || items->array()->empty()) {
        return {};
    }
    const cf::Value* archive = items->array()->front().find(kAddressKey);
    return archive != nullptr ? device::PrinterAddressUnarchive(*archive)
                              : device::PrinterAddressRef{};
}

std::vector<std::filesystem::path> folderEntries(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> entries;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        entries.push_back(it->path());
    }
    std::sort(entries.begin(), entries.end());
    return entries;
}

}  // namespace

namespace device {

std::filesystem::path PrinterInfoFolder(std::string_view iomName) {
    const auto base = cf::Folders::sharedCaches() / kPrinterInfoFolder;
    return iomName == kIomNameBonjour ? base / kBonjourSubfolder : base / iomName;
}

std::uint32_t PrinterInfoFolderReadList(std::string_view iomName, PrinterList& list) {
    // A name that would lead out of the printer-information folder names no folder of it.
    const bool leavesFolder =
        iomName.find('/') != std::string_view::npos || iomName == "." || iomName == "..";
    const auto entries = leavesFolder ? std::vector<std::filesystem::path>{}
                                      : folderEntries(PrinterInfoFolder(iomName));
    PrinterList found;
    for (const auto& entry : entries) {
        if (auto address = addressOfFile(entry)) {
            found.addresses.push_back(std::move(address));
        }
    }
    if (!entries.empty() && found.addresses.empty()) {
        return kIOS_ErrInternal;
    }
    list = std::move(found);
    return kIOS_NoErr;
}

}  // namespace device
