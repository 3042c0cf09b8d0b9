// The old list of user-defined papers, "user.pref" in "Stratoline Common", into "user3.xml".
//
// The file is big-endian: a signed 16-bit count, then that many 78-byte records (paper_list.h).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "paper_list.h"

/// One paper of the old list, in host order, with its name as UTF-8.
struct OldPaper {
    std::int16_t paperID = 0;
    std::string name;
    std::int32_t width = 0;
    std::int32_t height = 0;
};

/// The papers of an old list file, in file order. None when the count is negative or the file
/// holds fewer bytes than its count needs. A paper whose name runs past its field or does not
/// convert is left out.
std::optional<std::vector<OldPaper>> readOldPaperList(std::span<const std::uint8_t> file);

/// Converts "user.pref" into "user3.xml" in "Stratoline Common" (made when missing) unless a good
/// "user3.xml" is there already. True when the new file was written.
bool convUserPaper();
