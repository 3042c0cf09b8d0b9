#include "color/color_path_lattice.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "color/color_frameworks.h"
#include "record/color_info.h"
#include "tonara2/tonara2.h"
#include "util/memory.h"

namespace {

using color::kLatticePoints;

constexpr std::size_t kRgbSamples = 3;
constexpr std::size_t kCells = kLatticePoints - 1;
constexpr std::uint32_t kLargest16 = 0xFFFF;
constexpr std::uint32_t kNodeStep = color::kLatticeNodeStep;
constexpr int kFormSamplesShift = 16;  // destination samples in a framework pixel form
constexpr std::uint32_t kFormSamplesMask = 0xFF;

// Grid placement: the chain is followed along lines parallel to each axis, kPlacementSteps
// steps long, at kPlacementLines × kPlacementLines places across the other two axes; the
// nodes then share out the bends (the square root of the second difference, which a straight
// piece between nodes misses by) equally, every cell taking at least kLeastShare of the
// average, so that no part of an axis goes without nodes.
constexpr std::size_t kPlacementSteps = 1024;
constexpr std::size_t kPlacementLines = 9;
constexpr double kLeastShare = 0.5;

// The departure's tail leaves out the largest thousandth of the samples.
constexpr std::size_t kTailPerMille = 1000;

using Row = std::vector<std::uint16_t>;

std::size_t stageCount(const ColorPathStages& stages) {
    return (stages.adjustment != ColorAdjustment::None ? 1 : 0) + (stages.matching ? 1 : 0) +
           (stages.conversion ? 1 : 0);
}

// Whether the adjustment object hands on RGB pixels, by the framework's own answer.
bool adjustmentKeepsRgb(const Color_Info& info, ColorAdjustment adjustment,
                        const ColorPathObjects& objects) {
    std::uint32_t sourceForm = 0, destinationForm = 0;
    std::int32_t answer = kTnr2BadArgument;
    if (adjustment == ColorAdjustment::None) {
        return true;
    }
    if (adjustment == ColorAdjustment::Preproc) {
        const auto query = BIND_FRAMEWORK_FUNCTION(info.colorBundle, tnr2_query_preproc_hint);
        answer = query != nullptr ? query(objects.preproc, &sourceForm, &destinationForm)
                                  : kTnr2BadArgument;
    } else {
        const auto query = BIND_FRAMEWORK_FUNCTION(info.colorBundle, tnr2_query_monochrome_hint);
        answer = query != nullptr ? query(objects.monochrome, &sourceForm, &destinationForm)
                                  : kTnr2BadArgument;
    }
    return answer == kTnr2Ok &&
           (destinationForm >> kFormSamplesShift & kFormSamplesMask) == kRgbSamples;
}

// The job's stages at full precision on rows of 16-bit samples.
class Chain {
  public:
    Chain(Color_Info& info, const ColorPathStages& stages, const ColorPathObjects& objects)
        : info_(info), stages_(stages), objects_(objects) {}

    bool run(const std::uint16_t* in, std::uint16_t* out, std::size_t pixels) const {
        return runColorPath(info_, stages_, objects_, color::Depth::Sixteen,
                            reinterpret_cast<const std::uint8_t*>(in),
                            reinterpret_cast<std::uint8_t*>(out),
                            static_cast<std::uint32_t>(pixels)) == 0;
    }

