#include "loaders/model_atlas_loader.h"

#include <gtest/gtest.h>

#include "cf/bundle.h"
#include "loaders/interface_bundle_id.h"
#include "support/scoped_variable.h"
#include "support/temporary_folder.h"

namespace {

constexpr const char* kShellID = "com.stratoline.test.hostshell";

class ModelAtlasLoaderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        shell_ = cf::Bundle::open(LOADERS_TEST_SHELL_DIR);
        ASSERT_NE(shell_, nullptr);
        ASSERT_NE(shell_->symbol("testHostShellLoaded"), nullptr) << "the shell is loaded";
    }
    testsupport::TemporaryFolder folder_;
    testsupport::ScopedVariable temporary_{"TMPDIR", folder_.path().c_str()};
    std::unique_ptr<cf::Bundle> shell_;
};

TEST_F(ModelAtlasLoaderTest, IdentifierFileDeletedGivesNoneSilently) {
    ::testing::internal::CaptureStdout();
    EXPECT_EQ(Load_GetPaperSizeName(1), nullptr);
    std::int32_t width = 5, height = 5;
    EXPECT_EQ(Load_GetPaperSizeInfo(1, &width, &height), 0);
    SetInterfaceBundleID("com.stratoline.not.loaded");
    EXPECT_EQ(Load_GetPaperSizeName(1), nullptr);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
}

TEST_F(ModelAtlasLoaderTest, MissingExportPrintsItsLineAndGivesTheFailureValue) {
    SetInterfaceBundleID(kShellID);
    ASSERT_NE(GetModelAtlasBundle(), nullptr);
    std::int32_t width = 0, height = 0;
    EXPECT_EQ(Load_GetPaperSizeInfo(1, &width, &height), 1);
    EXPECT_EQ(width, 2100);
    EXPECT_EQ(height, 2970);

    struct Case {
        const char* expected;
        bool (*call)();
    };
    const Case cases[] = {
        {"GetPaperSizeName procPtr = NULL \n", [] { return Load_GetPaperSizeName(1) == nullptr; }},
        {"GetCasetteSupportPaperIDArray_ProcPtr procPtr = NULL \n",
         [] {
             cf::Value* array = reinterpret_cast<cf::Value*>(1);
             return Load_GetCasetteSupportPaperIDArray(7, &array) == 0 && array == nullptr;
         }},
        {"GetPrintCommonArray procPtr = NULL \n",
         [] {
             cf::Value* array = reinterpret_cast<cf::Value*>(1);
             return Load_GetPrintCommonArray(7, &array) == 0 && array == nullptr;
         }},
        {"get_MediumName procPtr = NULL \n",
         [] {
             char* name = reinterpret_cast<char*>(1);
             return Load_get_MediumName(nullptr, 0, 1, 3, &name) == 0 && name == nullptr;
         }},
        {"GetEPrinterTypeID procPtr = NULL \n",
         [] {
             std::int32_t id = 9;
             return Load_GetEPrinterTypeID("SL-7000", &id) == 0 && id == 0;
         }},
        {"GetPaperSourceNumber procPtr = NULL \n",
         [] {
             PaperSourceNumRec record{3, {16, 128, 512}};
             Load_GetPaperSourceNumber(7, &record);
             return record.count == 3 && record.codes[2] == 512;
         }},
    };
    for (const auto& c : cases) {
        ::testing::internal::CaptureStdout();
        const bool failed = c.call();
        EXPECT_EQ(::testing::internal::GetCapturedStdout(), c.expected);
        EXPECT_TRUE(failed) << c.expected;
    }
}

}  // namespace
