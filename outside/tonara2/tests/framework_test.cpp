// The installed framework: a bundle at the driver's framework path that exports every function
// its callers bind by name, and a copy that lacks one export for the callers' missing-function
// paths.
#include <gtest/gtest.h>

#include "cf/bundle.h"
#include "cf/folders.h"

namespace {

const char* const kExports[] = {
    "tnr2_create_preproc",
    "tnr2_create_preproc2",
    "tnr2_query_preproc_hint",
    "tnr2_set_preproc_rgb",
    "tnr2_xform_preproc",
    "tnr2_free_preproc",
    "tnr2_create_monochrome",
    "tnr2_create_monochrome2",
    "tnr2_query_monochrome_hint",
    "tnr2_set_monochrome_rgb",
    "tnr2_xform_monochrome",
    "tnr2_free_monochrome",
    "tnr2_create_csc1",
    "tnr2_query_csc1_hint",
    "tnr2_set_csc1_rgb",
    "tnr2_xform_csc1",
    "tnr2_free_csc1",
    "tnr2_log",
    "tnr2_gen_monochrome_table2",
};

TEST(Tonara2Framework, ExportsEveryBoundFunction) {
    auto bundle =
        cf::Bundle::open(cf::Folders::driverRoot() / "Orvane/TARN/Frameworks/tonara2.framework");
    ASSERT_NE(bundle, nullptr);
    EXPECT_EQ(bundle->identifier(), "orvane.tonara2");
    for (const char* name : kExports) {
        EXPECT_NE(bundle->symbol(name), nullptr) << name;
    }
    EXPECT_EQ(bundle->symbol("fillTable"), nullptr) << "only the framework's functions";
}

TEST(Tonara2Framework, TheLackingCopyLacksOneExport) {
    auto bundle = cf::Bundle::open(std::string(TONARA2_LACKING_ROOT) +
                                   "/Orvane/TARN/Frameworks/tonara2.framework");
    ASSERT_NE(bundle, nullptr);
    EXPECT_EQ(bundle->symbol("tnr2_xform_csc1"), nullptr);
    EXPECT_NE(bundle->symbol("tnr2_create_csc1"), nullptr);
}

}  // namespace