  private:
    Color_Info& info_;
    const ColorPathStages& stages_;
    const ColorPathObjects& objects_;
};

// How sharply the chain bends at each step along `axis`: the largest second difference of any
// result on any of the lines.
bool bendsAlong(const Chain& chain, std::size_t axis, std::vector<double>& bends) {
    constexpr std::size_t kPoints = kPlacementSteps + 1;
    Row in(kPoints * kRgbSamples), out(kPoints * kRgbSamples);
    bends.assign(kPoints, 0.0);
    const auto across = [](std::size_t line) {
        return static_cast<std::uint16_t>(line * kLargest16 / (kPlacementLines - 1));
    };
    for (std::size_t p = 0; p < kPlacementLines; ++p) {
        for (std::size_t q = 0; q < kPlacementLines; ++q) {
            for (std::size_t k = 0; k < kPoints; ++k) {
                std::uint16_t* pixel = &in[k * kRgbSamples];
                pixel[axis] = static_cast<std::uint16_t>((k * kLargest16 + kPlacementSteps / 2) /
                                                         kPlacementSteps);
                pixel[(axis + 1) % kRgbSamples] = across(p);
                pixel[(axis + 2) % kRgbSamples] = across(q);
            }
            if (!chain.run(in.data(), out.data(), kPoints)) {
                return false;
            }
            for (std::size_t k = 1; k + 1 < kPoints; ++k) {
                for (std::size_t c = 0; c < kRgbSamples; ++c) {
                    const double before = out[(k - 1) * kRgbSamples + c];
                    const double here = out[k * kRgbSamples + c];
                    const double after = out[(k + 1) * kRgbSamples + c];
                    bends[k] = std::max(bends[k], std::abs(before - 2 * here + after));
                }
            }
        }
    }
    return true;
}

// Nodes along one axis that share out the bends equally.
color::LatticeNodes nodesFor(const std::vector<double>& bends) {
    std::vector<double> share(kPlacementSteps);
    double total = 0;
    for (std::size_t k = 0; k < kPlacementSteps; ++k) {
        share[k] = std::sqrt(std::max(bends[k], bends[k + 1]));
        total += share[k];
    }
    const double least = kLeastShare * total / kPlacementSteps;
    total = 0;
    for (double& s : share) {
        s = std::max(s, least);
        total += s;
    }
    color::LatticeNodes nodes{};
    double before = 0;  // the shares of the steps before step k
    std::size_t k = 0;
    for (std::size_t i = 1; i < kCells; ++i) {
        const double wanted = total * static_cast<double>(i) / kCells;
        while (k + 1 < kPlacementSteps && before + share[k] < wanted) {
            before += share[k++];
        }
        const double step = static_cast<double>(k) + std::min(1.0, (wanted - before) / share[k]);
        // On the nearest multiple of the node step, at least one step above the last node.
        const double input = step * kLargest16 / static_cast<double>(kPlacementSteps);
        const auto onStep = static_cast<std::uint32_t>(std::lround(input / kNodeStep)) * kNodeStep;
        nodes[i] = static_cast<std::uint16_t>(std::max(onStep, nodes[i - 1] + kNodeStep));
    }
    // Crowded at the top, nodes step back so that the last inner one stays below 65535.
    std::uint32_t ceiling = kLargest16 + 1;
    for (std::size_t i = kCells - 1; i > 0; --i) {
        ceiling -= kNodeStep;
        nodes[i] = static_cast<std::uint16_t>(std::min<std::uint32_t>(nodes[i], ceiling));
        ceiling = nodes[i];
    }
    nodes[kCells] = static_cast<std::uint16_t>(kLargest16);
    return nodes;
}

bool placeGrid(const Chain& chain, color::LatticeGrid& grid) {
    std::vector<double> bends;
    for (std::size_t axis = 0; axis < kRgbSamples; ++axis) {
        if (!bendsAlong(chain, axis, bends)) {
            return false;
        }
        grid[axis] = nodesFor(bends);
    }
    return color::risingGrid(grid);
}

// The differences between the lattice and the chain at the centres of all cells, where the
// interpolation is furthest from the grid points.
bool departureAtCentres(const Chain& chain, const color::LatticeGrid& grid,
                        const ColorPathLattice& lattice, FoldDeparture& departure) {
    Row centres(kCells * kRgbSamples), expected(centres.size()), folded(centres.size());
    const auto centre = [&](std::size_t axis, std::size_t cell) {
        return static_cast<std::uint16_t>((grid[axis][cell] + grid[axis][cell + 1] + 1) / 2);
    };
    std::vector<std::uint32_t> counts(kLargest16 + 1, 0);  // samples by their difference
    for (std::size_t r = 0; r < kCells; ++r) {
        for (std::size_t g = 0; g < kCells; ++g) {
            for (std::size_t b = 0; b < kCells; ++b) {
                centres[b * kRgbSamples] = centre(0, r);
                centres[b * kRgbSamples + 1] = centre(1, g);
                centres[b * kRgbSamples + 2] = centre(2, b);
            }
            if (!chain.run(centres.data(), expected.data(), kCells)) {
                return false;
            }
            color::applyLattice(lattice.words, lattice.axes, centres.data(), folded.data(), kCells);
            for (std::size_t i = 0; i < folded.size(); ++i) {
                ++counts[static_cast<std::size_t>(std::abs(folded[i] - expected[i]))];
            }
        }
    }
    constexpr std::size_t kSamplesChecked = kCells * kCells * kCells * kRgbSamples;
    constexpr std::size_t kTailCount = kSamplesChecked - kSamplesChecked / kTailPerMille;
    std::size_t below = 0;
    departure = {};
    for (std::size_t difference = 0; difference < counts.size(); ++difference) {
        if (counts[difference] == 0) {
            continue;
        }
        if (below < kTailCount) {
            departure.tail = static_cast<std::int32_t>(difference);
        }
        below += counts[difference];
        departure.largest = static_cast<std::int32_t>(difference);
    }
    return true;
}

// Samples the chain on the objects into `lattice`; true when it follows the chain closely.
bool sampleChain(Color_Info& info, const ColorPathObjects& objects, ColorPathLattice& lattice) {
    if (!adjustmentKeepsRgb(info, lattice.stages.adjustment, objects)) {
        return false;
    }
    const Chain chain(info, lattice.stages, objects);
    color::LatticeGrid grid{};
    if (!placeGrid(chain, grid) || !color::fillLatticeAxes(lattice.axes, grid) ||
        !color::sampleLattice(lattice.words, grid,
                              [&](const std::uint16_t* in, std::uint16_t* out, std::size_t pixels) {
                                  return chain.run(in, out, pixels);
                              })) {
        return false;
    }
    return departureAtCentres(chain, grid, lattice, lattice.departure) &&
           lattice.departure.tail <= kFoldTail && lattice.departure.largest <= kFoldLargest;
}

}  // namespace

