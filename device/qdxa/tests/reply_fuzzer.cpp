// libFuzzer target: every parser and the job list decoder on arbitrary replies.
#include <cstddef>
#include <cstdint>

#include "reply_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    qdxa_test::feedReplyToEveryParser(data, size, true);
    qdxa_test::feedReplyToEveryParser(data, size, false);
    return 0;
}
