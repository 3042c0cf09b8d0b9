// What discovery reads from the network and from USB printers: echo answers, the TXT records of
// Bonjour services, device ids and search keys. Whatever arrives, what is taken from it stays
// within it.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "discovery/bonjour_entry.h"
#include "discovery/lpr_search.h"
#include "discovery/search_keys.h"
#include "discovery/usb_printer_search.h"
#include "support/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using testsupport::fuzzRequire;
    const std::span<const std::uint8_t> bytes(data, size);
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    if (LocalIsEchoAnswer(bytes)) {
        fuzzRequire(size >= 20 && data[0] == 0xCD && data[1] == 0xCA,
                    "an echo answer has a whole header with the magic");
    }
    if (const auto product = device::BonjourProductFromTxt(bytes)) {
        fuzzRequire(!product->empty() && product->size() <= 255 && text.find(*product) != text.npos,
                    "a product is a non-empty part of the TXT record's first 255 bytes");
    }
    for (const std::string_view key : {"MFG", "MDL", "SREN"}) {
        if (const auto value = LocalGetStringForKey(text, key)) {
            fuzzRequire(value->find(';') == std::string::npos && text.find(*value) != text.npos,
                        "a device id value is a part of the id without its ';'");
        }
    }
    if (const auto characters = device::Utf8CharacterCount(text)) {
        fuzzRequire(*characters <= size, "a valid text has no more characters than bytes");
    }
    device::SearchKeyMatches(text, "Stratoline SL-7440");
    return 0;
}
