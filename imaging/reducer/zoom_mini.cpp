// The reducer's handle and its vertical state machine.
#include <algorithm>
#include <limits>
#include <new>

#include "imaging/reducer/zoom_mini_errors.h"
#include "imaging/reducer/zoom_mini_internal.h"

using namespace zoom_mini_internal;

namespace {

constexpr std::int64_t kBitsPerByte = 8;
constexpr std::int64_t kLargestSide = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t kLargestBitsPerPixel = 64;

/// A reduction the state machine can run: positive sizes, no axis growing (the remainders
/// would go negative), and sizes whose products stay far inside 64 bits.
bool canReduce(std::int64_t destinationWidth, std::int64_t destinationHeight,
               std::int64_t sourceWidth, std::int64_t sourceHeight, std::int64_t bitsPerPixel) {
    const auto fits = [](std::int64_t destination, std::int64_t source) {
        return destination >= 1 && destination <= source && source <= kLargestSide;
    };
    return fits(destinationWidth, sourceWidth) && fits(destinationHeight, sourceHeight) &&
           bitsPerPixel >= 1 && bitsPerPixel <= kLargestBitsPerPixel;
}

/// Starts a destination row with the source row that opens it (step 1 of the state machine).
void startRow(ComZoomMini& reducer, const std::uint8_t* sourceRow) {
    const std::int64_t height = reducer.destinationHeight;
    std::fill_n(reducer.accumulation.get(), reducer.accumulationBytes / sizeof(std::uint64_t), 0);
    const std::int64_t weight = bentWeight(height - reducer.rowRemainder, height);
    addRow(reducer, sourceRow, weight);
    reducer.accumulatedWeight = weight;
    const std::int64_t rest = reducer.sourceHeight - (height - reducer.rowRemainder);
    reducer.fullRowsPending = rest / height;
    reducer.rowRemainder = rest - reducer.fullRowsPending * height;
    reducer.lastPartialPending = reducer.rowRemainder != 0 ? 1 : 0;
}

bool rowComplete(const ComZoomMini& reducer) {
    return reducer.fullRowsPending == 0 && reducer.lastPartialPending == 0;
}

}  // namespace

std::int32_t comZoomMini_Open(ComZoomMini** handle, std::int64_t destinationWidth,
                              std::int64_t destinationHeight, std::int64_t sourceWidth,
                              std::int64_t sourceHeight, std::int64_t bitsPerPixel) {
    if (handle == nullptr) {
        return kZoomMiniErrOpen;
    }
    *handle = nullptr;
    if (!canReduce(destinationWidth, destinationHeight, sourceWidth, sourceHeight, bitsPerPixel)) {
        return kZoomMiniErrOpen;
    }
    std::unique_ptr<ComZoomMini> reducer(new (std::nothrow) ComZoomMini{});
    if (!reducer) {
        return kZoomMiniErrOpen;
    }
    reducer->destinationWidth = destinationWidth;
    reducer->destinationHeight = destinationHeight;
    reducer->sourceWidth = sourceWidth;
    reducer->sourceHeight = sourceHeight;
    reducer->bitsPerPixel = bitsPerPixel;
    const std::int64_t rowBytes =
        (destinationWidth * bitsPerPixel + kBitsPerByte - 1) / kBitsPerByte;
    reducer->accumulationBytes = rowBytes * static_cast<std::int64_t>(sizeof(std::uint64_t));
    reducer->accumulation.reset(new (std::nothrow) std::uint64_t[rowBytes]);
    reducer->columns.reset(new (std::nothrow) Column[destinationWidth]);
    if (!reducer->accumulation || !reducer->columns) {
        return kZoomMiniErrOpen;
    }
    buildColumns(reducer->columns.get(), destinationWidth, sourceWidth);
    *handle = reducer.release();
    return kZoomMiniOk;
}

std::int32_t comZoomMini_Exec(ComZoomMini* handle, void* destinationRow, const void* sourceRow,
                              std::int32_t* ready) {
    if (handle == nullptr || destinationRow == nullptr || sourceRow == nullptr ||
        ready == nullptr) {
        return kZoomMiniErrNullHandle;
    }
    ComZoomMini& reducer = *handle;
    const auto* source = static_cast<const std::uint8_t*>(sourceRow);
    *ready = 0;
    if (rowComplete(reducer)) {
        startRow(reducer, source);
    } else if (reducer.fullRowsPending > 0) {
        addRow(reducer, source, reducer.destinationHeight);
        reducer.accumulatedWeight += reducer.destinationHeight;
        --reducer.fullRowsPending;
    } else {
        const std::int64_t weight = bentWeight(reducer.rowRemainder, reducer.destinationHeight);
        addRow(reducer, source, weight);
        reducer.accumulatedWeight += weight;
        reducer.lastPartialPending = 0;
    }
    if (rowComplete(reducer)) {
        writeRow(reducer, static_cast<std::uint8_t*>(destinationRow));
        *ready = 1;
        // A row straddling two destination rows also opens the next one.
        if (reducer.rowRemainder != 0) {
            startRow(reducer, source);
        }
    }
    return kZoomMiniOk;
}

std::int32_t comZoomMini_Close(ComZoomMini* handle) {
    if (handle == nullptr) {
        return kZoomMiniErrNullHandle;
    }
    delete handle;
    return kZoomMiniOk;
}
