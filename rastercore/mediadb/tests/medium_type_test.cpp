// The job's media database through the real media database framework of the driver root: its
// opening and refusals, the medium values on the wire, and the framework's absence.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "command/tests/generator_fixture.h"
#include "mediadb/media_database.h"
#include "mediadb/medium_type.h"
#include "qdxa/tarn_qdxa.h"
#include "qdxa/tests/qdxa_test_support.h"
#include "record/color_info.h"
#include "support/scoped_variable.h"
#include "support/temporary_folder.h"

namespace {

using qdxatest::Bytes;
using qdxatest::hex;

std::basic_string<unsigned char> counted(const std::string& text) {
    std::basic_string<unsigned char> name(1, static_cast<unsigned char>(text.size()));
    name.append(text.begin(), text.end());
    return name;
}

/// A job context with its command and colour records and an open media database.
class MediumJob {
  public:
    explicit MediumJob(const char* database = "MDB_SL7000.mdb") {
        context().colorInfo = &color;
        context().cmdInfo = generator.info;
        EXPECT_EQ(OpenMediaDB_ForMXXXR(counted(database).c_str(), &context().mediaDatabase, 0), 1);
    }
    ~MediumJob() { CloseMediaDB(context().mediaDatabase); }
    MediumJob(const MediumJob&) = delete;
    MediumJob& operator=(const MediumJob&) = delete;

    PLGContext& context() { return *generator.context; }

    /// The medium and extended medium type attributes as the job sends them.
    std::pair<Bytes, Bytes> sentValues() {
        qdxatest::RecordingServices transport;
        EXPECT_EQ(tarn_QDXA_SetDocument_Medium(&info, nullptr, 0, nullptr), 0);
        EXPECT_EQ(tarn_QDXA_SetDocument_MediumTypeEx(&info, nullptr, 0, nullptr), 0);
        const auto packets = transport.packets();
        return {qdxastream::setAttribute(packets.at(0))->value,
                qdxastream::setAttribute(packets.at(1))->value};
    }

    commandtest::GeneratorFixture generator;
    Color_Info color{};
    QDXA_Info info{};
};

TEST(MediaDatabase, OpensTheDriversDatabaseWithHiddenMediaFilteredOut) {
    MediumJob job;
    ASSERT_NE(job.context().mediaDatabase, nullptr);
    job.color.mediumID = 101;
    EXPECT_EQ(PLG_Get_Medium_MediumTypeEx_ForMXXXR(&job.info, &job.context()), 1);
    job.color.mediumID = 109;  // hidden (hint 0x10): the database does not show it
    EXPECT_EQ(PLG_Get_Medium_MediumTypeEx_ForMXXXR(&job.info, &job.context()), -1);
    job.color.mediumID = 999;
    EXPECT_EQ(PLG_Get_Medium_MediumTypeEx_ForMXXXR(&job.info, &job.context()), -1);
}

TEST(MediaDatabase, RefusesNamesOutsideTheFrameworksFolderAndMissingDatabases) {
    for (const std::string& name : std::initializer_list<std::string>{
             "", "../MDB_SL7000.mdb", "Frameworks/MDB_SL7000.mdb", "..", "MDB_NONE.mdb",
             std::string("MDB_SL7000.mdb\0x", 16)}) {
        void* handle = &handle;
        EXPECT_EQ(OpenMediaDB_ForMXXXR(counted(name).c_str(), &handle, 0), 0) << name;
        EXPECT_EQ(handle, nullptr) << name;
    }
    EXPECT_EQ(OpenMediaDB_ForMXXXR(nullptr, nullptr, 0), 0);
    CloseMediaDB(nullptr);
}

TEST(MediaDatabase, WithoutTheFrameworkNothingOpensAndTheMediumIsNotNamed) {
    MediumJob job;
    const testsupport::TemporaryFolder emptyRoot;
    const testsupport::ScopedVariable root("STRATOLINE_ROOT", emptyRoot.path().c_str());
    void* handle = nullptr;
    EXPECT_EQ(OpenMediaDB_ForMXXXR(counted("MDB_SL7000.mdb").c_str(), &handle, 0), 0);
    job.color.mediumID = 101;
    EXPECT_EQ(PLG_Get_Medium_MediumTypeEx_ForMXXXR(&job.info, &job.context()), 13010);
    EXPECT_EQ(PLG_Get_DataProcessBits(&job.context()), -1);
}

// The medium value: id byte 1, marker 254, the paper-size code (19 for a user size), width and
// length (a user size only), the paper kind; the extended type: kind 1 and the medium's id.
TEST(MediumValue, ThirteenBytesByPaperKind) {
    const struct {
        const char* paper;
        std::int32_t orientation;
        std::string medium;
    } cases[] = {
        {"ISO_A4", kOrientationShortEdge, "01 FE 0007 00000000 00000000 01"},
        {"ISO_A4", kOrientationLongEdge, "01 FE 0007 00000000 00000000 02"},
        {"CUSTOM", kOrientationLongEdge, "01 FE 0013 000017D4 000023BE 03"},
        {"USER_CUSTOM_1", kOrientationShortEdge, "01 FE 0013 000017D4 000023BE 03"},
    };
    for (const auto& c : cases) {
        MediumJob job;
        Cmd_Info& command = *job.generator.info;
        std::strcpy(command.paperName, c.paper);
        command.paperOrientation = c.orientation;
        command.paperSizeCode = 7;
        command.paperWidth = 6100;
        command.paperLength = 9150;
        job.color.mediumID = 102;
        ASSERT_EQ(PLG_Get_Medium_MediumTypeEx_ForMXXXR(&job.info, &job.context()), 1);
        const auto [medium, type] = job.sentValues();
        EXPECT_EQ(medium.size(), 13u);
        EXPECT_EQ(medium, hex(c.medium)) << c.paper;
        EXPECT_EQ(type, hex("01 0024")) << c.paper;  // medium 102: QDXA id 36
    }
}

TEST(MediumValue, RecordsMissingFromTheContextAreRefused) {
    MediumJob job;
    job.color.mediumID = 101;
    EXPECT_EQ(PLG_Get_Medium_MediumTypeEx_ForMXXXR(nullptr, &job.context()), -1);
    job.context().cmdInfo = nullptr;
    EXPECT_EQ(PLG_Get_Medium_MediumTypeEx_ForMXXXR(&job.info, &job.context()), -1);
    job.context().cmdInfo = job.generator.info;
    job.context().colorInfo = nullptr;
    EXPECT_EQ(PLG_Get_Medium_MediumTypeEx_ForMXXXR(&job.info, &job.context()), -1);
}

TEST(DataProcessBits, TheResolutionRecordsWordOrRefusal) {
    MediumJob job;
    job.color.mediumID = 103;
    job.color.quality.printMethod = 4;
    job.color.quality.resolutionID = 2;
    EXPECT_EQ(PLG_Get_DataProcessBits(&job.context()), 0);
    job.color.quality.resolutionID = 8;  // a resolution bit the medium lacks
    EXPECT_EQ(PLG_Get_DataProcessBits(&job.context()), -1);
    EXPECT_EQ(PLG_Get_DataProcessBits(nullptr), -1);
}

}  // namespace
