// Whole-file reads and writes of the per-printer settings and history files.
#include "settings/settings_files.h"

#include "cf/property_list.h"
#include "settings/property_list_file.h"
#include "settings/settings_codes.h"
#include "settings/settings_folders.h"

namespace {

std::int32_t loadRoot(const char* printerShortName, const char* productFolder, const char* fileName,
                      cf::Value::Type rootType, cf::Value* root) {
    if (root == nullptr)
        return kSettingsNotRead;
    *root = cf::Value();
    const auto url = PrinterSettingsFileURL(productFolder, printerShortName, fileName);
    cf::Value read;
    if (!url || cf::readPropertyListFile(*url, read) != cf::PlistStatus::Ok ||
        read.type() != rootType) {
        return kSettingsNotRead;
    }
    *root = std::move(read);
    return 0;
}

void saveRoot(const char* printerShortName, const char* productFolder, const char* fileName,
              cf::Value::Type rootType, const cf::Value* root) {
    if (root == nullptr || root->type() != rootType)
        return;
    if (const auto url = PrinterSettingsFileURL(productFolder, printerShortName, fileName))
        WritePropertyListToFile(root, &*url);
}

}  // namespace

std::int32_t LoadUISettingFile(const char* printerShortName, cf::Value* array,
                               const char* productFolder) {
    return loadRoot(printerShortName, productFolder, kUISettingFileName, cf::Value::Type::Array,
                    array);
}

void SaveUISettingFile(const char* printerShortName, const cf::Value* array,
                       const char* productFolder) {
    saveRoot(printerShortName, productFolder, kUISettingFileName, cf::Value::Type::Array, array);
}

std::int32_t LoadJobHistoryFile(const char* printerShortName, cf::Value* dict,
                                const char* productFolder) {
    return loadRoot(printerShortName, productFolder, kJobHistoryFileName,
                    cf::Value::Type::Dictionary, dict);
}

void SaveJobHistoryFile(const char* printerShortName, const cf::Value* dict,
                        const char* productFolder) {
    saveRoot(printerShortName, productFolder, kJobHistoryFileName, cf::Value::Type::Dictionary,
             dict);
}
