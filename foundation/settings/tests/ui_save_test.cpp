// The settings record and its dictionary form: defaults of missing keys, field widths, strings
// that may be absent, curves bounded by their slots, and deep copies.
#include "settings/ui_save.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

cf::Value dictionaryWith(std::initializer_list<std::pair<const char*, cf::Value>> entries) {
    cf::Value dict = cf::Value::emptyDictionary();
    for (const auto& [key, value] : entries) dict.set(key, value);
    return dict;
}

cf::Value numbers(std::int32_t count, std::int32_t first = 0) {
    cf::Value::Array values;
    for (std::int32_t i = 0; i < count; ++i) values.emplace_back(first + i);
    return cf::Value(std::move(values));
}

UISave readBack(const UISave& record) {
    cf::Value dict = cf::Value::emptyDictionary();
    addSaveDict(&record, &dict);
    UISave read;
    getSaveData(&dict, &read);
    return read;
}

TEST(getSaveData, EmptyDictionaryGivesTheDefaultsOfMissingKeys) {
    UISave expected;
    expected.Gamma = 22;
    expected.Gradation = 4;
    expected.PaperSave_Color = 1;
    expected.XAdjustItem_Color = 1;
    expected.XCount_Color = 5;
    expected.XAdjustInterval_Color = 5;
    expected.YAdjustItem_Color = 16;
    expected.YCount_Color = 5;
    expected.YAdjustInterval_Color = 5;
    expected.BackGroundColor_Color = 1;
    expected.PaperSave_Mono = 1;
    expected.XAdjustItem_Mono = 8;
    expected.XCount_Mono = 5;
    expected.XAdjustInterval_Mono = 5;
    expected.YAdjustItem_Mono = 16;
    expected.YCount_Mono = 5;
    expected.YAdjustInterval_Mono = 5;
    expected.BackGroundColor_Mono = 1;

    UISave record;
    record.Copies = 9;
    record.MediaType = 3;
    record.MediaTypeName = "earlier";
    const cf::Value empty = cf::Value::emptyDictionary();
    getSaveData(&empty, &record);
    EXPECT_EQ(record, expected);

    getSaveData(&empty, nullptr);  // no record: nothing
}

TEST(getSaveData, NumbersOfAnotherTypeOrRangeTakeTheMissingValue) {
    const cf::Value dict = dictionaryWith({{"MediaType", cf::Value(std::int32_t{70000})},
                                           {"InputBit", cf::Value(std::int32_t{-32768})},
                                           {"Gamma", cf::Value("22")},
                                           {"Copies", cf::Value(std::int64_t{1} << 32)},
                                           {"Cyan", cf::Value(-12.7)},
                                           {"UISaveVersion", cf::Value(std::int32_t{7})}});
    UISave record;
    getSaveData(&dict, &record);
    EXPECT_EQ(record.MediaType, 0);
    EXPECT_EQ(record.InputBit, -32768);
    EXPECT_EQ(record.Gamma, 22);
    EXPECT_EQ(record.Copies, 0);
    EXPECT_EQ(record.Cyan, -12);
    EXPECT_EQ(record.UISaveVersion, 7);  // any version is read as it stands
}

TEST(addSaveDict, WritesVersion101AndNumbersByWidthAndOnlyPresentStrings) {
    UISave record;
    record.MediaType = -5;
    record.MatchingMethod = 32767;
    record.Copies = -2147483647 - 1;
    record.PaperSizeName = "";
    record.CommentDetails = "Fine art, \u00e9t\u00e9";
    cf::Value dict = cf::Value::emptyDictionary();
    addSaveDict(&record, &dict);

    EXPECT_EQ(*dict.find("UISaveVersion"), cf::Value(std::int32_t{101}));
    EXPECT_EQ(*dict.find("MediaType"), cf::Value(std::int32_t{-5}));
    EXPECT_EQ(dict.find("MediaTypeName"), nullptr);
    EXPECT_EQ(*dict.find("PaperSizeName"), cf::Value(""));

    UISave read = readBack(record);
    EXPECT_EQ(read.UISaveVersion, 101);
    read.UISaveVersion = 0;
    EXPECT_EQ(read, record);  // every key was written, so no default of a missing key shows
}

TEST(addSaveDict, NothingWithoutARecordOrADictionary) {
    UISave record;
    cf::Value notDictionary = cf::Value::emptyArray();
    addSaveDict(&record, &notDictionary);
    EXPECT_EQ(notDictionary, cf::Value::emptyArray());
    cf::Value dict = cf::Value::emptyDictionary();
    addSaveDict(nullptr, &dict);
    EXPECT_EQ(dict, cf::Value::emptyDictionary());
    addSaveDict(&record, nullptr);
}

