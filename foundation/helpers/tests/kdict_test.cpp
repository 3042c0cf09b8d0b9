#include "helpers/kdict.h"

#include <gtest/gtest.h>

#include <fstream>
#include <limits>

#include "cf/property_list.h"
#include "support/temporary_folder.h"

namespace {

cf::Value sample() {
    cf::Value dict = cf::Value::emptyDictionary();
    dict.set("count", cf::Value(std::int32_t{7}));
    dict.set("big", cf::Value(std::int64_t{1} << 40));
    dict.set("short", cf::Value(std::int32_t{40000}));
    dict.set("ratio", cf::Value(2.5));
    dict.set("text", cf::Value("seven"));
    dict.set("flag", cf::Value(true));
    dict.set("list", cf::Value::emptyArray());
    dict.set("inner", cf::Value::emptyDictionary());
    return dict;
}

TEST(kDict, IntegerReadsGiveMissingWrongTypeAndZero) {
    const cf::Value dict = sample();
    struct Case {
        const char* key;
        std::int32_t code, value;
    };
    for (const Case c : {Case{"count", 0, 7}, Case{"ratio", 0, 2}, Case{"absent", -1, 0},
                         Case{"text", -2, 0}, Case{"big", -2, 0}, Case{"list", -2, 0}}) {
        std::int32_t n = 99;
        EXPECT_EQ(kDict::DictGetInt(&dict, c.key, &n), c.code) << c.key;
        EXPECT_EQ(n, c.value) << c.key;
        n = 99;
        EXPECT_EQ(kDict::DictGetSInt32(&dict, c.key, &n), c.code) << c.key;
    }
    // Reals whose whole part no integer holds are of another type, not undefined conversions.
    cf::Value reals = cf::Value::emptyDictionary();
    reals.set("huge", cf::Value(1e300));
    reals.set("nan", cf::Value(std::numeric_limits<double>::quiet_NaN()));
    for (const char* key : {"huge", "nan"}) {
        std::int32_t n = 99;
        EXPECT_EQ(kDict::DictGetSInt32(&reals, key, &n), -2) << key;
        EXPECT_EQ(n, 0) << key;
    }
    std::int16_t small = 1;
    EXPECT_EQ(kDict::DictGetSInt16(&dict, "short", &small), -2);
    EXPECT_EQ(small, 0);
    EXPECT_EQ(kDict::DictGetSInt16(nullptr, "count", &small), -50);
}

TEST(kDict, BooleanAndDoubleReads) {
    const cf::Value dict = sample();
    bool b = true;
    EXPECT_EQ(kDict::DictGetBoolean(&dict, "absent", &b), -50);
    EXPECT_FALSE(b);
    EXPECT_EQ(kDict::DictGetBoolean(&dict, "flag", &b), 0);
    EXPECT_TRUE(b);
    EXPECT_EQ(kDict::DictGetBoolean(&dict, "count", &b), 0);
    EXPECT_FALSE(b) << "only the boolean true reads as true";
    double x = 1;
    EXPECT_EQ(kDict::DictGetDouble(&dict, "text", &x), 0);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(kDict::DictGetDouble(&dict, "count", &x), 0);
    EXPECT_EQ(x, 7);
}

TEST(kDict, ReferenceReadsTestTheValueType) {
    const cf::Value dict = sample();
    const std::string* text = nullptr;
    const cf::Value* value = nullptr;
    EXPECT_EQ(kDict::DictGetCFString(&dict, "text", &text), 0);
    EXPECT_EQ(*text, "seven");
    EXPECT_EQ(kDict::DictGetCFString(&dict, "list", &text), -2);
    EXPECT_EQ(text, nullptr);
    EXPECT_EQ(kDict::DictGetCFString(&dict, "absent", &text), -50);
    EXPECT_EQ(kDict::DictGetCFArrayRef(&dict, "inner", &value), -2);
    EXPECT_EQ(value, nullptr);
    EXPECT_EQ(kDict::DictGetCFArrayRef(&dict, "list", &value), 0);
    EXPECT_TRUE(value->isArray());
    EXPECT_EQ(kDict::DictGetCFDictionaryRef(&dict, "text", &value), -2);
    EXPECT_EQ(kDict::DictGetCFDictionaryRef(&dict, "inner", &value), 0);
    EXPECT_TRUE(value->isDictionary());
}

TEST(kDict, PropertyListFiles) {
    testsupport::TemporaryFolder folder;
    const auto good = folder / "good.plist";
    ASSERT_EQ(cf::writePropertyListFile(good, sample()), cf::PlistStatus::Ok);
    std::ofstream(folder / "bad.plist") << "<plist><dict><key>a</key>";
    cf::Value plist;
    EXPECT_EQ(kDict::CreatePropertyListFromFile(&good, &plist), 0);
    EXPECT_EQ(plist, sample());
    const auto bad = folder / "bad.plist";
    EXPECT_EQ(kDict::CreatePropertyListFromFile(&bad, &plist), -1);
    EXPECT_TRUE(plist.isNull());
    const auto missing = folder / "missing.plist";
    EXPECT_EQ(kDict::CreatePropertyListFromFile(&missing, &plist), 0);
    EXPECT_TRUE(plist.isNull());
    EXPECT_EQ(kDict::CreatePropertyListFromFile(nullptr, &plist), -50);
}

}  // namespace