bool foldColorPath(Color_Info& info) {
    releaseColorPathLattice(info);
    const ColorPathStages stages = colorPathStages(info);
    if (info.patternPrint != 0 || info.outputDepth > kOutput12Bit || stageCount(stages) < 2) {
        return false;
    }
    ColorPathLattice* lattice = nullptr;
    if (Get_MemoryClear(1, sizeof(ColorPathLattice), kUnusedKind, &lattice) != 0) {
        return false;
    }
    lattice->stages = stages;
    bool folded = false;
    if (info.outputDepth == kOutput8Bit) {
        // The job's objects work on 8-bit samples; the chain is sampled through 16-bit twins.
        ColorPathObjects twins;
        folded = createSixteenBitObjects(info, twins) == 0 && sampleChain(info, twins, *lattice);
        freeColorPathObjects(info, twins);
    } else {
        folded = sampleChain(info, currentObjects(info), *lattice);
    }
    if (!folded) {
        Dispose_MemoryClear(&lattice, kUnusedKind);
    }
    info.pathLattice = lattice;
    return folded;
}

bool applyColorPathLattice(const Color_Info& info, const std::uint8_t* source,
                           std::uint8_t* destination, std::uint32_t pixels) {
    const ColorPathLattice* lattice = info.pathLattice;
    if (lattice == nullptr || !(lattice->stages == colorPathStages(info))) {
        return false;
    }
    if (info.outputDepth == kOutput8Bit) {
        color::applyLattice(lattice->words, lattice->axes, source, destination, pixels);
    } else {
        color::applyLattice(lattice->words, lattice->axes,
                            reinterpret_cast<const std::uint16_t*>(source),
                            reinterpret_cast<std::uint16_t*>(destination), pixels);
    }
    return true;
}

void releaseColorPathLattice(Color_Info& info) {
    Dispose_MemoryClear(&info.pathLattice, kUnusedKind);
}
