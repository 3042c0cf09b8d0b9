// The databases answer what their source table says, checked by a reader of the table of its own.
#include <gtest/gtest.h>

#include <fstream>
#include <iomanip>
#include <sstream>

#include "medab2_test_support.h"
#include "support/python_oracle.h"
#include "support/temporary_folder.h"

namespace {

std::string hex(const char* text) {
    std::ostringstream out;
    for (; *text != '\0'; ++text) {
        out << std::hex << std::setw(2) << std::setfill('0')
            << static_cast<int>(static_cast<unsigned char>(*text));
    }
    return out.str();
}

// One line per medium of the image, with the filters off (every medium shown).
std::string answers(std::vector<std::uint8_t>& image) {
    std::ostringstream out;
    const std::int16_t count = mdb3MediumCount(image.data());
    for (std::int16_t index = 1; index <= count; ++index) {
        std::int16_t id = 0;
        std::uint32_t hint = 0, optimizeHint = 0;
        DEF_QDXAID qdxa{};
        char name[kMdbNameBytes];
        EXPECT_EQ(mdb3MediumID(image.data(), index, &id), 1);
        EXPECT_EQ(mdb3MediumHint(image.data(), id, &hint), 1);
        EXPECT_EQ(mdb3OptimizeModeHint(image.data(), id, &optimizeHint), 1);
        EXPECT_EQ(mdb3QdxaID(image.data(), id, &qdxa), 1);
        const bool named = mdb3MediumString(image.data(), id, "en", name) > 0;
        out << id << '\t' << qdxa.qdxaID1 << '\t' << qdxa.qdxaID2 << '\t' << hint << '\t'
            << optimizeHint << '\t' << mdb3GetInkSystem(image.data(), id) << '\t'
            << mdb3PaperSource(image.data(), id, 1) << '\t' << mdb3PaperSource(image.data(), id, 0)
            << '\t' << mdb3SupportedPrintMethod(image.data(), id) << '\t'
            << (named ? hex(name) : "") << '\n';
    }
    return out.str();
}

TEST(Medab2SourceTable, EveryDatabaseAnswersItsRows) {
    testsupport::TemporaryFolder folder;
    for (const auto& path : {medab2test::kSL7000, medab2test::kSL5000, medab2test::kOld}) {
        auto image = medab2test::load(path);
        ASSERT_FALSE(image.empty()) << path;
        const auto file = folder / "answers.tsv";
        std::ofstream(file) << answers(image);
        EXPECT_EQ(testsupport::runPython(MEDAB2_ORACLE, {MEDAB2_SOURCE_TABLE, path, file.string()}),
                  0)
            << path;
    }
}

}  // namespace
