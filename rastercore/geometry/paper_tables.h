// The fixed tables of the page geometry: paper names by id and roll-width names by width.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace geometry {

/// Added to a listed paper id, it names the same paper.
inline constexpr std::int32_t kPaperIdAlias = 10000;

/// A listed paper: its name and the id stored for it.
struct PaperName {
    std::string_view name;
    std::int32_t storedId;
};

/// The paper of a listed id (not the custom size), or nothing.
std::optional<PaperName> paperNameForId(std::int32_t paperId);

/// The roll-width name of a paper width (tenths of a millimetre), or an empty view.
std::string_view rollWidthName(std::int32_t paperWidth);

}  // namespace geometry
