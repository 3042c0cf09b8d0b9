// The custom paper list's file.
#include "settings/custom_paper_file.h"

#include "cf/property_list.h"
#include "helpers/kdict.h"
#include "settings/property_list_file.h"
#include "settings/settings_folders.h"
#include "settings/settings_readers_internal.h"

namespace {

constexpr std::int32_t kCustomPaperVersion = 100;
constexpr std::int32_t kRowEnabled = 1;

}  // namespace

void AppendCustomPaperList(const cf::Value& root, MenuDataArray menu) {
    std::int32_t version = 0;
    const cf::Value* papers = nullptr;
    if (menu == nullptr || kDict::DictGetSInt32(&root, "CustomPaperVers", &version) != 0 ||
        version != kCustomPaperVersion ||
        kDict::DictGetCFArrayRef(&root, "CustomPapers", &papers) != 0) {
        return;
    }
    for (const cf::Value& paper : *papers->array()) {
        const std::string* name = nullptr;
        if (kDict::DictGetCFString(&paper, "PaperName", &name) != 0) {
            continue;
        }
        std::int32_t sizeID = 0;
        std::int32_t width = 0;
        std::int32_t height = 0;
        kDict::DictGetSInt32(&paper, "PaperSizeID", &sizeID);
        kDict::DictGetSInt32(&paper, "PaperSizeMM_width", &width);
        kDict::DictGetSInt32(&paper, "PaperSizeMM_height", &height);
        KMenu::AddMenuData(menu, name->c_str(), sizeID, width, height, kRowEnabled);
    }
}

void LoadCustomPaperFile(MenuDataArray menu) {
    if (menu == nullptr) {
        return;
    }
    const auto url = CommonSettingsFileURL(kCustomPaperFileName);
    cf::Value root;
    if (url && cf::readPropertyListFile(*url, root) == cf::PlistStatus::Ok) {
        AppendCustomPaperList(root, menu);
    }
}

void SaveCustomPaperFile(MenuDataArray menu) {
    if (menu == nullptr || !menu->isArray()) {
        return;
    }
    cf::Value papers = cf::Value::emptyArray();
    const auto rows = static_cast<std::int32_t>(menu->array()->size());
    for (std::int32_t row = 1; row <= rows; ++row) {
        const char* name = nullptr;
        std::int32_t sizeID = 0;
        std::int32_t width = 0;
        std::int32_t height = 0;
        KMenu::GetMenuData(menu, &name, &sizeID, &width, &height, nullptr, row);
        if (name == nullptr) {
            continue;
        }
        cf::Value paper = cf::Value::emptyDictionary();
        paper.set("PaperName", cf::Value(name));
        setDicNumber(&paper, &sizeID, kNumberSInt32, "PaperSizeID");
        setDicNumber(&paper, &width, kNumberSInt32, "PaperSizeMM_width");
        setDicNumber(&paper, &height, kNumberSInt32, "PaperSizeMM_height");
        papers.append(std::move(paper));
    }
    cf::Value dict = cf::Value::emptyDictionary();
    setDicNumber(&dict, &kCustomPaperVersion, kNumberSInt32, "CustomPaperVers");
    dict.set("CustomPapers", std::move(papers));
    if (const auto url = CommonSettingsFileURL(kCustomPaperFileName)) {
        WritePropertyListToFile(&dict, &*url);
    }
}
