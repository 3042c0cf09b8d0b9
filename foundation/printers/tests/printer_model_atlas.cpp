// A model-information bundle for the printer-list tests: two models, the SL-7000 printing
// through the maker's backend and the SL-5000 through the system's.
#include <cstdint>
#include <cstring>
#include <new>

#include "cf/value.h"

namespace {

struct Model {
    const char* name;
    std::int32_t typeID;
    std::int32_t useBackend;
};

constexpr Model kModels[] = {{"SL-7000", 7000, 1}, {"SL-5000", 5000, 0}};
constexpr std::int32_t kNotFound = -1;
constexpr std::int32_t kBadArgument = -50;

}  // namespace

extern "C" __attribute__((visibility("default"))) std::int32_t GetEPrinterTypeID(
    const char* printerName, std::int32_t* printerTypeID) {
    if (printerName == nullptr || printerTypeID == nullptr) {
        return kBadArgument;
    }
    *printerTypeID = 0;
    for (const Model& model : kModels) {
        if (std::strcmp(model.name, printerName) == 0) {
            *printerTypeID = model.typeID;
            return 0;
        }
    }
    return kNotFound;
}

// The model's function table: a row of another model first, as the tables hold several.
extern "C" __attribute__((visibility("default"))) std::int32_t GetPrinterFunctionInfoArray(
    std::int32_t printerTypeID, cf::Value** array) {
    for (const Model& model : kModels) {
        if (model.typeID != printerTypeID) {
            continue;
        }
        cf::Value other = cf::Value::emptyDictionary();
        other.set("EPrinterTypeID", std::int32_t{1});
        other.set("UseBackend", std::int32_t{1 - model.useBackend});
        cf::Value row = cf::Value::emptyDictionary();
        row.set("EPrinterTypeID", model.typeID);
        row.set("UseBackend", model.useBackend);
        *array = new (std::nothrow) cf::Value(cf::Value::Array{other, row});
        return 0;
    }
    return 0;
}
