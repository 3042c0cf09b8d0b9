#include "data_converter.h"

#include <string_view>

#include "connect_conversion.h"
#include "job_conversion.h"
#include "settings/settings_folders.h"
#include "ui_conversion.h"
#include "user_paper_conversion.h"

namespace {

// The printer's folder under Preferences/productFolder, both made when missing.
PrinterFolder printerFolderOf(const char* printerName, const char* productFolder) {
    const auto preferences = GetPreferencesFolderURLRef();
    const auto product =
        preferences ? GetFolderURLRef(1, *preferences, productFolder) : std::nullopt;
    return product ? GetFolderURLRef(1, *product, printerName) : std::nullopt;
}

bool isEmpty(const char* text) {
    return text == nullptr || text[0] == '\0';
}

}  // namespace

bool checkConvUserPaper() {
    const auto preferences = GetPreferencesFolderURLRef();
    const auto common =
        preferences ? GetFolderURLRef(0, *preferences, kCommonFolder) : std::nullopt;
    return common && mustConvert(*common, kCustomPaperFileName, kOldUserPaperFileName);
}

bool checkConvConnect(const char* printerName, const PrinterFolder& printerFolder) {
    return !isEmpty(printerName) && printerFolder &&
           mustConvert(*printerFolder, kConnectPrinterFileName, kOldConnectFileName);
}

bool checkConvUI(const PrinterFolder& printerFolder) {
    return printerFolder && mustConvert(*printerFolder, kUISettingFileName, kOldUIFileName);
}

bool checkConvJobAndFavorite(const PrinterFolder& printerFolder) {
    return printerFolder && mustConvert(*printerFolder, kJobHistoryFileName, kOldJobFileName);
}

std::int32_t checkFiles(const char* printerName, const PrinterFolder& printerFolder) {
    std::int32_t mask = 0;
    mask |= checkConvUserPaper() ? kConvertUserPaper : 0;
    mask |= checkConvConnect(printerName, printerFolder) ? kConvertConnect : 0;
    mask |= checkConvUI(printerFolder) ? kConvertUI : 0;
    mask |= checkConvJobAndFavorite(printerFolder) ? kConvertJobAndFavorite : 0;
    return mask;
}

std::int32_t convFiles(const char* printerName, const PrinterFolder& printerFolder,
                       const char* productFolder) {
    std::int32_t mask = 0;
    mask |= convUserPaper() ? kConvertUserPaper : 0;
    mask |= convConnect(printerName, printerFolder, productFolder) ? kConvertConnect : 0;
    mask |= convUI(printerName, printerFolder, productFolder) ? kConvertUI : 0;
    mask |=
        convJobAndFavorite(printerName, printerFolder, productFolder) ? kConvertJobAndFavorite : 0;
    return mask;
}

bool checkConvert(const char* printerName, const char* productFolder) {
    if (isEmpty(printerName) || isEmpty(productFolder)) {
        return false;
    }
    return checkFiles(printerName, printerFolderOf(printerName, productFolder)) != 0;
}

std::int32_t modelSerch(const char* printerName, const char* productFolder) {
    const PrinterFolder folder =
        isEmpty(printerName) ? std::nullopt : printerFolderOf(printerName, productFolder);
    return convFiles(printerName, folder, productFolder);
}

bool isSafeFolderName(const char* name) {
    if (name == nullptr) {
        return false;
    }
    const std::string_view text(name);
    return !text.empty() && text != "." && text != ".." && text.find('/') == std::string_view::npos;
}

int DataConverterMain(int argc, const char* const argv[]) {
    constexpr int kArguments = 4;  // the program, printer name, product folder, mode
    if (argc < kArguments || argv == nullptr) {
        return kExitNothingToDo;
    }
    const char* printerName = argv[1];
    const char* productFolder = argv[2];
    const std::string_view mode = argv[3] != nullptr ? argv[3] : "";
    // Both names become folder names under Preferences: a name that would lead elsewhere is
    // refused before anything is looked at.
    const bool namesUsable = (isEmpty(printerName) || isSafeFolderName(printerName)) &&
                             (isEmpty(productFolder) || isSafeFolderName(productFolder));
    if (!namesUsable) {
        return kExitNothingToDo;
    }
    if (mode == "check") {
        return checkConvert(printerName, productFolder) ? kExitConversionWaiting : kExitNothingToDo;
    }
    if (mode == "convert") {
        modelSerch(printerName, productFolder);
    }
    return kExitNothingToDo;
}
