// The print-mode tables of the stand-in's databases, entry by entry, as the table rules give
// them: per medium and method the 8-bit twin of a 16-bit record, the main entry, the extra
// qualities of resolution hint 0x40 and, on models of optimise level 1, the optimised entries of
// hint 0x1000 (and 0x2000); then the default flag of each further group.
#pragma once

#include <ostream>
#include <vector>

#include "printmode/print_mode_table.h"

inline std::ostream& operator<<(std::ostream& out, const PrintModeEntry& e) {
    return out << "{" << e.mediumID << ", " << e.resolutionCode << ", " << e.bitCode << ", "
               << e.resolutionWord3 << ", " << e.resolutionWord5 << ", " << e.printMethod << ", "
               << e.resolutionID << ", " << e.halftone << ", " << e.printMode << ", "
               << e.defaultFlag << "}";
}

namespace printmodetest {

// Fields: medium, resolution code, bit code, word 3, word 5, method, resolution id, halftone,
// print mode, default flag.
using Entries = std::vector<PrintModeEntry>;

// SL7000 media, one block each; 103 without and with its optimised entries.
const Entries k101{{101, 1, 0, 360, 1, 1, 1, 1, 1, 1}};
// Optimise-mode hint 0x100 raises each method's quality; the 16-bit entry of method 2 carries
// it as its 8-bit twin does; the 8-bit group (1, 0) has no flagged entry.
const Entries k102{{102, 1, 0, 360, 1, 1, 1, 1, 2, 0},
                   {102, 1, 0, 720, 2, 2, 1, 1, 4, 0},
                   {102, 1, 1, 720, 2, 2, 1, 1, 4, 1}};
const Entries k103Plain{{103, 1, 0, 720, 2, 2, 1, 1, 2, 0},
                        {103, 2, 0, 1440, 3, 4, 2, 1, 4, 1},
                        {103, 2, 2, 1440, 3, 4, 2, 1, 4, 1},
                        {103, 2, 2, 1440, 3, 4, 2, 1, 4, 0},
                        {103, 2, 2, 1440, 3, 4, 2, 1, 16, 0}};
const Entries k103Optimized{{103, 2, 2, 1440, 3, 4, 2, 1, 8, 0},
                            {103, 2, 2, 2880, 4, 4, 2, 1, 8, 0},
                            {103, 2, 2, 2880, 4, 4, 2, 1, 16, 0}};
// The first entry, of 8-bit input before 16-bit input, is flagged.
const Entries k104{{104, 2, 0, 1440, 3, 4, 2, 1, 4, 1},
                   {104, 2, 1, 1440, 3, 4, 2, 1, 4, 1},
                   {104, 2, 1, 1440, 3, 4, 2, 1, 4, 0},
                   {104, 2, 1, 1440, 3, 4, 2, 1, 16, 0}};
const Entries k105{{105, 1, 0, 720, 2, 2, 1, 1, 2, 1}};
const Entries k106{{106, 1, 0, 360, 1, 1, 1, 1, 1, 1}};
const Entries k107{{107, 1, 0, 360, 1, 1, 1, 1, 1, 1}};
const Entries k108{{108, 1, 0, 360, 1, 1, 1, 1, 1, 1}};
const Entries k110{{110, 1, 0, 720, 2, 2, 1, 1, 2, 1}};  // region 14 only
const Entries k112{{112, 1, 0, 360, 1, 1, 1, 1, 1, 1}};

// SL5000 media.
const Entries k201{{201, 1, 0, 360, 1, 1, 1, 1, 1, 1}};
const Entries k202{{202, 1, 0, 720, 2, 2, 1, 1, 2, 1}};
const Entries k203{{203, 2, 0, 1440, 3, 4, 2, 1, 4, 1}};
// Raised qualities; the group (2, 0) starts after the group (1, 0) and is flagged.
const Entries k204{{204, 1, 0, 360, 1, 1, 1, 1, 2, 0},
                   {204, 1, 0, 720, 2, 2, 1, 1, 4, 0},
                   {204, 2, 0, 1440, 3, 4, 2, 1, 8, 1},
                   {204, 2, 1, 1440, 3, 4, 2, 1, 8, 1}};
const Entries k205{{205, 1, 0, 720, 2, 2, 1, 1, 2, 1}};
const Entries k206Plain{{206, 2, 0, 1440, 3, 4, 2, 1, 4, 1},
                        {206, 2, 2, 1440, 3, 4, 2, 1, 4, 1},
                        {206, 2, 2, 1440, 3, 4, 2, 1, 4, 0},
                        {206, 2, 2, 1440, 3, 4, 2, 1, 16, 0}};
// Hint 0x1000 without 0x2000: no optimised quality 16.
const Entries k206Optimized{{206, 2, 2, 1440, 3, 4, 2, 1, 8, 0},
                            {206, 2, 2, 2880, 4, 4, 2, 1, 8, 0}};
const Entries k207{{207, 1, 0, 360, 1, 1, 1, 1, 1, 1}};  // region 14 only

// The foundation's fixture database: 301's optimised record is of 16-bit input, a new group.
const Entries k301Plain{{301, 2, 0, 1440, 3, 4, 2, 1, 4, 1}};
const Entries k301Optimized{{301, 2, 0, 1440, 3, 4, 2, 1, 8, 0},
                            {301, 2, 1, 2880, 4, 4, 2, 1, 8, 1}};
const Entries k302{{302, 2, 0, 1440, 3, 4, 2, 1, 4, 1}};
const Entries k303{{303, 1, 0, 360, 1, 1, 1, 1, 1, 1}};
const Entries k206Fixture{{206, 1, 0, 360, 1, 1, 1, 1, 1, 1}};

inline Entries join(std::initializer_list<const Entries*> blocks) {
    Entries all;
    for (const Entries* block : blocks) all.insert(all.end(), block->begin(), block->end());
    return all;
}

}  // namespace printmodetest
