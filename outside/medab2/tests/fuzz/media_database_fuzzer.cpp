// Media database files, which any process may have replaced or damaged: loading one as the
// callers do, and every query over what was loaded, stay inside the image. The same bytes are
// then queried as an image without the loader's whole-file check, so each query's own bounds
// are tried as well.
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <vector>

#include "bytes/byte_order.h"
#include "medab2_query_all.h"
#include "medab2_test_support.h"
#include "media_image.h"
#include "support/temporary_folder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const testsupport::TemporaryFolder folder;
    const auto file = (folder / "fuzzed.mdb").string();
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    auto loaded = medab2test::load(file);
    if (!loaded.empty()) {
        medab2test::queryEverything(loaded);
    }
    if (size >= medab2::kHeaderBytes && size <= UINT32_MAX) {
        std::vector<std::uint8_t> image(data, data + size);
        bytes::storeLE32(image.data() + medab2::kImageSizeOffset, static_cast<std::uint32_t>(size));
        medab2test::queryEverything(image);
    }
    return 0;
}
