// What the foundation's tests share: a driver root with the real media database framework, its
// databases and the foundation's fixture database; an open media database closed with its scope;
// the plug-in strings bundle; menus made and disposed with their scope, read back as rows.
#pragma once

#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "cf/bundle.h"
#include "helpers/kmenu.h"
#include "media_db_root.h"
#include "mediadb/media_db.h"
#include "support/scoped_variable.h"
#include "support/temporary_folder.h"

namespace foundationtest {

/// No model-information bundle: the temporary folder holds no identifier file.
class NoModelAtlas {
  private:
    testsupport::TemporaryFolder folder_;
    testsupport::ScopedVariable temporary_{"TMPDIR", folder_.path().c_str()};
};

/// The driver root of mediadbtest::MediaDbRoot with the foundation's fixture database.
class DriverRoot : public mediadbtest::MediaDbRoot {
  public:
    DriverRoot() {
        std::filesystem::copy_file(
            std::filesystem::path(FOUNDATION_FIXTURE_DATABASES) / "MDB_FOUNDATION.mdb",
            frameworks() / "MDB_FOUNDATION.mdb");
    }
};

/// A media database opened with OpenMediaDB and closed at the end of the scope.
class OpenDatabase {
  public:
    explicit OpenDatabase(const char* name) { opened_ = OpenMediaDB(name, &data_); }
    ~OpenDatabase() { CloseMediaDB(&data_); }
    OpenDatabase(const OpenDatabase&) = delete;
    OpenDatabase& operator=(const OpenDatabase&) = delete;

    bool opened() const { return opened_; }
    std::uint8_t* data() const { return data_; }

  private:
    std::uint8_t* data_ = nullptr;
    bool opened_ = false;
};

/// The plug-in's string tables of the tests (texts of the feed and print-quality keys in
/// English, the media locale in English and French).
inline std::unique_ptr<cf::Bundle> pluginStrings() {
    return cf::Bundle::open(PLUGIN_STRINGS_BUNDLE);
}

/// One row of a menu of the first shape.
struct MenuRow {
    std::string name;
    std::int32_t value1 = 0, value2 = 0, value3 = 0;
    bool enabled = false;
    bool operator==(const MenuRow&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const MenuRow& row) {
    return out << "{\"" << row.name << "\", " << row.value1 << ", " << row.value2 << ", "
               << row.value3 << ", " << (row.enabled ? "enabled" : "disabled") << "}";
}

/// A menu data array made at construction and disposed with the scope.
class Menu {
  public:
    Menu() { KMenu::NewMenuData(&array_); }
    ~Menu() { KMenu::DisposeMenuData(&array_); }
    Menu(const Menu&) = delete;
    Menu& operator=(const Menu&) = delete;

    MenuDataArray get() const { return array_; }

    std::vector<MenuRow> rows() const {
        std::vector<MenuRow> rows;
        const auto count = static_cast<std::int32_t>(array_->array()->size());
        for (std::int32_t index = 1; index <= count; ++index) {
            const char* name = nullptr;
            MenuRow row;
            KMenu::GetMenuData(array_, &name, &row.value1, &row.value2, &row.value3, &row.enabled,
                               index);
            row.name = name == nullptr ? "" : name;
            rows.push_back(row);
        }
        return rows;
    }

  private:
    MenuDataArray array_ = nullptr;
};

}  // namespace foundationtest
