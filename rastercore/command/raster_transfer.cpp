// Raster transfer and PackBits in pieces.
#include "command/raster_transfer.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "command/command_writer_internal.h"
#include "command/plane_layout.h"
#include "command/seed_row.h"
#include "command/srl_builders.h"
#include "compress/packbits.h"
#include "rastercore/result_codes.h"

namespace {

using rastercore::kCommandBadArgument;
using rastercore::kResultOk;

// Where each plane's rows are and how long they are.
struct PlaneRows {
    int count = 0;
    std::array<const std::uint8_t*, kMaxPlanes> start{};
    std::array<std::uint32_t, kMaxPlanes> stride{};
    std::array<std::uint32_t, kMaxPlanes> bytes{};

    const std::uint8_t* row(int plane, std::uint32_t r) const {
        return start[plane] + static_cast<std::size_t>(r) * stride[plane];
    }
};

bool layOut(const TRasDataInfo& info, PlaneRows& rows) {
    const TARNColorSpace& space = *info.colorSpace;
    rows.count = static_cast<int>(planeSlots(space.planeCount).size());
    if (rows.count == 0) {
        return false;
    }
    const std::uint8_t* at = info.planes;
    for (int p = 0; p < rows.count; ++p) {
        if (planeDepth(space, p) == 0) {
            return false;
        }
        rows.start[p] = at;
        rows.stride[p] = planeRowStride(space, p, info.width);
        rows.bytes[p] = planeRowBytes(space, p, info.width);
        at += static_cast<std::size_t>(rows.stride[p]) * info.height;
    }
    return true;
}

bool seedStoresFit(const TRasDataInfo& info, const PlaneRows& rows) {
    if (info.seedStores == nullptr) {
        return false;
    }
    for (int p = 0; p < rows.count; ++p) {
        const SeedStore& store = info.seedStores[p];
        if (store.bytes == nullptr || store.capacity < rows.bytes[p]) {
            return false;
        }
    }
    return true;
}

bool validArguments(const CommandCursor* cursor, std::uint32_t* count, const TRasDataInfo* info) {
    return cursor != nullptr && cursor->at != nullptr && count != nullptr && info != nullptr &&
           info->planes != nullptr && info->workBuffer != nullptr && info->colorSpace != nullptr &&
           info->width != 0 && info->height != 0 &&
           (info->compression == kCompNone || info->compression == kCompPackBits ||
            info->compression == kCompSeedRow);
}

// Writes the rows of one band at the cursor.
class BandWriter {
  public:
    BandWriter(CommandCursor* cursor, const TRasDataInfo& info, const PlaneRows& rows)
        : cursor_(cursor), info_(info), rows_(rows) {}

    void method(TARNCompType type) {
        std::uint32_t length = 0;
        SRL_CompMethod(cursor_, &length, type);
    }

    void rawRow(std::uint32_t r) {
        for (int p = 0; p < rows_.count; ++p) {
            send(p, rows_.row(p, r), rows_.bytes[p]);
        }
    }

    void packBitsRow(std::uint32_t r) {
        for (int p = 0; p < rows_.count; ++p) {
            const std::uint8_t* source = rows_.row(p, r);
            std::uint8_t* coded = info_.workBuffer;
            PackBitsUInt32(&source, &coded, rows_.bytes[p]);
            send(p, info_.workBuffer, static_cast<std::uint32_t>(coded - info_.workBuffer));
        }
    }

    // Row `r` against row r - 1, or for r = 0 against the seed stores.
    void seedRow(std::uint32_t r) {
        for (int p = 0; p < rows_.count; ++p) {
            const SeedStore& store = info_.seedStores[p];
            const std::uint8_t* seed = r == 0 ? store.bytes : rows_.row(p, r - 1);
            const std::uint32_t seedLength = r == 0 ? store.length : rows_.bytes[p];
            std::uint32_t coded = 0;
            SeedRow2(seed, seedLength, rows_.row(p, r), rows_.bytes[p], info_.workBuffer, &coded);
            send(p, info_.workBuffer, coded);
        }
    }

    bool full() const { return cursor_->full; }

