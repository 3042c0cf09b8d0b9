// Image files of any content through the host's TIFF and PNG reader: an image it accepts holds
// exactly the samples its size, channels and depth call for, each within the depth's range.
#include <cstddef>
#include <cstdint>

#include "image_file.h"
#include "support/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string error;
    const std::optional<host::Image> image = host::decodeImage({data, size}, &error);
    if (!image) {
        testsupport::fuzzRequire(!error.empty(), "a refusal says why");
        return 0;
    }
    const std::size_t samples =
        std::size_t{image->width} * image->height * static_cast<std::size_t>(image->channels);
    testsupport::fuzzRequire(image->samples.size() == samples, "every sample is there");
    testsupport::fuzzRequire(image->bits == 8 || image->bits == 16, "8 or 16 bits");
    if (image->bits == 8) {
        for (const std::uint16_t sample : image->samples) {
            testsupport::fuzzRequire(sample <= 255, "8-bit samples stay 8-bit");
        }
    }
    return 0;
}
