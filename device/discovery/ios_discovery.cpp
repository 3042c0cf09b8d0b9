// The exported search-key and discovery functions.
#include "DovoCommonLib/ios_discovery.h"

#include <new>

#include "address/printer_address.h"
#include "discovery/printer_list_builders.h"
#include "discovery/search_keys.h"

namespace {

device::SearchKeyList* asKeyList(void* handle) {
    return static_cast<device::SearchKeyList*>(handle);
}

std::uint32_t buildList(std::string_view iomName, const IOS_LPRSearchContext* context,
                        const std::vector<std::string>& keys, PrinterList& list) {
    switch (CLibPrinterAddress::localPrinterConnectionTypeWithIOMName(iomName)) {
        case kCLibConnectionUSB:
            return LocalUSBPrinterListCreate(keys, list);
        case kCLibConnectionBonjour:
            return LocalBonjourPrinterListCreate(keys, list);
        case kCLibConnectionLPR:
            return context != nullptr ? LocalLPRPrinterListCreate(*context, keys, list)
                                      : kIOS_ErrParam;
        default:
            return kIOS_ErrConnectionKind;
    }
}

}  // namespace

uint32_t IOS_SearchKeyListCreate(void** list) {
    if (list == nullptr) {
        return kIOS_ErrParam;
    }
    *list = new (std::nothrow) device::SearchKeyList;
    return *list != nullptr ? kIOS_NoErr : kIOS_ErrMemory;
}

uint32_t IOS_SearchKeyListAppend(void* list, const char* text) {
    if (list == nullptr || text == nullptr) {
        return kIOS_ErrParam;
    }
    if (!device::Utf8CharacterCount(text)) {
        return kIOS_ErrMemory;
    }
    try {
        asKeyList(list)->keys.emplace_back(text);
    } catch (const std::bad_alloc&) {
        return kIOS_ErrMemory;
    }
    return kIOS_NoErr;
}

uint32_t IOS_SearchKeyListDispose(void* list) {
    delete asKeyList(list);
    return kIOS_NoErr;
}

uint32_t IOS_PrinterListCreate(const char* iomName, const IOS_LPRSearchContext* context,
                               void* searchKeys, void** list) {
    if (list != nullptr) {
        *list = nullptr;
    }
    if (iomName == nullptr || list == nullptr) {
        return kIOS_ErrParam;
    }
    try {
        static const std::vector<std::string> kNoKeys;
        const std::vector<std::string>& keys =
            searchKeys != nullptr ? asKeyList(searchKeys)->keys : kNoKeys;
        auto found = std::make_unique<PrinterList>();
        const std::uint32_t status = buildList(iomName, context, keys, *found);
        if (status == kIOS_NoErr) {
            *list = found.release();
        }
        return status;
    } catch (const std::bad_alloc&) {
        return kIOS_ErrMemory;
    }
}
