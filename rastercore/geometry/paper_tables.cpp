// The paper-name and roll-width tables.
#include "geometry/paper_tables.h"

#include <algorithm>
#include <array>

namespace geometry {
namespace {

struct PaperEntry {
    std::int32_t id;
    std::string_view name;
    std::int32_t storedId;
};

constexpr std::array kPapers{
    PaperEntry{1, "ISO_A3", 1},           PaperEntry{2, "ISO_A4", 2},
    PaperEntry{6, "JIS_B4", 6},           PaperEntry{7, "JIS_B5", 7},
    PaperEntry{10, "EXECUTIVE", 10},      PaperEntry{11, "LEDGER", 11},
    PaperEntry{12, "LEGAL", 12},          PaperEntry{13, "LETTER", 13},
    PaperEntry{14, "JPOST", 14},          PaperEntry{30, "ISO_A0", 30},
    PaperEntry{31, "ISO_A1", 31},         PaperEntry{32, "ISO_A2", 32},
    PaperEntry{33, "ISO_B0", 33},         PaperEntry{34, "ISO_B1", 34},
    PaperEntry{35, "ISO_B2", 35},         PaperEntry{36, "ISO_B3", 36},
    PaperEntry{37, "ISO_B4", 37},         PaperEntry{38, "ISO_B5", 38},
    PaperEntry{41, "DIN_C0", 41},         PaperEntry{42, "DIN_C1", 42},
    PaperEntry{43, "DIN_C2", 43},         PaperEntry{44, "DIN_C3", 44},
    PaperEntry{45, "DIN_C4", 45},         PaperEntry{49, "JIS_B0", 49},
    PaperEntry{50, "JIS_B1", 50},         PaperEntry{51, "JIS_B2", 51},
    PaperEntry{52, "JIS_B3", 52},         PaperEntry{71, "ISO_A3_PLUS", 71},
    PaperEntry{101, "PHOTO_8X10", 101},   PaperEntry{102, "ARCH_B", 102},
    PaperEntry{103, "ANSI_C", 103},       PaperEntry{104, "ARCH_C", 104},
    PaperEntry{105, "ARCH_A", 105},       PaperEntry{106, "ARCH_D", 106},
    PaperEntry{107, "ARCH_E1", 107},      PaperEntry{108, "ARCH_E2", 108},
    PaperEntry{109, "ARCH_E3", 109},      PaperEntry{110, "ARCH_E", 110},
    PaperEntry{111, "SUPER_B", 111},      PaperEntry{112, "ANSI_D", 112},
    PaperEntry{113, "ANSI_E", 113},       PaperEntry{114, "ANSI_F", 114},
    PaperEntry{115, "POSTER_20X30", 115}, PaperEntry{116, "POSTER_30X40", 116},
    PaperEntry{117, "A3_PLUSPLUS", 117},  PaperEntry{118, "INCH_42X60", 118},
    PaperEntry{119, "INCH_44X62", 119},   PaperEntry{122, "INCH_14X17", 122},
    PaperEntry{123, "INCH_10X12", 123},   PaperEntry{125, "INCH_18X22", 125},
    PaperEntry{126, "INCH_20X24", 126},   PaperEntry{127, "INCH_16X20", 127},
    PaperEntry{128, "INCH_10X15", 128},   PaperEntry{129, "INCH_17X24", 135},
    PaperEntry{130, "INCH_12X16", 130},   PaperEntry{131, "INCH_50X70", 131},
    PaperEntry{132, "INCH_54X76", 132},   PaperEntry{133, "INCH_60X84", 133},
    PaperEntry{134, "MM_300X900", 134},   PaperEntry{135, "INCH_17X24", 135},
};

// Inclusive ranges of paper width, tenths of a millimetre.
struct RollEntry {
    std::int32_t from;
    std::int32_t to;
    std::string_view name;
};

constexpr std::array kRollWidths{
    RollEntry{2012, 2052, "PHOTO_8X10"},   RollEntry{2515, 2565, "INCH_10X12"},
    RollEntry{2566, 2595, "JIS_B4"},       RollEntry{2941, 2999, "ISO_A3"},
    RollEntry{3000, 3030, "MM_300X900"},   RollEntry{3258, 3322, "ISO_A3_PLUS"},
    RollEntry{3521, 3591, "INCH_14X17"},   RollEntry{4024, 4104, "INCH_16X20"},
    RollEntry{4158, 4242, "ISO_A2"},       RollEntry{4275, 4361, "ANSI_C"},
    RollEntry{5099, 5201, "JIS_B2"},       RollEntry{5881, 5999, "ISO_A1"},
    RollEntry{6036, 6156, "ARCH_D"},       RollEntry{7208, 7352, "JIS_B1"},
    RollEntry{7544, 7696, "ARCH_E1"},      RollEntry{8316, 8484, "ISO_A0"},
    RollEntry{9053, 9235, "ARCH_E"},       RollEntry{10197, 10403, "JIS_B0"},
    RollEntry{10562, 10774, "INCH_42X60"}, RollEntry{11065, 11287, "INCH_44X62"},
    RollEntry{12573, 12827, "INCH_50X70"}, RollEntry{13579, 13853, "INCH_54X76"},
    RollEntry{15088, 15392, "INCH_60X84"},
};

}  // namespace

std::optional<PaperName> paperNameForId(std::int32_t paperId) {
    const std::int32_t id = paperId > kPaperIdAlias ? paperId - kPaperIdAlias : paperId;
    const auto found = std::find_if(kPapers.begin(), kPapers.end(),
                                    [id](const PaperEntry& entry) { return entry.id == id; });
    if (found == kPapers.end()) {
        return std::nullopt;
    }
    return PaperName{found->name, found->storedId};
}

std::string_view rollWidthName(std::int32_t paperWidth) {
    const auto found = std::find_if(
        kRollWidths.begin(), kRollWidths.end(),
        [paperWidth](const RollEntry& e) { return e.from <= paperWidth && paperWidth <= e.to; });
    return found == kRollWidths.end() ? std::string_view{} : found->name;
}

}  // namespace geometry
