// The line printer daemon side of the test printer (RFC 1179 receive-job).
#pragma once

#include <cstdint>

#include "printer/printer_connection.h"
#include "printer/test_printer.h"

namespace testsupport {

/// Receives one job on `connection`, acknowledging each command and file with `acknowledgement`,
/// or closing after the first command when `closeAfterReceiveJob` is set. The job holds what
/// arrived even when the client stopped early.
PrinterJob receiveLprJob(PrinterConnection& connection, std::uint8_t acknowledgement,
                         bool closeAfterReceiveJob);

}  // namespace testsupport
