// The line printer daemon side of the test printer (RFC 1179 receive-job).
#include "printer/printer_lpr.h"

#include <cstdlib>
#include <string>

namespace testsupport {
namespace {

constexpr char kReceiveControlFile = 0x02;  // RFC 1179 6.2
constexpr char kReceiveDataFile = 0x03;     // RFC 1179 6.3

// The byte count that a receive-file subcommand announces after its code.
std::size_t announcedCount(const std::string& line) {
    return static_cast<std::size_t>(std::strtoull(line.c_str() + 1, nullptr, 10));
}

// The file and its terminating byte; a count that leaves no room for the terminator is no file.
void receiveControlFile(PrinterConnection& connection, std::size_t count, PrinterJob& job) {
    std::string file;
    if (count < file.max_size() && connection.readExactly(count + 1, file)) {
        job.controlFileTerminated = file.back() == '\0';
        job.controlFile = file.substr(0, count);
    }
}

}  // namespace

PrinterJob receiveLprJob(PrinterConnection& connection, std::uint8_t acknowledgement,
                         bool closeAfterReceiveJob) {
    PrinterJob job;
    job.kind = PrinterJob::Kind::kLpr;
    connection.keepTranscript();
    const std::uint8_t ack[] = {acknowledgement};

    std::string line;
    if (connection.readLine(line)) {
        job.commands.push_back(line);
        if (!closeAfterReceiveJob && connection.writeAll(ack)) {
            while (connection.readLine(line)) {
                job.commands.push_back(line);
                if (!connection.writeAll(ack)) {
                    break;
                }
                if (line[0] == kReceiveControlFile) {
                    receiveControlFile(connection, announcedCount(line), job);
                    connection.writeAll(ack);
                } else if (line[0] == kReceiveDataFile) {
                    connection.readToEnd(job.data, announcedCount(line));
                    break;
                } else {
                    break;
                }
            }
        }
    }
    job.transcript = connection.transcript();
    return job;
}

}  // namespace testsupport
