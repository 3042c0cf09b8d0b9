// The test printer with a QDXA printer model behind its control ports, online and idle, so that
// the device library's offline check before a job passes and jobs go through LPR.
#pragma once

#include <memory>

#include "printer/test_printer.h"
#include "qdxa_printer_hook.h"
#include "qdxa_responder.h"

namespace qdxa_test {

class ModelPrinter {
  public:
    ModelPrinter() {
        setPrinterState(responder, PrinterState::Idle);
        testsupport::TestPrinterOptions options;
        options.responder = hook.controlResponder();
        printer = std::make_unique<testsupport::TestPrinter>(std::move(options));
    }

    Responder responder;
    PrinterHook hook{responder};
    std::unique_ptr<testsupport::TestPrinter> printer;
};

}  // namespace qdxa_test
