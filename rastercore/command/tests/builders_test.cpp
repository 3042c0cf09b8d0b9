// PJL lines and raster-language commands, byte for byte.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "command/pjl_builders.h"
#include "command/srl_builders.h"
#include "rastercore/result_codes.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using Builder = std::function<std::int32_t(CommandCursor*, std::uint32_t*)>;

// Runs a builder after 3 bytes already written and checks cursor, length and bytes.
std::string build(const Builder& builder) {
    Bytes buffer(4096, 0xEE);
    CommandCursor cursor(buffer.data() + 3, static_cast<std::uint32_t>(buffer.size() - 3));
    std::uint32_t length = 0xDEAD;
    EXPECT_EQ(builder(&cursor, &length), 0);
    EXPECT_EQ(cursor.at, buffer.data() + 3 + length);
    return std::string(buffer.begin() + 3, buffer.begin() + 3 + length);
}

TARNColorSpace space(std::int32_t id, std::int32_t planes, std::initializer_list<int> depthSlots,
                     std::uint8_t bits) {
    TARNColorSpace s{id, planes, {}};
    for (int slot : depthSlots) {
        s.depth[slot] = bits;
    }
    return s;
}

TEST(PjlBuilders, Lines) {
    EXPECT_EQ(build(PJL_Reset), "@PJL\n@PJL RESET\n");
    EXPECT_EQ(build([](auto c, auto l) { return PJL_Set_SInt32(c, l, "TOPMARGIN", -35); }),
              "@PJL SET TOPMARGIN=-35\n");
    EXPECT_EQ(build([](auto c, auto l) { return PJL_Set_String(c, l, "PAPER", "ISO_A4"); }),
              "@PJL SET PAPER=ISO_A4\n");
}

TEST(PjlBuilders, CmdDisplayCutsAndReplaces) {
    const struct {
        std::string input;
        std::uint8_t mode;
        std::string changed;
        std::string line;
    } cases[] = {
        {"ABCDEFGHIJKLMNOPQRST", 1, "ABCDEFGHIJKLMN", "@PJL OPCMT2 DISPLAY=\"ABCDEFGHIJKLMN\"\n"},
        {"short", 0, "short", "@PJL OPCMT0 DISPLAY=\"short\"\n"},
        {"a\tb\x7F"
         "c\x9F"
         "d\xA0\xFE\xFF",
         5, "a?b?c?d\xA0\xFE?", "@PJL OPCMT2 DISPLAY=\"a?b?c?d\xA0\xFE?\"\n"},
        {"", 0, "", "@PJL OPCMT0 DISPLAY=\"\"\n"},
    };
    for (const auto& c : cases) {
        std::string text = c.input;
        text.resize(c.input.size() + 1);  // room for the terminator
        EXPECT_EQ(
            build([&](auto cur, auto l) { return PJL_CmdDisplay(cur, l, text.data(), c.mode); }),
            c.line);
        EXPECT_STREQ(text.c_str(), c.changed.c_str());
    }
}

TEST(SrlBuilders, FixedAndNumberCommands) {
    const struct {
        Builder builder;
        std::string bytes;
    } cases[] = {
        {SRL_UnivExit, "\x1B%-12345X"},
        {SRL_EnterTARNMode, "\x1B%0A"},
        {SRL_Rst,
         "\x1B"
         "E"},
        {SRL_Rst2, "\x1B$E"},
        {SRL_EndRasGraph, "\x1B*rC"},
        {[](auto c, auto l) { return SRL_EndRasGraph_Band(c, l, 0); }, "\x1B*r0C"},
        {[](auto c, auto l) { return SRL_EndRasGraph_Band(c, l, -2); }, "\x1B*r-2C"},
        {[](auto c, auto l) { return SRL_NMotion(c, l, 1); }, "\x1B&a1N"},
        {[](auto c, auto l) { return SRL_SetGraphResolution(c, l, 600); }, "\x1B*t600R"},
        {[](auto c, auto l) { return SRL_H_SetGraphResolution(c, l, 65535); }, "\x1B$r65535X"},
        {[](auto c, auto l) { return SRL_V_SetGraphResolution(c, l, 300); }, "\x1B$r300Y"},
        {[](auto c, auto l) { return SRL_StartRas(c, l, 1); }, "\x1B*r1A"},
        {[](auto c, auto l) { return SRL_CompMethod(c, l, kCompSeedRow); }, "\x1B*b3M"},
        {[](auto c, auto l) { return SRL_YOfset(c, l, 12); }, "\x1B*b12Y"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(build(c.builder), c.bytes);
    }
}

TEST(SrlBuilders, DataCommands) {
    const Bytes data(1234, 0x5A);
    const std::string payload(data.begin(), data.end());
    EXPECT_EQ(build([&](auto c, auto l) { return SRL_TRasDat_RowBlock(c, l, data.data(), 1234); }),
              "\x1B*b1234W" + payload);
    EXPECT_EQ(build([&](auto c, auto l) { return SRL_TRasDat_Plane(c, l, data.data(), 3); }),
              "\x1B*b3VZZZ");
    EXPECT_EQ(build([&](auto c, auto l) { return SRL_TRasDat_RowBlock(c, l, nullptr, 0); }),
              "\x1B*b0W");
    EXPECT_EQ(build([&](auto c, auto l) { return SRL_TransferGeneralDat(c, l, data.data(), 2); }),
              "\x1B$b2WZZ");
}

TEST(SrlBuilders, ImageConfiguration) {
    const struct {
        TARNColorSpace space;
        std::string bytes;
    } cases[] = {
        {space(2, 3, {0, 1, 2}, 10), std::string("\x1B*v6W\x02\x03\x00\x0A\x0A\x0A", 11)},
        {space(2, 1, {6}, 8), std::string("\x1B*v10W\x02\x01\x00\x00\x00\x00\x08\x00\x00\x00", 16)},
        {space(3, 4, {3, 4, 5, 6}, 12),
         std::string("\x1B*v10W\x03\x04\x00\x00\x00\x00\x0C\x0C\x0C\x0C", 16)},
        {[] {
             TARNColorSpace s{4, 7, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}};
             return s;
         }(),
         std::string("\x1B*v12W\x04\x07\x0A\x00\x00\x00\x07\x04\x05\x06\x08\x09", 18)},
        {space(6, 3, {0, 1, 2}, 8), ""},  // id above 5
        {space(2, 2, {0, 1}, 8), ""},     // no layout for two planes
    };
    for (const auto& c : cases) {
        EXPECT_EQ(build([&](auto cur, auto l) { return SRL_ConfImageDat(cur, l, c.space); }),
                  c.bytes);
    }
}

