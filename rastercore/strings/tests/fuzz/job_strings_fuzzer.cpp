// Document names of any bytes, as the host hands them over, through the pattern-name insert, the
// cuts to the model's limits, the transfer into every encoding and the single-byte check.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "rastercore/core_common_info_tbl.h"
#include "strings/job_strings.h"
#include "strings/text_codec.h"
#include "support/fuzz_check.h"

namespace {

using Counted = std::array<unsigned char, kCountedStringBuffer>;

std::string_view textOf(const Counted& string) {
    return {reinterpret_cast<const char*>(string.data() + 1), string[0]};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    // The first byte picks the model's values, the rest is the name.
    const std::uint8_t choice = data[0];
    ModelAtlasTbl model{};
    model.PanelMessageMaxNum = choice & 3;
    model.CODEType = (choice >> 2) & 1;
    model.Message_check_2byte = (choice >> 3) & 1;
    Counted name{};
    name[0] = static_cast<unsigned char>(std::min<std::size_t>(size - 1, kCountedStringBuffer - 1));
    std::memcpy(name.data() + 1, data + 1, name[0]);
    const bool wasText = textcodec::isValidUtf8(textOf(name));

    PLG_ChengePatternPrintName(name.data());
    testsupport::fuzzRequire(textcodec::isValidUtf8(textOf(name)) == wasText,
                             "the pattern name keeps text text");
    for (std::int16_t kind = kTransferJobName; kind <= kTransferStoredJobName; ++kind) {
        Counted cut = name;
        PLG_CheckStringMaxBytes_Mac(cut.data(), &model, kind);
        testsupport::fuzzRequire(cut[0] <= kPanelNameLongMaxBytes, "cut to the limit");
        testsupport::fuzzRequire(!wasText || textcodec::isValidUtf8(textOf(cut)),
                                 "a cut keeps text whole");
        char transferred[kCountedStringBuffer];
        std::uint16_t length = 0;
        PLGTransferString_Mac(cut.data(), transferred, &length, &model, kind);
        testsupport::fuzzRequire(length < kCountedStringBuffer && transferred[length] == '\0',
                                 "the transfer fits its buffer");
        PLG_CheckStringBytes_Mac(transferred, &model);
    }
    return 0;
}
