// The texts that describe a job: its date, its job number of the day, the summary of its colour
// adjustment and the caption printed beside the image.
#include <cstdio>
#include <iterator>

#include "common_data.h"
#include "helpers/bundle_string.h"
#include "helpers/pop_menu.h"
#include "job_number.h"

namespace {

constexpr std::int32_t kColorModeMonochrome = 2;
constexpr char kCaptionSeparator[] = "  ";

template <class... Values>
std::string format(const char* pattern, Values... values) {
    const int length = std::snprintf(nullptr, 0, pattern, values...);
    std::string text(static_cast<std::size_t>(length), '\0');
    std::snprintf(text.data(), text.size() + 1, pattern, values...);
    return text;
}

void appendItem(std::string& caption, std::uint8_t on, const std::optional<std::string>& item) {
    if (on != 0 && item && !item->empty()) {
        caption += *item;
        caption += kCaptionSeparator;
    }
}

}  // namespace

void kCommonDataClass_ZORVEX_common_V600_PS::getDate(std::int32_t date[5]) const {
    const ModelDate now = m_clock();
    date[0] = now.year;
    date[1] = now.month;
    date[2] = now.day;
    date[3] = now.hour;
    date[4] = now.minute;
}

std::string kCommonDataClass_ZORVEX_common_V600_PS::getDateStrings() const {
    const ModelDate now = m_clock();
    return format("%d/%d/%d %d:%02d", now.year, now.month, now.day, now.hour, now.minute);
}

std::string kCommonDataClass_ZORVEX_common_V600_PS::getJobNumberStrings(std::int32_t number) const {
    const ModelDate now = m_clock();
    return format("%04d%02d%02d-%03d", now.year, now.month, now.day, number);
}

// The localized text of a menu row; a value without a row has an empty label.
std::string kCommonDataClass_ZORVEX_common_V600_PS::menuLabel(std::int32_t value,
                                                              const PopMenuTbl* table,
                                                              std::int64_t tableBytes) const {
    const char* key = Get_MenuKeyStr(value, table, tableBytes);
    if (key == nullptr) {
        return {};
    }
    return CopyLocalizedString(plugInBundle(), key);
}

std::string kCommonDataClass_ZORVEX_common_V600_PS::getColorAdjustStrings() const {
    const ColorAdjustValues& c = m_colorAdjusts;
    if (m_colorMode == kColorModeMonochrome) {
        const std::string preset = menuLabel(c.grayPreset, GRAYPRESET_MENU, sizeof GRAYPRESET_MENU);
        const std::string tone = menuLabel(c.grayGradation, TONE_MENU, sizeof TONE_MENU);
        return format("%s/%d/%d/%s/%d/%d/%d/%d/%d", preset.c_str(), c.grayX, c.grayY, tone.c_str(),
                      c.grayBrightness, c.grayContrast, c.grayHighlight, c.grayShadow, c.whiteFog);
    }
    return format("%d/%d/%d/%d/%d/%d/%d", c.cr, c.mg, c.yb, c.gray, c.brightness, c.contrast,
                  c.saturation);
}

std::string kCommonDataClass_ZORVEX_common_V600_PS::makeCaptionStrings() const {
    std::string caption;
    appendItem(caption, m_captions.number, getJobNumberStrings(getJobNumberCount()));
    appendItem(caption, m_captions.imFileName, m_imageData.fileName);
    appendItem(caption, m_captions.dateTime, getDateStrings());
    appendItem(caption, m_captions.colorSet, getColorAdjustStrings());
    appendItem(caption, m_captions.printerName, m_cfPopupName);
    appendItem(caption, m_captions.jobComment, m_captions.comment);
    return caption;
}
