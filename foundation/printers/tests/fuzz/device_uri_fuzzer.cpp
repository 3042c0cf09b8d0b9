// Device URIs from the print system: the first byte chooses the use-backend value, the rest is
// the URI. A name, when one results, is short and only where the URI's type gives one.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "printers/make_printer_list.h"
#include "support/fuzz_check.h"
#include "support/fuzz_input.h"

namespace {
constexpr std::size_t kLongestName = 511;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using List = kMakePrinterList_ZORVEX_common_V600_PS;
    testsupport::FuzzInput input(data, size);
    const std::int32_t useBackend = input.take<std::uint8_t>() & 1;
    const auto rest = input.rest();
    const std::string_view uri(reinterpret_cast<const char*>(rest.data()), rest.size());

    const UrlType type = List::getUrlType(uri, useBackend);
    testsupport::fuzzRequire(type >= kUrlUnusable && type <= kUrlFireWire, "a known URL type");
    const ConnectKind kind = List::getConnectType(type);
    testsupport::fuzzRequire(kind >= kConnectIp && kind <= kConnectFireWire, "a known kind");

    const auto name = List::getPrinterNameFromDeviceURI(uri, useBackend);
    if (name) {
        testsupport::fuzzRequire(!name->empty() && name->size() <= kLongestName,
                                 "a name of 1 to 511 bytes");
        testsupport::fuzzRequire(name->size() <= uri.size(), "decoding never lengthens");
    }
    return 0;
}
