// The cells of a test-pattern view run on threads of their own and share one opened table and
// the job records: their pixels equal a serial run's. Built with ThreadSanitizer, this test also
// shows that the cells only read what they share.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "preview_fixture.h"

namespace {

using namespace previewtest;

constexpr int kThreads = 8;
constexpr int kCells = 50;
constexpr int kRecords = 5;
constexpr std::uint32_t kCellWidth = 24;
constexpr std::uint32_t kCellHeight = 6;

struct Setting {
    const char* label;
    std::uint16_t imageMode;
    std::int32_t colorMode;
    std::int32_t previewProof;
    bool proof;
};

// The image of one cell: a different gradient in each.
std::vector<std::uint8_t> cellImage(int cell) {
    std::vector<std::uint8_t> rgb(std::size_t{kCellWidth} * kCellHeight * 3);
    for (std::size_t i = 0; i < rgb.size(); ++i) {
        rgb[i] = static_cast<std::uint8_t>((i * 7 + static_cast<std::size_t>(cell) * 31) % 256);
    }
    return rgb;
}

class PatternThreads : public PreviewProfiles {
  protected:
    // The records of the view's cells: the same colour settings, each with its own adjustments.
    void makeRecords(const Setting& s) {
        for (int i = 0; i < kRecords; ++i) {
            auto& r = records_[i];
            r = std::make_unique<PreviewRecords>();
            r->host.imageMode = s.imageMode;
            r->embed(kAdobeRgb);
            r->record.colorMode = s.colorMode;
            r->record.previewProof = s.previewProof;
            r->record.matchingMethod = 3;
            r->record.simulatePaperColor = 1;
            r->output(printer());
            if (s.proof) {
                r->proof(cmykProof());
            }
            r->record.brightness = i * 5 - 10;
            r->record.contrast = 10 - i * 4;
            r->record.cyanRed = i * 3;
            r->record.grayGradation = i + 1;
            r->record.patternPrint = 1;
        }
    }

    // Every cell's pixels, through the shared table; `threads` 0 runs them on this thread.
    std::vector<std::vector<std::uint8_t>> runCells(int threads, const PtnProfileInfoTbl& table) {
        std::vector<std::vector<std::uint8_t>> shown(kCells);
        std::vector<std::int32_t> codes(kCells, -1);
        const auto runCell = [&](int cell) {
            const std::vector<std::uint8_t> source = cellImage(cell);
            std::vector<std::uint8_t> destination(source.size());
            ColorDataRec data{source.data(),
                              destination.data(),
                              kCellWidth,
                              kCellHeight,
                              static_cast<std::uint32_t>(destination.size()),
                              cell};
            codes[cell] =
                RasterCore_Prev_ColorManagement(&records_[cell % kRecords]->record, &data, &table);
            shown[cell] = std::move(destination);
        };
        if (threads == 0) {
            for (int cell = 0; cell < kCells; ++cell) {
                runCell(cell);
            }
        } else {
            std::atomic<int> next{0};
            std::atomic<bool> go{false};
            std::vector<std::thread> workers;
            for (int t = 0; t < threads; ++t) {
                workers.emplace_back([&] {
                    while (!go.load()) {
                        std::this_thread::yield();
                    }
                    for (int cell = next++; cell < kCells; cell = next++) {
                        runCell(cell);
                    }
                });
            }
            go = true;
            for (std::thread& worker : workers) {
                worker.join();
            }
        }
        for (int cell = 0; cell < kCells; ++cell) {
            EXPECT_EQ(codes[cell], 0) << "cell " << cell;
        }
        return shown;
    }

    std::unique_ptr<PreviewRecords> records_[kRecords];
};

TEST_F(PatternThreads, EightThreadsShowWhatOneShows) {
    const Setting settings[] = {
        {"ICC chain through a CMYK proof", kRgb, kIcc, 1, true},
        {"monochrome without proof", kRgb, kMonochrome, 0, false},
        {"grey image with proof, run as colour mode 2", kGrey, kIcc, 1, true},
    };
    for (const Setting& s : settings) {
        makeRecords(s);
        // Each run on a table of its own, the threads first: they are the first to use what
        // the table holds.
        std::vector<std::vector<std::uint8_t>> threaded, serial;
        for (const int threads : {kThreads, 0}) {
            PtnProfileInfoTbl table{};
            ASSERT_EQ(RasterCore_PatternProfileSearch_Open(&records_[0]->record, &table), 0)
                << s.label;
            (threads != 0 ? threaded : serial) = runCells(threads, table);
            EXPECT_EQ(RasterCore_PatternProfileSearch_Close(&table), 0);
        }
        for (int cell = 0; cell < kCells; ++cell) {
            EXPECT_EQ(threaded[cell], serial[cell]) << s.label << ", cell " << cell;
            EXPECT_NE(serial[cell], cellImage(cell)) << s.label << ", cell " << cell;
        }
        // Cells of different adjustments differ.
        EXPECT_NE(serial[0], serial[kRecords]) << s.label;
        for (const auto& r : records_) {
            EXPECT_EQ(+r->record.colorMode, s.colorMode) << s.label;
        }
    }
}

}  // namespace
