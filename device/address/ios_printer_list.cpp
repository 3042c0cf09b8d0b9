// The exported printer-list and IOM-list functions.
#include "DovoCommonLib/ios_printer_address.h"

#include "address/name_buffer.h"
#include "address/printer_info_folder.h"
#include "address/printer_list.h"

namespace {

PrinterList* asPrinterList(void* handle) {
    return static_cast<PrinterList*>(handle);
}

IOMList* asIOMList(void* handle) {
    return static_cast<IOMList*>(handle);
}

// Whether `index` names an element of a container of `count` elements.
bool inRange(std::int32_t index, std::size_t count) {
    return index >= 0 && static_cast<std::size_t>(index) < count;
}

}  // namespace

uint32_t IOS_PrinterListCreateFromPreference(const char* iomName, void** list) {
    if (iomName == nullptr || list == nullptr) {
        return kIOS_ErrParam;
    }
    *list = nullptr;
    PrinterList found;
    const std::uint32_t status = device::PrinterInfoFolderReadList(iomName, found);
    if (status != kIOS_NoErr) {
        return status;
    }
    *list = new PrinterList(std::move(found));
    return kIOS_NoErr;
}

int32_t IOS_PrinterListGetCount(void* list) {
    return list != nullptr ? static_cast<std::int32_t>(asPrinterList(list)->addresses.size()) : 0;
}

uint32_t IOS_PrinterListGetAddress(void* list, int32_t index, char* nameBuffer, void** address) {
    if (nameBuffer == nullptr && address == nullptr) {
        return kIOS_NoErr;
    }
    if (list == nullptr || !inRange(index, asPrinterList(list)->addresses.size())) {
        return kIOS_ErrParam;
    }
    const device::PrinterAddressRef& entry =
        asPrinterList(list)->addresses[static_cast<std::size_t>(index)];
    if (nameBuffer != nullptr) {
        device::CopyNameToBuffer(entry->printerName(), nameBuffer, kIOS_PrinterNameBufferSize);
    }
    if (address != nullptr) {
        *address = device::PrinterAddressRef(entry).leak();
    }
    return kIOS_NoErr;
}

uint32_t IOS_PrinterListDispose(void* list) {
    delete asPrinterList(list);
    return kIOS_NoErr;
}

uint32_t IOS_IOMListCreate(void** list) {
    if (list == nullptr) {
        return kIOS_ErrParam;
    }
    *list = new IOMList;
    return kIOS_NoErr;
}

int32_t IOS_IOMListGetCount(void* list) {
    return list != nullptr ? static_cast<std::int32_t>(asIOMList(list)->names.size()) : 0;
}

uint32_t IOS_IOMListGetName(void* list, int32_t index, char* buffer) {
    if (list == nullptr || buffer == nullptr || !inRange(index, asIOMList(list)->names.size())) {
        return kIOS_ErrParam;
    }
    device::CopyNameToBuffer(asIOMList(list)->names[static_cast<std::size_t>(index)], buffer,
                             kIOS_IomNameBufferSize);
    return kIOS_NoErr;
}

uint32_t IOS_IOMListDispose(void* list) {
    delete asIOMList(list);
    return kIOS_NoErr;
}