  private:
    void send(int plane, const std::uint8_t* data, std::uint32_t length) {
        std::uint32_t written = 0;
        if (plane + 1 < rows_.count) {
            SRL_TRasDat_Plane(cursor_, &written, data, length);
        } else {
            SRL_TRasDat_RowBlock(cursor_, &written, data, length);
        }
    }

    CommandCursor* cursor_;
    const TRasDataInfo& info_;
    const PlaneRows& rows_;
};

void transferSeedRows(BandWriter& writer, const TRasDataInfo& info, const PlaneRows& rows) {
    const bool storesEmpty = std::all_of(info.seedStores, info.seedStores + rows.count,
                                         [](const SeedStore& s) { return s.length == 0; });
    std::uint32_t r = 0;
    if (storesEmpty) {
        writer.method(kCompPackBits);
        writer.packBitsRow(r++);
    }
    for (; r < info.height; ++r) {
        writer.method(kCompSeedRow);
        writer.seedRow(r);
    }
    if (writer.full()) {
        return;  // the band fails; the stores keep the rows the printer last received
    }
    for (int p = 0; p < rows.count; ++p) {
        SeedStore& store = info.seedStores[p];
        std::memcpy(store.bytes, rows.row(p, info.height - 1), rows.bytes[p]);
        store.length = rows.bytes[p];
    }
}

}  // namespace

std::int32_t PackBitsUInt32(const std::uint8_t** source, std::uint8_t** destination,
                            std::uint32_t length) {
    if (source == nullptr || destination == nullptr || *source == nullptr ||
        *destination == nullptr || length == 0) {
        return kCommandBadArgument;
    }
    const auto piece = static_cast<std::uint32_t>(kPackBitsMaxPiece);
    while (length > piece) {
        RLE_Compression_PackBits(source, destination, kPackBitsMaxPiece);
        length -= piece;
    }
    RLE_Compression_PackBits(source, destination, static_cast<std::int16_t>(length));
    return kResultOk;
}

std::uint32_t packBitsRowMaxOutput(std::uint32_t length) {
    const auto piece = static_cast<std::uint32_t>(kPackBitsMaxPiece);
    const std::uint32_t whole = length / piece;
    const std::uint32_t rest = length % piece;
    return whole * static_cast<std::uint32_t>(kPackBitsMaxOutput) +
           static_cast<std::uint32_t>(packBitsMaxOutput(static_cast<std::int16_t>(rest)));
}

std::uint64_t rasterCommandBound(const TARNColorSpace& space, std::uint32_t width,
                                 std::uint32_t height) {
    // Every command is ESC, two prefix characters, a number and its final letter; a row
    // transfer adds its coded bytes, whose worst case is the largest of the three codings.
    constexpr std::uint64_t kFrame = 4 + command_detail::kNumberChars;
    std::uint64_t row = 0;
    const int planes = static_cast<int>(planeSlots(space.planeCount).size());
    for (int p = 0; p < planes; ++p) {
        const std::uint32_t bytes = planeRowBytes(space, p, width);
        row += kFrame + std::max({bytes, packBitsRowMaxOutput(bytes), seedRowMaxOutput(bytes)});
    }
    // Seed-row bands add one method command per row to the first one.
    return row * height + kFrame * (std::uint64_t{height} + 1);
}

std::int32_t TARNTransferRasterData(CommandCursor* cursor, std::uint32_t* count,
                                    const TRasDataInfo* info) {
    PlaneRows rows;
    if (!validArguments(cursor, count, info) || !layOut(*info, rows) ||
        (info->compression == kCompSeedRow && !seedStoresFit(*info, rows))) {
        if (count != nullptr) {
            *count = 0;
        }
        return kCommandBadArgument;
    }
    std::uint8_t* const begin = cursor->at;
    BandWriter writer(cursor, *info, rows);
    switch (info->compression) {
        case kCompNone:
        case kCompPackBits:
            writer.method(info->compression);
            for (std::uint32_t r = 0; r < info->height; ++r) {
                if (info->compression == kCompNone) {
                    writer.rawRow(r);
                } else {
                    writer.packBitsRow(r);
                }
            }
            break;
        case kCompSeedRow:
            transferSeedRows(writer, *info, rows);
            break;
    }
    if (writer.full()) {
        *count = 0;
        return kCommandBadArgument;
    }
    *count = static_cast<std::uint32_t>(cursor->at - begin);
    return kResultOk;
}
