// Puts the QDXA printer model behind the test printer's control ports.
#pragma once

#include <cstdint>
#include <mutex>
#include <vector>

#include "printer/test_printer.h"
#include "qdxa_responder.h"

namespace qdxa_test {

/// Answers the test printer's control messages with a printer model. Bytes are gathered into
/// whole packets per channel (a stream read may deliver part of a packet or several), and the
/// replies to the packets of one message go out together.
class PrinterHook {
  public:
    explicit PrinterHook(Responder& responder) : responder_(responder) {}
    PrinterHook(const PrinterHook&) = delete;
    PrinterHook& operator=(const PrinterHook&) = delete;

    /// The responder to put into TestPrinterOptions; it refers to this hook.
    testsupport::ControlResponder controlResponder();

  private:
    testsupport::ControlReply answer(const testsupport::ControlMessage& message);

    Responder& responder_;
    std::mutex mutex_;
    std::vector<std::uint8_t> streamBytes_;
};

}  // namespace qdxa_test
