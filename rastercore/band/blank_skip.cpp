// The cursor moves of blank skipping, one table per layout. Within a layout the rows are tried
// in order: a row applies when its condition holds and the line is its line; a stopping row ends
// the search when its condition holds on another line.
#include "band/blank_skip.h"

#include <algorithm>
#include <span>

namespace {

struct MoveRule {
    bool condition;
    bool stops;  ///< ends the search when the condition holds on another line
    std::int32_t line;
    CursorTarget target;
};

std::optional<CursorTarget> firstMove(std::span<const MoveRule> rules, std::int32_t line) {
    for (const MoveRule& rule : rules) {
        if (!rule.condition) {
            continue;
        }
        if (rule.line == line) {
            return rule.target;
        }
        if (rule.stops) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<CursorTarget> blankSkipMove(const BlankSkipLayout& layout, std::int32_t r) {
    const std::int32_t iT = layout.image.top;
    const std::int32_t iL = layout.image.left;
    const std::int32_t iB = layout.image.bottom;
    const std::int32_t cT = layout.caption.top;
    const std::int32_t cL = layout.caption.left;
    const std::int32_t cB = layout.caption.bottom;
    const std::int32_t Si = layout.imageStart;
    const std::int32_t Sc = layout.captionStart;
    const bool captionFirst = layout.captionKind == 1;

    if (!layout.turned && captionFirst) {
        const MoveRule rules[] = {
            {iL < cL && cT < iT, false, Sc, {cL, cT}},
            {iL < cL && iB < cB, false, iB - cT, {cL, iB}},
            {iL < cL && cT < iT, false, Si, {iL, iT}},
            {true, false, Sc + cB - cT, {iL, std::max(iT, cB)}},
        };
        return firstMove(rules, r);
    }
    if (!layout.turned) {
        const MoveRule rules[] = {
            {iL < cL && cT < iT, true, Si - Sc, {iL, iT}},
            {iL < cL && cT < iB, true, iB - iT, {cL, iB}},
            {true, false, Sc - std::min(Si, Sc),
             cT < iB ? CursorTarget{std::min(iL, cL), cT} : CursorTarget{cL, cT}},
        };
        return firstMove(rules, r);
    }
    if (captionFirst) {
        const MoveRule rules[] = {
            {cT < iT && iL < cL, false, Si, {iL, iT}},
            {iB < cB && iL < cL, false, Si + iB - iT, {cL, std::max(cT, iB)}},
            {cL < iL && iT < cT, false, Sc - Si, {cL, iB < cT ? cT : iT + r}},
            {cL < iL, false, cB, {iL, std::max(iT, r)}},
        };
        return firstMove(rules, r);
    }
    const MoveRule rules[] = {
        {cB < iB, false, Sc + cB - cT, {iL, cT <= iB ? std::max(cB, iT) : cT}},
        {iT < cT, false, Sc, {cL, cT}},
    };
    return firstMove(rules, r);
}
