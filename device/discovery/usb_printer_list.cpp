// The USB list builder.
#include <thread>

#include "discovery/printer_list_builders.h"
#include "discovery/search_keys.h"
#include "discovery/search_status.h"
#include "discovery/usb_printer_search.h"

namespace {

// A printer that has only just been attached may not answer yet: the search is run again.
constexpr int kSearchRuns = 5;
constexpr std::chrono::milliseconds kPauseBetweenRuns{300};

}  // namespace

std::uint32_t LocalUSBPrinterListCreate(const std::vector<std::string>& searchKeys,
                                        PrinterList& list) {
    list.addresses.clear();
    if (searchKeys.empty()) {
        return kIOS_NoErr;
    }
    std::int32_t code = kSearchNoErr;
    for (int run = 0; run < kSearchRuns && list.addresses.empty(); ++run) {
        if (run > 0) {
            std::this_thread::sleep_for(kPauseBetweenRuns);
        }
        cf::Value entries = cf::Value::emptyArray();
        code = SearchUSBPrinterAddressList(entries);
        for (const cf::Value& entry : *entries.array()) {
            device::PrinterAddressRef address =
                CLibPrinterAddress::initWithIOMNameAddress(kIomNameUSB, entry);
            if (address && device::SearchKeysMatch(searchKeys, address->printerName())) {
                list.addresses.push_back(std::move(address));
            }
        }
    }
    return LocalSearchErrorCodeToLibErrorCode(code);
}
