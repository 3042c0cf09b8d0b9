// Printer addresses in property-list files.
#include "address/printer_address_file.h"

#include "DovoCommonLib/ios_status.h"
#include "cf/property_list.h"

namespace device {

std::uint32_t PrinterAddressWriteFile(const CLibPrinterAddress& address,
                                      const std::filesystem::path& path) {
    return cf::writePropertyListFile(path, address.printerAddress()) == cf::PlistStatus::Ok
               ? kIOS_NoErr
               : kIOS_ErrInternal;
}

PrinterAddressRef PrinterAddressReadFile(const std::filesystem::path& path) {
    cf::Value form;
    if (cf::readPropertyListFile(path, form) != cf::PlistStatus::Ok || !form.isDictionary()) {
        return {};
    }
    const auto type = Int32Value(form.find(kAddressKeyConnectionType));
    if (!type) {
        return {};
    }
    return CLibPrinterAddress::initWithConnectionType(
        *type, StringValue(form.find(kAddressKeyName)), StringValue(form.find(kAddressKeyURI)));
}

}  // namespace device
