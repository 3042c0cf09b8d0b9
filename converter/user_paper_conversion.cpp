#include "user_paper_conversion.h"

#include "bytes/byte_order.h"
#include "cf/regular_file.h"
#include "conversion_check.h"
#include "legacy_text.h"
#include "settings/custom_paper_file.h"
#include "settings/settings_folders.h"

namespace {

constexpr std::int32_t kPaperEnabled = 1;

OldPaper hostOrder(const PaperIDRec& record, std::string name) {
    OldPaper paper;
    paper.paperID = static_cast<std::int16_t>(bytes::loadBE16(record.paperID));
    paper.name = std::move(name);
    paper.width = static_cast<std::int32_t>(bytes::loadBE32(record.width));
    paper.height = static_cast<std::int32_t>(bytes::loadBE32(record.height));
    return paper;
}

}  // namespace

std::optional<std::vector<OldPaper>> readOldPaperList(std::span<const std::uint8_t> file) {
    const auto count = declaredListCount(file);
    if (!count || (file.size() - kOldListCountSize) / sizeof(PaperIDRec) < *count) {
        return std::nullopt;
    }
    std::vector<OldPaper> papers;
    const std::int16_t records = PaperID_GetCount(file, kPaperKindAll);
    for (std::int16_t position = 1; position <= records; ++position) {
        const auto record = PaperID_Get(file, position, kPaperKindAll);
        auto name = record ? converter::lengthPrefixedString(record->paperName) : std::nullopt;
        if (name) {
            papers.push_back(hostOrder(*record, std::move(*name)));
        }
    }
    return papers;
}

bool convUserPaper() {
    const auto preferences = GetPreferencesFolderURLRef();
    const auto common =
        preferences ? GetFolderURLRef(1, *preferences, kCommonFolder) : std::nullopt;
    if (!common || !mustConvert(*common, kCustomPaperFileName, kOldUserPaperFileName)) {
        return false;
    }
    const auto path = *common / kOldUserPaperFileName;
    const auto head = cf::readRegularFileStart(path, kOldListCountSize);
    const auto count = head ? declaredListCount(*head) : std::nullopt;
    const auto file =
        count ? cf::readRegularFileStart(path, kOldListCountSize + *count * sizeof(PaperIDRec))
              : std::nullopt;
    const auto papers = file ? readOldPaperList(*file) : std::nullopt;
    if (!papers) {
        return false;
    }
    MenuDataArray menu = nullptr;
    if (KMenu::NewMenuData(&menu) != 0) {
        return false;
    }
    for (const auto& paper : *papers) {
        KMenu::AddMenuData(menu, paper.name.c_str(), paper.paperID, paper.width, paper.height,
                           kPaperEnabled);
    }
    SaveCustomPaperFile(menu);
    KMenu::DisposeMenuData(&menu);
    return true;
}
