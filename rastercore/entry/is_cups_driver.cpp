// Tells whether a printer model is served by a CUPS/PPD driver or by the maker's own driver
// plug-in, from the driver's folders under the driver root.
#include <filesystem>
#include <string>

#include "cf/bundle.h"
#include "cf/folders.h"
#include "cf/property_list.h"
#include "cf/value.h"
#include "rastercore/raster_core.h"

namespace {

namespace fs = std::filesystem;

constexpr std::int32_t kCupsDriver = 1;
constexpr std::int32_t kOwnDriver = 0;
constexpr const char* kPpdFileNameKey = "orvane.wqs.PPDFileNameDic";
constexpr const char* kItemArrayKey = "com.apple.print.ticket.itemArray";

fs::path productListPath(const fs::path& printers) {
    return printers / "Orvane" / "TARN" / "Profile" / "Product.xml";
}

fs::path ppdPath(const fs::path& printers, const std::string& ppdName) {
    return printers / "PPDs" / "Contents" / "Resources" / ppdName;
}

fs::path driverPlugInPath(const fs::path& printers, const std::string& model) {
    return printers / "Orvane" / "TARN" / "Controls" / (model + ".plugin");
}

bool reachable(const fs::path& path) {
    std::error_code error;
    return fs::exists(path, error);
}

// The PPD file name the product list gives for `model`, or null.
const std::string* ppdNameFor(const cf::Value& productList, const std::string& model) {
    const cf::Value* outer = productList.find(kPpdFileNameKey);
    const cf::Value* items = outer != nullptr ? outer->find(kItemArrayKey) : nullptr;
    const cf::Value::Array* array = items != nullptr ? items->array() : nullptr;
    if (array == nullptr || array->empty()) {
        return nullptr;
    }
    const cf::Value* inner = array->front().find(kPpdFileNameKey);
    if (inner == nullptr || !inner->isDictionary()) {
        return nullptr;
    }
    const cf::Value* name = inner->find(model);
    return name != nullptr ? name->string() : nullptr;
}

std::int32_t driverKind(const std::string& model) {
    const fs::path printers = cf::Folders::driverRoot();
    std::error_code error;
    if (!fs::is_directory(printers, error)) {
        return kCupsDriver;
    }
    cf::Value productList;
    if (cf::readPropertyListFile(productListPath(printers), productList) != cf::PlistStatus::Ok) {
        return kCupsDriver;
    }
    if (const std::string* ppdName = ppdNameFor(productList, model);
        ppdName != nullptr && reachable(ppdPath(printers, *ppdName))) {
        return kCupsDriver;
    }
    return cf::Bundle::open(driverPlugInPath(printers, model)) != nullptr ? kOwnDriver
                                                                          : kCupsDriver;
}

}  // namespace

extern "C" std::int32_t RasterCore_isCUPSDriver(const char* modelName) {
    if (modelName == nullptr) {
        return kCupsDriver;
    }
    try {
        return driverKind(modelName);
    } catch (...) {
        return kCupsDriver;
    }
}
