// The rules of a row dragged within its own table, shared by every port: what the drag carries
// under the table's private type, which drops the table takes, and where they land.
#pragma once

#include <algorithm>
#include <charconv>
#include <optional>
#include <string>
#include <string_view>

namespace ui {

/// The data of a drag of `row` (>= 0): the row index in decimal digits.
inline std::string rowDragData(int row) {
    return std::to_string(row);
}

/// The row that a drop's data names on a table of `rowCount` rows: decimal digits only, and
/// 0 <= row < rowCount. Anything else (nothing, a sign, spaces, other characters, a number too
/// large, a row the table does not have) gives none.
inline std::optional<int> draggedRow(std::string_view data, int rowCount) {
    if (data.empty() ||
        !std::all_of(data.begin(), data.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    int row = 0;
    const auto [end, error] = std::from_chars(data.data(), data.data() + data.size(), row);
    if (error != std::errc() || end != data.data() + data.size() || row >= rowCount) {
        return std::nullopt;
    }
    return row;
}

/// The insertion point of a drop on a table of `rowCount` rows, from the row the pointer
/// proposes: −1 (below the last row, or on an empty table) means after the last row, not the
/// first; anything else is kept within 0 … rowCount.
inline int dropInsertionRow(int proposedRow, int rowCount) {
    const int count = std::max(rowCount, 0);
    return proposedRow < 0 ? count : std::min(proposedRow, count);
}

}  // namespace ui
