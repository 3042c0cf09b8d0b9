// Settings files from outside, as the readers see them once parsed: a settings dictionary or the
// array of "ui3.xml", "connect3.xml" and "user3.xml". Whatever they hold, point counts stay within
// a curve's slots, a record written and read back is stable, and the custom paper reader adds at
// most one row per entry.
#include <cstddef>
#include <cstdint>
#include <span>

#include "cf/property_list.h"
#include "settings/settings_readers_internal.h"
#include "settings/ui_save.h"
#include "settings/ui_setting.h"
#include "support/fuzz_check.h"

namespace {

constexpr std::int32_t UISave::*kPointCounts[] = {
    &UISave::Curves_RGB_PointNum, &UISave::Curves_R_PointNum, &UISave::Curves_G_PointNum,
    &UISave::Curves_B_PointNum, &UISave::Curves_Gray_PointNum};

UISave writtenAndRead(const UISave& record) {
    cf::Value dict = cf::Value::emptyDictionary();
    addSaveDict(&record, &dict);
    UISave read;
    getSaveData(&dict, &read);
    return read;
}

void checkRecord(const UISave& record) {
    for (const auto count : kPointCounts) {
        testsupport::fuzzRequire(record.*count >= 0 && record.*count <= kUISaveCurveSlots,
                                 "a point count stays within the curve's slots");
    }
    const UISave once = writtenAndRead(record);
    testsupport::fuzzRequire(once.UISaveVersion == kUISaveVersion, "the version is written 101");
    testsupport::fuzzRequire(writtenAndRead(once) == once, "a written record reads back the same");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    cf::Value root;
    if (cf::readPropertyList(std::span(data, size), root) != cf::PlistStatus::Ok)
        return 0;

    UISave record;
    getSaveData(&root, &record);
    checkRecord(record);
    UISave fromArray;
    if (GetUISaveTbl(&fromArray, &root) == 1)
        checkRecord(fromArray);

    ReadConnectPrinterList(root);

    MenuDataArray menu = nullptr;
    if (KMenu::NewMenuData(&menu) != 0)
        return 0;
    AppendCustomPaperList(root, menu);
    const cf::Value* papers = root.find("CustomPapers");
    const std::size_t entries =
        papers != nullptr && papers->isArray() ? papers->array()->size() : 0;
    testsupport::fuzzRequire(menu->array()->size() <= entries, "at most one row per paper entry");
    KMenu::DisposeMenuData(&menu);
    return 0;
}