TEST(UISaveCurves, WrittenArraysHoldExactlyThePointsInUse) {
    UISave record;
    record.Curves_R_PointNum = 3;
    record.Curves_R_X = {0, 128, 255, 77, 77};
    record.Curves_R_Y = {0, 100, 255, 77, 77};
    record.Curves_G_PointNum = 40;  // more than a curve holds
    record.Curves_B_PointNum = -3;  // fewer than none
    cf::Value dict = cf::Value::emptyDictionary();
    addSaveDict(&record, &dict);
    EXPECT_EQ(*dict.find("Curves_R_X"), (cf::Value(cf::Value::Array{0, 128, 255})));
    EXPECT_EQ(*dict.find("Curves_R_Y"), (cf::Value(cf::Value::Array{0, 100, 255})));
    EXPECT_EQ(dict.find("Curves_G_X")->array()->size(), 16u);
    EXPECT_EQ(*dict.find("Curves_B_X"), cf::Value::emptyArray());
    EXPECT_EQ(*dict.find("Curves_RGB_Y"), cf::Value::emptyArray());
}

TEST(UISaveCurves, PointCountsAreClampedToThePointsStored) {
    struct Case {
        const char* name;
        cf::Value count, xs, ys;
        std::int32_t expected;
        std::vector<std::int32_t> firstXs;
    };
    const Case kCases[] = {
        {"TwentyPointsFillSixteenSlots",
         cf::Value(std::int32_t{20}),
         numbers(20, 1),
         numbers(20, 1),
         16,
         {1, 2, 3}},
        {"CountAboveThePointsStored",
         cf::Value(std::int32_t{9}),
         numbers(4, 10),
         numbers(6, 10),
         4,
         {10, 11, 12, 13}},
        {"NegativeCount", cf::Value(std::int32_t{-1}), numbers(4), numbers(4), 0, {0, 1}},
        {"NonNumbersReadAsZero",
         cf::Value(std::int32_t{3}),
         cf::Value(cf::Value::Array{cf::Value("a"), cf::Value(7), cf::Value(1e300)}),
         numbers(3),
         3,
         {0, 7, 0}},
        {"NoArraysKeepTheCountWithinTheSlots",
         cf::Value(std::int32_t{99}),
         cf::Value(),
         cf::Value(),
         16,
         {0, 0}},
    };
    for (const Case& c : kCases) {
        cf::Value dict = dictionaryWith({{"Curves_Gray_PointNum", c.count}});
        if (!c.xs.isNull())
            dict.set("Curves_Gray_X", c.xs);
        if (!c.ys.isNull())
            dict.set("Curves_Gray_Y", c.ys);
        UISave record;
        getSaveData(&dict, &record);
        EXPECT_EQ(record.Curves_Gray_PointNum, c.expected) << c.name;
        for (std::size_t i = 0; i < c.firstXs.size(); ++i)
            EXPECT_EQ(record.Curves_Gray_X[i], c.firstXs[i]) << c.name << " point " << i;
        EXPECT_EQ(readBack(record).Curves_Gray_PointNum, c.expected) << c.name;
    }
}

TEST(UISaveCurves, MissingCurveKeepsWhatTheRecordHeld) {
    UISave record;
    record.Curves_RGB_X = {5, 6, 7};
    const cf::Value dict = dictionaryWith({{"Curves_RGB_PointNum", cf::Value(std::int32_t{2})}});
    getSaveData(&dict, &record);
    EXPECT_EQ(record.Curves_RGB_X[2], 7);
    EXPECT_EQ(record.Curves_RGB_PointNum, 2);
}

TEST(UISaveRecord, CopiesAreDeepAndOutliveTheSource) {
    UISavePtr source(CreateUISave());
    ASSERT_NE(source, nullptr);
    EXPECT_EQ(*source, UISave{});
    source->OutputProfilePath = std::string(200, 'p');
    source->UseSizeName_Mono = "A4";
    source->Curves_B_PointNum = 2;
    source->Curves_B_Y = {3, 4};
    source->ScalingValue = 10000;

    UISavePtr copy(CreateUISave());
    CopyUISaves(source.get(), copy.get());
    EXPECT_EQ(*copy, *source);
    source.reset();  // the copy's strings are its own
    EXPECT_EQ(copy->OutputProfilePath, std::string(200, 'p'));
    EXPECT_EQ(copy->UseSizeName_Mono, "A4");

    CopyUISaves(nullptr, copy.get());
    CopyUISaves(copy.get(), nullptr);
    TerminateUISave(nullptr);
    EXPECT_EQ(copy->ScalingValue, 10000);
}

}  // namespace
