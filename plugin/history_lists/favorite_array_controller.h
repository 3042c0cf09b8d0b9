// The source of the history dialog's favourites table: the settings model's favourites as nine
// parallel column arrays, and the user's reordering of favourites by dragging a row, which moves
// the entry in the model too and tells the dialog through "kSwapFavoriteListNotification".
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cf/bundle.h"
#include "common_data.h"
#include "ui/port.h"

namespace history_lists {

/// The private drag type of the favourites table.
inline constexpr char kFavoriteDragType[] = "PLFAVORITEDRAGDROP";
/// Posted on the default centre, object none, after every favourite moved by dragging.
inline constexpr char kSwapFavoriteListNotification[] = "kSwapFavoriteListNotification";
inline constexpr char kRowEnabled[] = "Enable";
inline constexpr char kRowDisabled[] = "Disable";
/// The icons of the name column (pictures "<name>.tiff" of the plug-in's resources).
inline constexpr char kDefaultFavoriteIcon[] = "mark";
inline constexpr char kFavoriteIcon[] = "no_mark";
inline constexpr char kIconType[] = ".tiff";

}  // namespace history_lists

class kFavoriteArrayController {
  public:
    /// The controller of the table `table` of `window`.
    kFavoriteArrayController(ui::Port& port, std::string window, std::string table);
    /// Takes its rows and its reordering away from the table it was connected to.
    ~kFavoriteArrayController();
    kFavoriteArrayController(const kFavoriteArrayController&) = delete;
    kFavoriteArrayController& operator=(const kFavoriteArrayController&) = delete;

    /// Makes the controller the table's source and lets the user reorder its rows by dragging.
    void connectTable();

    /// Rebuilds the nine arrays from the favourites of `cData` (borrowed, as is `bundle`, whose
    /// strings and media-name locale are used); without a list the arrays are empty.
    void makeFavoriteListData(const cf::Bundle* bundle, std::int32_t region,
                              kCommonDataClass_ZORVEX_common_V600_PS* cData);
    /// Empties the nine arrays.
    void listArrayTerminate();
    /// "Enable" or "Disable" per row: whether the favourite can be used on the current printer.
    const std::vector<std::string>& getEnableArray() const { return m_arrayEnable_F; }

    int numberOfRows() const { return static_cast<int>(m_arrayName_F.size()); }
    /// The text of column `column` at `row`; none for another column or a row it does not have.
    std::optional<std::string> objectValue(std::string_view column, int row) const;
    /// The cell of `column` at `row`: its text, and in the name column the row's icon.
    ui::TableCell tableCell(std::string_view column, int row) const;

    /// The drop of the favourite at `sourceRow` above row `insertionRow` (the row count: after
    /// the last row; a negative row counts as the row count, a larger one is taken as it). A
    /// source row that the arrays do not have is refused: false, nothing changes. A drop on the
    /// row's own place (insertionRow equal to sourceRow or sourceRow + 1) changes nothing either.
    /// Else the row moves in the arrays and the model, is selected and shown, the table reloads
    /// and the notification is posted.
    bool acceptDrop(int sourceRow, int insertionRow);

  private:
    template <typename Action>
    void forEachArray(Action action);

    ui::Port& port_;
    const std::string window_;
    const std::string table_;
    bool connected_ = false;

    kCommonDataClass_ZORVEX_common_V600_PS* cData = nullptr;
    const cf::Bundle* m_bundle = nullptr;
    std::vector<std::int32_t> m_arrayINDEX_F;
    std::vector<std::string> m_arrayICON_F;
    std::vector<std::string> m_arrayName_F;
    std::vector<std::string> m_arrayFileName_F;
    std::vector<std::string> m_arrayPrintDate_F;
    std::vector<std::string> m_arrayColorSet_F;
    std::vector<std::string> m_arrayPrintName_F;
    std::vector<std::string> m_arrayComment_F;
    std::vector<std::string> m_arrayEnable_F;
};
