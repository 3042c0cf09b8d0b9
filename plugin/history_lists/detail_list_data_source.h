// The sources of the history dialog's four detail tables: item names in one column, their values
// in the other, from two index-aligned arrays that the dialog owns and hands over.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/control_types.h"

namespace history_lists {

class kDetailListDataSource {
  public:
    kDetailListDataSource(std::string itemColumn, std::string contentColumn)
        : itemColumn_(std::move(itemColumn)), contentColumn_(std::move(contentColumn)) {}

    /// Shows these arrays from now on; both stay the caller's and must outlive their use here.
    void setData(const std::vector<std::string>* names, const std::vector<std::string>* values);
    /// The count of the names; 0 without them.
    int numberOfRows() const;
    /// The name (item column) or the value (content column) at `row`; none for another column or
    /// a row its array does not have.
    std::optional<std::string> objectValue(std::string_view column, int row) const;
    /// The rows for Port::setTableSource; the source must outlive the table's use of it.
    ui::TableSource tableSource() const;

  private:
    const std::string itemColumn_;
    const std::string contentColumn_;
    const std::vector<std::string>* m_arrayName = nullptr;
    const std::vector<std::string>* m_arrayValue = nullptr;
};

/// The basic settings.
class kBaseListDataSource : public kDetailListDataSource {
  public:
    kBaseListDataSource() : kDetailListDataSource("bitem", "bcontent") {}
};

/// The page settings.
class kPageListDataSource : public kDetailListDataSource {
  public:
    kPageListDataSource() : kDetailListDataSource("pitem", "pcontent") {}
};

/// The colour settings.
class kColorListDataSource : public kDetailListDataSource {
  public:
    kColorListDataSource() : kDetailListDataSource("citem", "ccontent") {}
};

/// The maintenance settings.
class kMaintenanceListDataSource : public kDetailListDataSource {
  public:
    kMaintenanceListDataSource() : kDetailListDataSource("mitem", "mcontent") {}
};

/// The element at `row` of `array`, or none when there is no array or no such row.
std::optional<std::string> ElementAt(const std::vector<std::string>* array, int row);

}  // namespace history_lists
