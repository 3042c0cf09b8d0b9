#include "history_lists/favorite_array_controller.h"

#include <algorithm>
#include <utility>

#include "cf/notification_center.h"
#include "helpers/bundle_string.h"
#include "helpers/mdb_locale.h"
#include "history/print_jobs.h"
#include "history_lists/detail_list_data_source.h"
#include "media/media_list.h"

namespace {

using namespace history_lists;

/// What a favourite without the text shows.
constexpr char kMissingText[] = " ";
constexpr char kDefaultFavoriteNameKey[] = "STEXT_PRESET_DEFAULT";

std::string TextOrBlank(const HistoryString& text) {
    return text.value_or(kMissingText);
}

/// Moves the element at `from` so that it stands at `to`, the elements between shifting by one.
template <typename T>
void MoveElement(std::vector<T>& array, int from, int to) {
    const auto first = array.begin();
    if (from < to) {
        std::rotate(first + from, first + from + 1, first + to + 1);
    } else {
        std::rotate(first + to, first + from, first + from + 1);
    }
}

}  // namespace

kFavoriteArrayController::kFavoriteArrayController(ui::Port& port, std::string window,
                                                   std::string table)
    : port_(port), window_(std::move(window)), table_(std::move(table)) {}

kFavoriteArrayController::~kFavoriteArrayController() {
    if (connected_) {
        port_.setRowReordering(window_, table_, kFavoriteDragType, {});
        port_.setTableSource(window_, table_, {});
    }
}

void kFavoriteArrayController::connectTable() {
    ui::TableSource source;
    source.rowCount = [this] { return numberOfRows(); };
    source.cell = [this](std::string_view column, int row) { return tableCell(column, row); };
    source.rowEnabled = [this](int row) {
        return ElementAt(&m_arrayEnable_F, row) == std::optional<std::string>(kRowEnabled);
    };
    port_.setTableSource(window_, table_, std::move(source));
    port_.setRowReordering(
        window_, table_, kFavoriteDragType,
        [this](int sourceRow, int insertionRow) { acceptDrop(sourceRow, insertionRow); });
    connected_ = true;
}

template <typename Action>
void kFavoriteArrayController::forEachArray(Action action) {
    action(m_arrayINDEX_F);
    action(m_arrayICON_F);
    action(m_arrayName_F);
    action(m_arrayFileName_F);
    action(m_arrayPrintDate_F);
    action(m_arrayColorSet_F);
    action(m_arrayPrintName_F);
    action(m_arrayComment_F);
    action(m_arrayEnable_F);
}

void kFavoriteArrayController::listArrayTerminate() {
    forEachArray([](auto& array) { array.clear(); });
}

void kFavoriteArrayController::makeFavoriteListData(const cf::Bundle* bundle, std::int32_t region,
                                                    kCommonDataClass_ZORVEX_common_V600_PS* model) {
    m_bundle = bundle;
    cData = model;
    listArrayTerminate();
    const PrintJobs* list = model == nullptr ? nullptr : model->getFavoriteData();
    if (list == nullptr) {
        return;
    }
    char locale[kMdbLocaleBytes] = {};
    GetLocaleCharforMDB(bundle, locale);
    const std::string defaultName = CopyLocalizedString(bundle, kDefaultFavoriteNameKey);
    for (std::int16_t i = 0; i < list->count(); ++i) {
        const SetDataList& entry = list->entries[static_cast<std::size_t>(i)];
        const bool isDefault = entry.DefaultFlg != 0;
        m_arrayINDEX_F.push_back(i);
        m_arrayICON_F.emplace_back(isDefault ? kDefaultFavoriteIcon : kFavoriteIcon);
        m_arrayName_F.push_back(isDefault ? defaultName : TextOrBlank(entry.NameString));
        m_arrayFileName_F.push_back(TextOrBlank(entry.FileNameString));
        m_arrayPrintDate_F.push_back(TextOrBlank(entry.DateString));
        m_arrayColorSet_F.push_back(TextOrBlank(entry.ColorSetString));
        m_arrayPrintName_F.push_back(TextOrBlank(entry.PrinterNameString));
        m_arrayComment_F.push_back(TextOrBlank(entry.CommentString));
        bool enabled = isDefault;
        if (!isDefault && entry.settings) {
            const std::optional<std::string>& mediumName = entry.settings->MediaTypeName;
            enabled = CheckSupportedMedia(model->getMediaData(), locale, region,
                                          entry.settings->MediaType,
                                          mediumName ? mediumName->c_str() : nullptr) != 0;
        }
        m_arrayEnable_F.emplace_back(enabled ? kRowEnabled : kRowDisabled);
    }
}

std::optional<std::string> kFavoriteArrayController::objectValue(std::string_view column,
                                                                 int row) const {
    const std::pair<std::string_view, const std::vector<std::string>*> columns[] = {
        {"fname", &m_arrayName_F},         {"ffile", &m_arrayFileName_F},
        {"fdate", &m_arrayPrintDate_F},    {"fcolor", &m_arrayColorSet_F},
        {"fprinter", &m_arrayPrintName_F}, {"fcomment", &m_arrayComment_F},
    };
    for (const auto& [identifier, array] : columns) {
        if (identifier == column) {
            return ElementAt(array, row);
        }
    }
    return std::nullopt;
}

ui::TableCell kFavoriteArrayController::tableCell(std::string_view column, int row) const {
    ui::TableCell cell{objectValue(column, row).value_or(std::string()), {}};
    if (column == "fname") {
        if (const auto icon = ElementAt(&m_arrayICON_F, row)) {
            cell.picture = *icon + kIconType;
        }
    }
    return cell;
}

bool kFavoriteArrayController::acceptDrop(int sourceRow, int insertionRow) {
    const int count = numberOfRows();
    if (sourceRow < 0 || sourceRow >= count) {
        return false;
    }
    const int insertion = insertionRow < 0 ? count : std::min(insertionRow, count);
    if (insertion == sourceRow || insertion == sourceRow + 1) {
        return true;
    }
    const int target = sourceRow < insertion ? insertion - 1 : insertion;
    forEachArray([sourceRow, target](auto& array) { MoveElement(array, sourceRow, target); });
    if (cData != nullptr) {
        cData->swapFavoriteData(sourceRow, target);
    }
    port_.reloadTable(window_, table_);
    port_.selectRow(window_, table_, target);
    port_.scrollToRow(window_, table_, target);
    cf::NotificationCenter::defaultCenter().post(kSwapFavoriteListNotification);
    return true;
}
