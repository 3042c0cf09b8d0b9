#include "history_lists/detail_list_data_source.h"

namespace history_lists {

std::optional<std::string> ElementAt(const std::vector<std::string>* array, int row) {
    if (array == nullptr || row < 0 || static_cast<std::size_t>(row) >= array->size()) {
        return std::nullopt;
    }
    return (*array)[static_cast<std::size_t>(row)];
}

void kDetailListDataSource::setData(const std::vector<std::string>* names,
                                    const std::vector<std::string>* values) {
    m_arrayName = names;
    m_arrayValue = values;
}

int kDetailListDataSource::numberOfRows() const {
    return m_arrayName == nullptr ? 0 : static_cast<int>(m_arrayName->size());
}

std::optional<std::string> kDetailListDataSource::objectValue(std::string_view column,
                                                              int row) const {
    if (column == itemColumn_) {
        return ElementAt(m_arrayName, row);
    }
    if (column == contentColumn_) {
        return ElementAt(m_arrayValue, row);
    }
    return std::nullopt;
}

ui::TableSource kDetailListDataSource::tableSource() const {
    ui::TableSource source;
    source.rowCount = [this] { return numberOfRows(); };
    source.cell = [this](std::string_view column, int row) {
        return ui::TableCell{objectValue(column, row).value_or(std::string()), {}};
    };
    return source;
}

}  // namespace history_lists