TEST(SrlBuilders, CursorMoves) {
    const struct {
        Builder builder;
        std::string bytes;
    } cases[] = {
        {[](auto c, auto l) { return SRL_MoveCAP_HV(c, l, 120, 45, 0); }, "\x1B*p120x45Y"},
        {[](auto c, auto l) { return SRL_MoveCAP_HV(c, l, -5, 45, 0); }, "\x1B*p-5x45Y"},
        {[](auto c, auto l) { return SRL_MoveCAP_HV(c, l, 3, -1, 0); }, ""},
        {[](auto c, auto l) { return SRL_MoveCAP_HV(c, l, 0, 0, 1); }, "\x1B*p+0x+0Y"},
        {[](auto c, auto l) { return SRL_MoveCAP_HV(c, l, -2, -3, 1); }, "\x1B*p-2x-3Y"},
        {[](auto c, auto l) { return SRL_MoveCAP_HV(c, l, 4, -3, 1); }, "\x1B*p+4x-3Y"},
        {[](auto c, auto l) { return SRL_MoveCAP_H(c, l, 7, 1); }, "\x1B*p+7X"},
        {[](auto c, auto l) { return SRL_MoveCAP_H(c, l, -7, 1); }, "\x1B*p-7X"},
        {[](auto c, auto l) { return SRL_MoveCAP_H(c, l, 7, 0); }, "\x1B*p7X"},
        {[](auto c, auto l) { return SRL_MoveCAP_H(c, l, -7, 0); }, ""},
        {[](auto c, auto l) { return SRL_MoveCAP_V(c, l, 9, 1); }, "\x1B*p+9Y"},
        {[](auto c, auto l) { return SRL_MoveCAP_V(c, l, -1, 0); }, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(build(c.builder), c.bytes);
    }
}

// A command that does not fit in what is left is refused without a byte past the cursor's end,
// and the cursor stays full: a later command that would fit is refused too, so the stream never
// loses a command from its middle.
TEST(SrlBuilders, CommandsThatDoNotFitAreRefusedAndTheCursorStaysFull) {
    constexpr std::uint32_t kCapacity = 13;
    Bytes buffer(kCapacity + 4, 0xEE);
    CommandCursor cursor(buffer.data(), kCapacity);
    std::uint32_t length = 7;
    EXPECT_EQ(SRL_Rst(&cursor, &length), 0);
    EXPECT_EQ(SRL_UnivExit(&cursor, &length), 0);
    EXPECT_EQ(cursor.at, buffer.data() + 11);

    const std::uint8_t data[5] = {1, 2, 3, 4, 5};
    EXPECT_EQ(SRL_TransferGeneralDat(&cursor, &length, data, sizeof data),
              rastercore::kCommandBadArgument);
    EXPECT_EQ(length, 0u);
    EXPECT_TRUE(cursor.full);
    EXPECT_EQ(cursor.at, buffer.data() + 11) << "the refused command is not counted";
    length = 7;
    EXPECT_EQ(SRL_Rst(&cursor, &length), rastercore::kCommandBadArgument) << "2 bytes would fit";
    EXPECT_EQ(PJL_Reset(&cursor, &length), rastercore::kCommandBadArgument);
    EXPECT_EQ(length, 0u);
    EXPECT_EQ(Bytes(buffer.begin() + kCapacity, buffer.end()), Bytes(4, 0xEE));
    EXPECT_EQ(std::string(buffer.begin(), buffer.begin() + 11),
              "\x1B"
              "E\x1B%-12345X");
}

}  // namespace
