// The Bonjour list builder.
#include "discovery/bonjour_search.h"
#include "discovery/printer_list_builders.h"
#include "discovery/search_keys.h"
#include "discovery/search_status.h"

std::uint32_t LocalBonjourPrinterListCreate(const std::vector<std::string>& searchKeys,
                                            PrinterList& list) {
    list.addresses.clear();
    if (searchKeys.empty()) {
        return kIOS_NoErr;
    }
    cf::Value entries = cf::Value::emptyArray();
    const std::int32_t code = SearchBonjourPrinterAddressList(entries);
    for (const cf::Value& entry : *entries.array()) {
        const auto model = device::StringValue(entry.find(kAddressKeyName));
        if (!model || !device::SearchKeysMatch(searchKeys, *model)) {
            continue;
        }
        if (device::PrinterAddressRef address =
                CLibPrinterAddress::initWithIOMNameAddress(kIomNameBonjour, entry)) {
            list.addresses.push_back(std::move(address));
        }
    }
    return LocalSearchErrorCodeToLibErrorCode(code);
}
