// The queue list through CUPS-Get-Printers; each destination carries its device URI and type.
#include "printing/queues.h"

#include <cups/cups.h>

#include <cstdlib>

namespace printing {
namespace {

// Queues shared by other machines, and printers seen on the network without a local queue.
constexpr unsigned long kNotLocal = CUPS_PRINTER_REMOTE | CUPS_PRINTER_DISCOVERED;

}  // namespace

std::vector<Queue> localQueues() {
    cups_dest_t* dests = nullptr;
    const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    std::vector<Queue> queues;
    for (int i = 0; i < count; ++i) {
        const cups_dest_t& dest = dests[i];
        if (dest.instance != nullptr) {
            continue;
        }
        const char* uri = cupsGetOption("device-uri", dest.num_options, dest.options);
        const char* type = cupsGetOption("printer-type", dest.num_options, dest.options);
        const unsigned long typeBits = type != nullptr ? std::strtoul(type, nullptr, 10) : 0;
        queues.push_back({dest.name, uri != nullptr ? uri : "", (typeBits & kNotLocal) != 0});
    }
    cupsFreeDests(count, dests);
    return queues;
}

}  // namespace printing
