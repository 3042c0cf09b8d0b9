#include "mediadb/media_db.h"

#include <gtest/gtest.h>

#include <cstring>

#include "loaders/media_db_loader.h"
#include "media_db_root.h"

namespace {

using mediadbtest::MediaDbRoot;

TEST(MediaDb, OpenFiltersHiddenMediaAndCloseFrees) {
    MediaDbRoot root;
    std::uint8_t* data = reinterpret_cast<std::uint8_t*>(&root);
    ASSERT_TRUE(OpenMediaDB("MDB_SL7000.mdb", &data));
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(Load_mdb3MediumCount(data), 11) << "the hidden medium is filtered out";
    CloseMediaDB(&data);
    EXPECT_EQ(data, nullptr);
    CloseMediaDB(&data);

    ASSERT_TRUE(OpenMediaDB2("MDB_SL7000.mdb", &data, 2, 2));
    EXPECT_EQ(Load_mdb3MediumCount(data), 2) << "ink system 2 only";
    CloseMediaDB(&data);
    ASSERT_TRUE(OpenMediaDB2("MDB_SL7000.mdb", &data, 0, 0));
    EXPECT_EQ(Load_mdb3MediumCount(data), 11);
    CloseMediaDB(&data);
}

TEST(MediaDb, OpenFailsWithoutFileFrameworkOrShortName) {
    MediaDbRoot root;
    std::uint8_t* data = reinterpret_cast<std::uint8_t*>(&root);
    EXPECT_FALSE(OpenMediaDB("MDB_UNKNOWN.mdb", &data));
    EXPECT_EQ(data, nullptr);
    EXPECT_FALSE(OpenMediaDB(std::string(300, 'x').c_str(), &data));
    EXPECT_FALSE(OpenMediaDB(nullptr, &data));
    std::filesystem::remove(root.frameworks() / "medab2.framework");
    EXPECT_FALSE(OpenMediaDB("MDB_SL7000.mdb", &data));
    EXPECT_EQ(data, nullptr);
}

// The second read fills nothing although the first named a size: the block is given back (the
// leak check sees it otherwise) and the database is not open.
TEST(MediaDb, OpenFailsWhenTheFillFails) {
    MediaDbRoot root;
    std::filesystem::remove(root.frameworks() / "medab2.framework");
    std::filesystem::create_directory_symlink(MEDAB2_FAILING_FILL_DIR,
                                              root.frameworks() / "medab2.framework");
    std::uint8_t* data = reinterpret_cast<std::uint8_t*>(&root);
    EXPECT_FALSE(OpenMediaDB("MDB_SL7000.mdb", &data));
    EXPECT_EQ(data, nullptr);
    EXPECT_FALSE(OpenMediaDB2("MDB_SL7000.mdb", &data, 2, 2));
    EXPECT_FALSE(CheckMdbDB("MDB_SL7000.mdb"));
}

TEST(MediaDb, CheckRefusesVersionsBelowThree) {
    MediaDbRoot root;
    EXPECT_TRUE(CheckMdbDB("MDB_SL7000.mdb"));
    EXPECT_TRUE(CheckMdbDB("MDB_SL5000.mdb"));
    EXPECT_FALSE(CheckMdbDB("MDB_OLD29.mdb")) << "version 2.9";
    EXPECT_FALSE(CheckMdbDB("MDB_UNKNOWN.mdb"));
    EXPECT_FALSE(CheckMdbDB(nullptr));
}

TEST(MediaDb, CheckReadsTheVersionOnlyInsideItsText) {
    MediaDbRoot root;
    const auto original = root.read("MDB_SL7000.mdb");
    struct Case {
        const char* text;  // bytes 10 to 33 of the header, without a terminator when 24 long
        bool accepted;
    };
    const Case cases[] = {
        {"3.0", true},
        {"10", true},
        {"2.9999", false},
        {"333333333333333333333333", true},
        {"299999999999999999999999", true},
        {"0.29999999999999999999999", false},
        {"", false},
        {"v3.0", false},
    };
    for (const auto& c : cases) {
        auto bytes = original;
        std::memset(bytes.data() + 10, 0, 24);
        std::memcpy(bytes.data() + 10, c.text, std::min<std::size_t>(24, std::strlen(c.text)));
        bytes[34] = '9';  // a medium type that reads as a digit if the text ran on
        root.write("MDB_EDITED.mdb", bytes);
        EXPECT_EQ(CheckMdbDB("MDB_EDITED.mdb"), c.accepted) << c.text;
    }
}

}  // namespace
