// The conversion tables of the core, each checked entry by entry with its default.
#include <gtest/gtest.h>

#include <cstdint>

#include "core/core_error.h"

namespace {

template <typename In, typename Out>
struct Row {
    In in;
    Out out;
};

TEST(CoreErrorTables, TicketLibraryCodes) {
    const Row<int, std::uint32_t> rows[] = {
        {0, 0}, {1, 15}, {2, 2}, {3, 0}, {4, 15}, {5, 15}, {-1, 15}, {99, 15},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ConvertTktLibErrToCoreErr(row.in), row.out) << row.in;
    }
}

TEST(CoreErrorTables, GlueCodes) {
    const Row<std::int32_t, std::uint32_t> rows[] = {
        {0, 0},    {15851, 2}, {15831, 3},  {15832, 4},  {4150, 5},  {4157, 6}, {4112, 7},
        {4156, 8}, {4131, 9},  {15834, 10}, {15850, 11}, {4203, 13}, {-1, 12},  {1, 12},
        {12, 12},  {4097, 12}, {4128, 12},  {15852, 12}, {107, 12},  {54, 12},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ConvertGlueErrToCoreErr(row.in), row.out) << row.in;
    }
}

TEST(CoreErrorTables, ChannelStatuses) {
    const Row<std::int32_t, std::uint32_t> rows[] = {
        {0, 0},   {4150, 5},  {4157, 6},  {4112, 7},   {4156, 8},   {4131, 9}, {4203, 13},
        {-1, 12}, {4128, 12}, {4097, 12}, {15831, 12}, {15851, 12}, {60, 12},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(LocalConvertCaioErrToCoreErr(row.in), row.out) << row.in;
    }
}

TEST(CoreErrorTables, ProtocolStatusesByTheirLow16Bits) {
    const Row<std::int32_t, std::int32_t> rows[] = {
        {0, 0},           {1, 0},       {11, 0},      {12, 15834},  {13, 0}, {33, 0},
        {34, 34},         {36, 36},     {4156, 4156}, {0x10000, 0},  // only the low 16 bits count
        {0x1000C, 15834}, {0x20021, 0},                              // 33
        {0xFFFF, -1},                                                // widened with its sign
        {0x8000, -32768}, {-5, -5},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(CheckQDXAErr(row.in), row.out) << row.in;
    }
}

TEST(CoreErrorTables, ControlResults) {
    const Row<std::int32_t, std::int32_t> rows[] = {
        {-1, 23998},    {4203, 16001},  {0, 0},         {4156, 4156},
        {4150, 4150},   {15831, 15831}, {15832, 15832}, {15834, 15834},
        {15850, 15850}, {15851, 15851}, {5, 5},         {-2, -2},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ConvertGlueErrToControlErr(row.in), row.out) << row.in;
    }
}

}  // namespace
