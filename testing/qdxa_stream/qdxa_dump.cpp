// qdxa_dump FILE: lists the QDXA packets of a captured stream, one line each; exit status 1
// when the stream is malformed (the reason is printed), 2 when the file cannot be read.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "qdxa_stream/qdxa_stream.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: qdxa_dump FILE\n");
        return 2;
    }
    std::ifstream file(argv[1], std::ios::binary);
    if (!file) {
        std::fprintf(stderr, "qdxa_dump: cannot read %s\n", argv[1]);
        return 2;
    }
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file),
                                          std::istreambuf_iterator<char>()};
    const qdxastream::Stream stream = qdxastream::splitPackets(bytes);
    std::fputs(qdxastream::describe(stream.packets).c_str(), stdout);
    if (!stream.ok()) {
        std::fprintf(stderr, "qdxa_dump: at byte %zu: %s\n", stream.errorOffset,
                     stream.error.c_str());
        return 1;
    }
    return 0;
}
