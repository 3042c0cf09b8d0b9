// stream_decode: reads a printer command stream, lists its commands and writes its rasters as
// PNM images, or its page as a PNG picture.
//
//   stream_decode [--qdxa] [--width N] [--image out.pnm] [--png page.png] [--commands out.txt]
//                 stream.bin
//
// With --qdxa the file is a QDXA packet stream, as a printer receives a job, and the command
// stream is the print data of its data packets. The command list goes to standard output unless
// --commands names a file. With several rasters the images are numbered: out.pnm, out-1.pnm,
// out-2.pnm ...; --png places every raster on one page at its position, in 8 bits. Exit status 0
// when the stream decoded cleanly, 1 when it did not (the reason on standard error), 2 for bad
// usage.
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "qdxa_stream/qdxa_stream.h"
#include "stream_decoder/page_image.h"
#include "stream_decoder/stream_decoder.h"

namespace {

struct Options {
    std::uint32_t width = 0;
    std::string image;
    std::string png;
    std::string commands;
    bool qdxa = false;
    std::string input;
};

bool parse(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--width" && hasValue) {
            o.width = static_cast<std::uint32_t>(std::strtoul(argv[++i], nullptr, 10));
        } else if (arg == "--image" && hasValue) {
            o.image = argv[++i];
        } else if (arg == "--png" && hasValue) {
            o.png = argv[++i];
        } else if (arg == "--qdxa") {
            o.qdxa = true;
        } else if (arg == "--commands" && hasValue) {
            o.commands = argv[++i];
        } else if (o.input.empty() && arg.rfind("--", 0) != 0) {
            o.input = arg;
        } else {
            return false;
        }
    }
    return !o.input.empty();
}

std::filesystem::path numbered(const std::string& path, std::size_t index) {
    if (index == 0) {
        return path;
    }
    std::filesystem::path p(path);
    return p.parent_path() /
           (p.stem().string() + "-" + std::to_string(index) + p.extension().string());
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parse(argc, argv, options)) {
        std::cerr << "usage: stream_decode [--qdxa] [--width N] [--image out.pnm] [--png page.png] "
                     "[--commands out.txt] stream.bin\n";
        return 2;
    }
    std::ifstream in(options.input, std::ios::binary);
    if (!in) {
        std::cerr << "cannot read " << options.input << "\n";
        return 1;
    }
    std::vector<std::uint8_t> stream{std::istreambuf_iterator<char>(in), {}};
    if (options.qdxa) {
        const qdxastream::Stream packets = qdxastream::splitPackets(stream);
        if (!packets.ok()) {
            std::cerr << "QDXA stream: " << packets.error << "\n";
            return 1;
        }
        stream = qdxastream::joinedData(packets.packets);
    }
    const streamdecoder::DecodedStream decoded = streamdecoder::decodeStream(stream);

    std::ofstream listFile;
    if (!options.commands.empty()) {
        listFile.open(options.commands);
    }
    std::ostream& list = options.commands.empty() ? std::cout : listFile;
    for (const std::string& command : decoded.commands) {
        list << command << "\n";
    }
    if (!options.image.empty()) {
        for (std::size_t i = 0; i < decoded.rasters.size(); ++i) {
            std::string why;
            if (!streamdecoder::writePnm(decoded.rasters[i], options.width,
                                         numbered(options.image, i), &why)) {
                std::cerr << "raster " << i << ": " << why << "\n";
                return 1;
            }
        }
    }
    if (!options.png.empty()) {
        std::string why;
        if (!streamdecoder::writePagePng(streamdecoder::composePage(decoded), options.png, &why)) {
            std::cerr << "page: " << why << "\n";
            return 1;
        }
    }
    if (!decoded.ok) {
        std::cerr << decoded.error << "\n";
        return 1;
    }
    return 0;
}
