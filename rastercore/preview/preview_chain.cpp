#include "preview/preview_chain.h"

#include <cstring>
#include <vector>

#include "color/color_sync.h"

namespace {

using color::Depth;
using color::Layout;
using color::RowForm;

// The steps that run, each with the row forms it converts between; false when a missing step
// would change the layout.
struct Run {
    color::Transform* transform;
    RowForm from;
    RowForm into;
};

bool runOf(std::span<const ChainStep> steps, Layout from, std::vector<Run>& run) {
    Layout at = from;
    for (const ChainStep& step : steps) {
        if (step.transform == nullptr) {
            if (step.into != at) {
                return false;
            }
            continue;
        }
        run.push_back({step.transform, {at, Depth::Sixteen}, {step.into, Depth::Sixteen}});
        at = step.into;
    }
    if (at != Layout::Rgb) {
        return false;
    }
    if (!run.empty()) {
        run.front().from.depth = Depth::Eight;
        run.back().into.depth = Depth::Eight;
    }
    return true;
}

std::size_t rowBytes(RowForm form, std::size_t pixels) {
    return pixels * color::bytesPerPixel(form.layout, form.depth);
}

}  // namespace

std::int32_t matchChain(std::span<const ChainStep> steps, const void* source, Layout from,
                        void* destination, std::size_t pixels) {
    std::vector<Run> run;
    if (!runOf(steps, from, run)) {
        return kColorSyncTransformError;
    }
    if (run.empty()) {
        if (destination != source) {
            std::memcpy(destination, source, rowBytes({Layout::Rgb, Depth::Eight}, pixels));
        }
        return 0;
    }
    // Two buffers of 16-bit samples, in turn the output of one step and the input of the next.
    std::vector<std::uint16_t> between[2];
    const void* in = source;
    for (std::size_t i = 0; i < run.size(); ++i) {
        const bool last = i + 1 == run.size();
        std::vector<std::uint16_t>& buffer = between[i % 2];
        if (!last) {
            buffer.resize(rowBytes(run[i].into, pixels) / sizeof(std::uint16_t));
        }
        void* out = last ? destination : buffer.data();
        if (!run[i].transform->convert(in, run[i].from, out, run[i].into, pixels)) {
            return kColorSyncTransformError;
        }
        in = out;
    }
    return 0;
}

bool prepareChain(std::span<const ChainStep> steps, Layout from) {
    std::vector<Run> run;
    if (!runOf(steps, from, run)) {
        return false;
    }
    for (const Run& step : run) {
        if (!step.transform->prepare(step.from, step.into)) {
            return false;
        }
    }
    return true;
}
