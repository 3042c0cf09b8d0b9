// Shared pieces of the network transport tests: handles that are always destroyed, descriptor
// counts, and a test printer that must start.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "printer/test_printer.h"
#include "transport/caio.h"

namespace networktest {

using namespace std::chrono_literals;

struct HandleDestroyer {
    void operator()(void* handle) const { caiolibDestroy(handle); }
};
using Handle = std::unique_ptr<void, HandleDestroyer>;

inline Handle makeHandle(const std::string& address) {
    return Handle(caiolibCreate(address.c_str()));
}

/// Open descriptors of this process.
inline std::size_t openDescriptorCount() {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry :
         std::filesystem::directory_iterator("/proc/self/fd")) {
        ++count;
    }
    return count;
}

/// Bytes 0, 1, 2, ... of the given length, wrapping at a prime so that a shifted block shows.
inline std::vector<std::uint8_t> patternBytes(std::size_t length, std::uint8_t seed = 0) {
    constexpr unsigned kPeriod = 251;
    std::vector<std::uint8_t> bytes(length);
    for (std::size_t i = 0; i < length; ++i) {
        bytes[i] = static_cast<std::uint8_t>((i + seed) % kPeriod);
    }
    return bytes;
}

/// Writes every byte through `handle`, as the job core does: a write that reports 0 bytes is
/// repeated, up to `maxStalls` times in a row. The last status.
inline std::int32_t writeAll(void* handle, std::int32_t mode,
                             const std::vector<std::uint8_t>& bytes, std::int32_t timeLimit,
                             int maxStalls = 3) {
    std::size_t offset = 0;
    int stalls = 0;
    while (offset < bytes.size()) {
        std::uint64_t count = bytes.size() - offset;
        const std::int32_t status =
            caiolibWrite(handle, mode, bytes.data() + offset, &count, timeLimit);
        if (status != kCaioNoErr) {
            return status;
        }
        stalls = count == 0 ? stalls + 1 : 0;
        if (stalls > maxStalls) {
            return kCaioCodeTimedOut | kCaioCodeBit;
        }
        offset += count;
    }
    return kCaioNoErr;
}

/// A test printer that started, or a failed test that says why.
class PrinterTest : public ::testing::Test {
  protected:
    void startPrinter(testsupport::TestPrinterOptions options = {}) {
        printer_ = std::make_unique<testsupport::TestPrinter>(std::move(options));
        ASSERT_TRUE(printer_->start()) << printer_->error();
    }
    testsupport::TestPrinter& printer() { return *printer_; }

    static constexpr std::chrono::milliseconds kWait = 5s;

  private:
    std::unique_ptr<testsupport::TestPrinter> printer_;
};

}  // namespace networktest
