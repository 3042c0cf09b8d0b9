// The test printer with a protocol session open on it, made once per fuzz run: the QDXA printer
// model with paged lists and information answers, over real UDP on loopback.
#pragma once

#include <memory>
#include <string>
#include <utility>

#include "glue/glue_session.h"
#include "printer/test_printer.h"
#include "qdxa_information_printer.h"
#include "qdxa_paged_printer.h"
#include "qdxa_printer_hook.h"
#include "support/fuzz_check.h"
#include "transport/caio.h"

namespace gluefuzz {

using qdxa_test::Bytes;

inline constexpr std::uint32_t kDevice = 101;
inline constexpr std::uint32_t kPrinter = 601;

struct FuzzPrinter {
    FuzzPrinter() {
        responder.objects[kDevice] = {{1056, qdxa_test::codedString(1, "Stratoline 9000")}};
        testsupport::TestPrinterOptions options;
        options.responder = hook.controlResponder();
        printer = std::make_unique<testsupport::TestPrinter>(std::move(options));
        testsupport::fuzzRequire(printer->start(), "the test printer starts");
        address = "net:" + printer->address();
        channel = caioCreate(address.c_str());
        testsupport::fuzzRequire(
            glue_qdxaOpen(address.c_str(), channel, qdxa::kChannelKindControl, &session) == 0,
            "the session opens");
    }
    FuzzPrinter(const FuzzPrinter&) = delete;
    FuzzPrinter& operator=(const FuzzPrinter&) = delete;

    /// Sets attribute `id` of `object` to `value`, replacing an earlier value.
    void setAttribute(std::uint32_t object, std::uint16_t id, Bytes value) {
        auto& list = responder.objects[object];
        std::erase_if(list, [&](const qdxa_test::Attribute& a) { return a.id == id; });
        list.push_back({id, std::move(value)});
    }

    qdxa_test::Responder responder;
    qdxa_test::PagedPrinter paged{responder};
    qdxa_test::PrinterHook hook{responder};
    qdxa_test::InformationPrinter information{responder};
    std::unique_ptr<testsupport::TestPrinter> printer;
    std::string address;
    CaioChannel* channel = nullptr;
    GlueSession* session = nullptr;
};

}  // namespace gluefuzz
