// Old settings record files from outside: whatever their count and bytes, reading stays within
// the file, the group read has exactly its count of version-200 records, and every record
// converts into an entry whose texts and curves stay within their fields.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "history/old_records.h"
#include "support/fuzz_check.h"

namespace {

// A text of at most 255 bytes of an 8-bit encoding is at most three UTF-8 bytes a byte.
constexpr std::size_t kLongestText = 3 * 255;

void checkText(const HistoryString& text) {
    testsupport::fuzzRequire(!text || (!text->empty() && text->size() <= kLongestText),
                             "a converted text is not empty and stays within its field");
}

void checkEntry(const SetDataList& entry) {
    for (const HistoryString* text :
         {&entry.NameString, &entry.FileNameString, &entry.DateString, &entry.ColorSetString,
          &entry.PrinterNameString, &entry.CommentString}) {
        checkText(*text);
    }
    testsupport::fuzzRequire(entry.settings.has_value(), "a converted entry has settings");
    const UISave& ui = *entry.settings;
    for (const std::int32_t count :
         {ui.Curves_RGB_PointNum, ui.Curves_R_PointNum, ui.Curves_G_PointNum, ui.Curves_B_PointNum,
          ui.Curves_Gray_PointNum}) {
        testsupport::fuzzRequire(count >= 0 && count <= kUISaveCurveSlots,
                                 "a point count stays within the curve's slots");
    }
    testsupport::fuzzRequire(entry.DefaultFlg == 0 || entry.DefaultFlg == 1, "a flag is 0 or 1");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> file(data, size);
    const auto read = ReadOldRegistGroup(file);
    if (!read) {
        return 0;
    }
    const std::int16_t count = Regist_GetCount(read->group);
    testsupport::fuzzRequire(read->group.size() == kRGroupCountSize + count * kRegistRecSize,
                             "the group holds its count of records");
    for (std::int16_t n = 1; n <= count; ++n) {
        SetDataList entry;
        std::int32_t printerID = -1;
        change_SetDataListFromRegistRec(&entry, Regist_Get(read->group, n), &printerID);
        checkEntry(entry);
    }
    testsupport::fuzzRequire(
        Regist_Get(read->group, static_cast<std::int16_t>(count + 1)) == nullptr,
        "no record past the count");

    // The upgrade of the first record alone, into a group with room for just one.
    std::vector<std::uint8_t> old(file.begin(), file.end());
    std::vector<std::uint8_t> one(kRGroupCountSize + kRegistRecSize);
    Convert10XTo200RegistOne(old, one, read->version);
    return 0;
}
