// One accepted connection of the test printer: reads that end when the printer stops.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace testsupport {

class PrinterConnection {
  public:
    /// Takes ownership of `socket`; every wait also ends when `wakeSocket` becomes readable.
    PrinterConnection(int socket, int wakeSocket);
    ~PrinterConnection();
    PrinterConnection(const PrinterConnection&) = delete;
    PrinterConnection& operator=(const PrinterConnection&) = delete;

    /// Reads what has arrived (up to `limit` bytes) and appends it to `into`; false on end of
    /// stream, error or stop.
    bool readSome(std::string& into, std::size_t limit = kChunk);
    /// Reads up to and including the next line feed.
    bool readLine(std::string& line);
    /// Reads exactly `count` bytes.
    bool readExactly(std::size_t count, std::string& out);
    /// Reads until the peer closes (or the printer stops), at most `limit` bytes.
    void readToEnd(std::string& out, std::size_t limit = SIZE_MAX);
    bool writeAll(std::span<const std::uint8_t> bytes);

    /// Every byte read so far, in order, when `keepTranscript` was asked for.
    void keepTranscript() { keepTranscript_ = true; }
    const std::string& transcript() const { return transcript_; }

    static constexpr std::size_t kChunk = 65536;

  private:
    bool fill();
    std::string take(std::size_t count);

    int socket_;
    int wakeSocket_;
    std::string pending_;  // read from the socket, not yet consumed
    bool keepTranscript_ = false;
    std::string transcript_;
};

}  // namespace testsupport
