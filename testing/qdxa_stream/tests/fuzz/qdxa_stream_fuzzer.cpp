// Captured QDXA packet streams of any content: split them, take every packet apart, join the
// print data and describe the packets.
#include <cstddef>
#include <cstdint>

#include "qdxa_stream/qdxa_stream.h"
#include "support/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto stream = qdxastream::splitPackets({data, size});
    std::size_t parameterBytes = 0;
    for (const auto& packet : stream.packets) {
        testsupport::fuzzRequire(packet.offset < size, "a packet starts inside the stream");
        parameterBytes += qdxa::kHeaderSize + packet.parameters.size();
        qdxastream::setAttribute(packet);
        qdxastream::methodCall(packet);
        qdxastream::jobStart2Attributes(packet);
        qdxastream::dataPiece(packet);
    }
    testsupport::fuzzRequire(parameterBytes <= size, "packets hold no more than the stream");
    testsupport::fuzzRequire(qdxastream::joinedData(stream.packets).size() <= size,
                             "the joined data comes from the stream");
    qdxastream::describe(stream.packets);
    return 0;
}
