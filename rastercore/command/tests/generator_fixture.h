// A job context and command record for generator tests, with the values the job driver sets.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <span>
#include <vector>

#include "command/cmd_info.h"
#include "command/tarn_cmd.h"
#include "record/job_context.h"
#include "util/memory.h"

namespace commandtest {

using Bytes = std::vector<std::uint8_t>;

/// A zeroed job context of family 1 and a zeroed record filled like the job driver does.
struct GeneratorFixture {
    std::unique_ptr<PLGContext> context = std::make_unique<PLGContext>();
    Cmd_Info* info = nullptr;
    static constexpr std::size_t kDefaultRoom = 1 << 20;
    Bytes scratch;

    GeneratorFixture() {
        context->modelTable.PrinterSize = 1;
        Get_MemoryClear(1, sizeof(Cmd_Info), kUnusedKind, &info);
        info->context = context.get();
        std::strcpy(info->paperName, "ISO_A4");
        info->paperOrientation = kOrientationShortEdge;
        info->graphicsResolution[0] = info->graphicsResolution[1] = 600;
        info->pjlResolution[0] = info->pjlResolution[1] = 1200;
        info->paperSourceMask = 0x0001;
        info->drawMode = 1;
        info->compression = 2;
        info->singleSSC = -1;
        setInput(3, 8);
        info->outputDepth = kDepth8;
        info->imageWidth = 16;
        info->bandHeight = 1;
    }
    ~GeneratorFixture() {
        if (info != nullptr) {
            tarn_Cmd_Terminate(info);
        }
    }
    GeneratorFixture(const GeneratorFixture&) = delete;
    GeneratorFixture& operator=(const GeneratorFixture&) = delete;

    /// Interleaved input of `planes` components (1, 3 or 4) of `bits` (8 or 16) each.
    void setInput(int planes, std::uint8_t bits) {
        info->inputColorSpace = TARNColorSpace{18, planes, {}};
        const int first = planes == 3 ? 0 : (planes == 4 ? 3 : 6);
        const int last = planes == 3 ? 2 : 6;
        for (int slot = first; slot <= last; ++slot) {
            info->inputColorSpace.depth[slot] = bits;
        }
    }

    /// Runs one command operation into a fresh buffer and returns its bytes (empty on failure,
    /// with the code in `*result` when asked).
    /// The default room is one scratch buffer kept for the fixture's life, so a job of many
    /// small commands does not allocate and clear a megabyte per command; any other room gets a
    /// buffer of exactly that size, so that the sanitizers see a write past it.
    template <typename Operation>
    Bytes run(Operation operation, std::int32_t* result = nullptr,
              std::size_t room = kDefaultRoom) {
        Bytes exact;
        if (room != kDefaultRoom) {
            exact.resize(room);
        } else if (scratch.empty()) {
            scratch.resize(kDefaultRoom);
        }
        std::uint8_t* const buffer = room == kDefaultRoom ? scratch.data() : exact.data();
        std::uint32_t length = 0xDEAD;
        const std::int32_t code =
            operation(info, buffer, static_cast<std::uint32_t>(room), &length);
        if (result != nullptr) {
            *result = code;
        }
        if (code != 0) {
            EXPECT_EQ(length, 0u) << "a failed operation reports bytes written";
            return {};
        }
        return Bytes(buffer, buffer + length);
    }

    /// The commands of one band of `rows` × `width` pixels at `top`.
    Bytes band(const Bytes& pixels, std::uint32_t width, std::uint32_t rows, std::int32_t top = 0,
               std::int32_t* result = nullptr) {
        const TARNRect rect{top, 0, top + static_cast<std::int32_t>(rows),
                            static_cast<std::int32_t>(width)};
        return run(
            [&](Cmd_Info* i, std::uint8_t* b, std::uint32_t c, std::uint32_t* l) {
                return tarn_Cmd_ImageBand(i, b, c, l, pixels.data(), &rect);
            },
            result);
    }
};

inline Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

/// The bytes of a text with ESC written as "\x1B".
inline Bytes text(std::string_view s) {
    return Bytes(s.begin(), s.end());
}

}  // namespace commandtest
