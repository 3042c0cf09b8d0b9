// A driver root in a temporary folder: the real media database framework, the real databases,
// and room for database files made by a test.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/scoped_variable.h"
#include "support/temporary_folder.h"

namespace mediadbtest {

class MediaDbRoot {
  public:
    MediaDbRoot() {
        const auto real = std::filesystem::path(MEDAB2_ROOT) / "Orvane/TARN/Frameworks";
        std::filesystem::create_directories(frameworks());
        std::filesystem::create_directory_symlink(real / "medab2.framework",
                                                  frameworks() / "medab2.framework");
        for (const char* name : {"MDB_SL7000.mdb", "MDB_SL5000.mdb"}) {
            std::filesystem::copy_file(real / name, frameworks() / name);
        }
        std::filesystem::copy_file(std::filesystem::path(MEDAB2_FIXTURE_DIR) / "MDB_OLD29.mdb",
                                   frameworks() / "MDB_OLD29.mdb");
    }

    std::filesystem::path frameworks() const { return folder_.path() / "Orvane/TARN/Frameworks"; }

    std::vector<std::uint8_t> read(const std::string& name) const {
        std::ifstream file(frameworks() / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }

    void write(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
        std::ofstream(frameworks() / name, std::ios::binary | std::ios::trunc)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }

  private:
    testsupport::TemporaryFolder folder_;
    testsupport::ScopedVariable root_{"STRATOLINE_ROOT", folder_.path().c_str()};
};

}  // namespace mediadbtest
