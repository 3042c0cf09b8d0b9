// Loading, saving and defaults of a printer's dialog settings.
#include "settings/ui_setting.h"

#include <memory>
#include <new>

#include "loaders/model_atlas_loader.h"
#include "settings/settings_files.h"
#include "settings/settings_folders.h"

namespace {

constexpr std::uint8_t kHostFlagPhotoApplication = 1;

}  // namespace

std::int32_t GetUISaveTbl(UISave* record, const cf::Value* array) {
    if (record == nullptr || array == nullptr || !array->isArray() || array->array()->empty())
        return 0;
    const cf::Value& first = array->array()->front();
    if (!first.isDictionary())
        return 0;
    getSaveData(&first, record);
    return 1;
}

std::optional<cf::Value> SetUISaveTbl(const UISave* record) {
    if (record == nullptr)
        return std::nullopt;
    try {
        cf::Value dict = cf::Value::emptyDictionary();
        addSaveDict(record, &dict);
        cf::Value::Array array;
        array.push_back(std::move(dict));
        return cf::Value(std::move(array));
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

UISave* GetUISetting(const char* printerShortName, const char* productFolder) {
    cf::Value array;
    if (LoadUISettingFile(printerShortName, &array, productFolder) != 0)
        return nullptr;
    UISave* record = CreateUISave();
    GetUISaveTbl(record, &array);
    return record;
}

UISave* LoadUISetting(std::uint8_t hostFlag, const char* printerShortName) {
    return GetUISetting(printerShortName, hostFlag == kHostFlagPhotoApplication
                                              ? kProductFolderVPX
                                              : kProductFolderStratoline);
}

void SaveUISetting(const char* printerShortName, const UISave* record, const char* productFolder) {
    if (const auto array = SetUISaveTbl(record))
        SaveUISettingFile(printerShortName, &*array, productFolder);
}

UISave* GetUIDefault(std::int32_t printerTypeID) {
    cf::Value* table = nullptr;
    const std::int32_t result = Load_GetUIDefaultTableArray(printerTypeID, &table);
    const std::unique_ptr<cf::Value> owned(table);
    if (result != 0 || owned == nullptr)
        return nullptr;
    UISavePtr record(CreateUISave());
    if (record == nullptr || GetUISaveTbl(record.get(), owned.get()) == 0)
        return nullptr;
    return record.release();
}
