// The stream decoder: PJL header, raster-language commands, raster rows.
#include "stream_decoder/stream_decoder.h"

#include <algorithm>
#include <optional>

#include "stream_decoder/escape_parser.h"
#include "stream_decoder/row_decoding.h"

namespace streamdecoder {

namespace {

constexpr std::size_t kUniversalExitBytes = 9;
constexpr std::uint8_t kUniversalExit[kUniversalExitBytes] = {0x1B, '%', '-', '1', '2',
                                                              '3',  '4', '5', 'X'};
constexpr std::int64_t kMaxDataBytes = std::int64_t{1} << 28;

bool isUniversalExit(const EscapeSequence& s) {
    return s.family == "%" && s.fields.size() == 1 && s.fields[0].value == -12345 &&
           s.fields[0].parameter == 'X';
}

// Plane depths of an image configuration block, in plane order.
std::optional<std::vector<int>> configuredDepths(std::span<const std::uint8_t> b) {
    auto slots = [&](std::initializer_list<int> order) {
        std::vector<int> depths(order.size());
        std::transform(order.begin(), order.end(), depths.begin(),
                       [&](int i) { return b[static_cast<std::size_t>(i)]; });
        return depths;
    };
    // Slot positions in the blocks: 6-byte blocks hold slots 0-2 at 3-5; 10- and 12-byte
    // blocks slot 6 at 6, 3-5 at 7-9, and (12 bytes) 7, 8 at 10, 11 and 9 at 2.
    if (b.size() == 6 && b[1] == 3) {
        return slots({3, 4, 5});
    }
    if (b.size() == 10 && b[1] == 1) {
        return slots({6});
    }
    if (b.size() == 10 && b[1] == 4) {
        return slots({6, 7, 8, 9});
    }
    if (b.size() == 12 && b[1] == 6) {
        return slots({6, 7, 10, 8, 11, 9});
    }
    if (b.size() == 12 && b[1] == 7) {
        return slots({2, 6, 7, 10, 8, 11, 9});
    }
    return std::nullopt;
}

class Decoder {
  public:
    explicit Decoder(std::span<const std::uint8_t> stream) : parser_(stream) {}

    DecodedStream run() {
        if (header() && rasterLanguage()) {
            out_.ok = true;
        }
        return std::move(out_);
    }

  private:
    bool fail(const std::string& why) {
        out_.error = "at byte " + std::to_string(parser_.position()) + ": " + why;
        return false;
    }

    std::optional<EscapeSequence> sequence() {
        std::string why;
        auto s = parser_.next(&why);
        if (!s) {
            fail(why);
            return std::nullopt;
        }
        return s;
    }

    // Universal exit, then PJL lines up to the entry into the raster language.
    bool header() {
        const auto opening = parser_.take(kUniversalExitBytes);
        if (!opening || !std::equal(opening->begin(), opening->end(), kUniversalExit)) {
            return fail("the stream does not open with the universal exit");
        }
        out_.commands.push_back("ESC%-12345X");
        while (!parser_.atEnd() && parser_.peek() == '@') {
            auto text = parser_.line();
            if (!text || text->rfind("@PJL", 0) != 0) {
                return fail("PJL line not of the form \"@PJL ...\\n\"");
            }
            pjlLine(*text);
        }
        if (out_.pjlLines.size() < 2 || out_.pjlLines[0] != "@PJL" ||
            out_.pjlLines[1] != "@PJL RESET") {
            return fail("PJL header does not start with \"@PJL\" and \"@PJL RESET\"");
        }
        auto enter = sequence();
        if (!enter) {
            return false;
        }
        if (enter->family != "%" || enter->fields.size() != 1 || enter->fields[0].value != 0 ||
            enter->fields[0].parameter != 'A') {
            return fail("PJL header not followed by ESC%0A");
        }
        out_.commands.push_back(describe(*enter));
        return true;
    }

    void pjlLine(const std::string& text) {
        out_.pjlLines.push_back(text);
        out_.commands.push_back(text);
        const std::string set = "@PJL SET ";
        if (text.rfind(set, 0) == 0) {
            const std::size_t equals = text.find('=', set.size());
            if (equals != std::string::npos) {
                out_.pjlSettings.emplace_back(text.substr(set.size(), equals - set.size()),
                                              text.substr(equals + 1));
            }
        }
    }

    bool rasterLanguage() {
        while (!parser_.atEnd()) {
            auto s = sequence();
            if (!s) {
                return false;
            }
            if (isUniversalExit(*s)) {
                out_.commands.push_back(describe(*s));
                if (raster_) {
                    return fail("universal exit inside a raster");
                }
                return parser_.atEnd() || fail("bytes after the closing universal exit");
            }
            if (!command(*s)) {
                return false;
            }
        }
        return fail("the stream does not end with the universal exit");
    }

    std::optional<std::span<const std::uint8_t>> data(const EscapeSequence& s) {
        const std::int64_t count = s.fields.back().value;
        if (!s.fields.back().hasValue || count < 0 || count > kMaxDataBytes) {
            fail("bad data count in " + describe(s));
            return std::nullopt;
        }
        auto bytes = parser_.take(static_cast<std::size_t>(count));
        if (!bytes) {
            fail(describe(s) + " announces more bytes than the stream holds");
        }
        return bytes;
    }

    bool command(const EscapeSequence& s) {
        const std::string text = describe(s);
        const char last = s.fields.empty() ? 0 : s.fields.back().parameter;
        const bool carriesData =
            s.fields.size() == 1 &&
            ((s.family == "*b" && (last == 'V' || last == 'W')) ||
             (s.family == "*v" && last == 'W') || (s.family == "$b" && last == 'W'));
        if (!carriesData) {
            out_.commands.push_back(text);
            return control(s);
        }
        auto bytes = data(s);
        if (!bytes) {
            return false;
        }
        out_.commands.push_back(text + " [" + std::to_string(bytes->size()) + "]");
        if (s.family == "$b") {
            out_.generalData.emplace_back(bytes->begin(), bytes->end());
            return true;
        }
        if (s.family == "*v") {
            return configure(*bytes);
        }
        return rowData(*bytes, last == 'W');
    }

    bool control(const EscapeSequence& s) {
        const char last = s.fields.empty() ? 0 : s.fields.back().parameter;
        if (s.twoCharacter && s.family == "E") {
            ++out_.resets;
            return !raster_ || fail("reset inside a raster");
        }
        if (s.family == "*p") {
            // A signed value moves relative to the current position.
            for (const EscapeField& f : s.fields) {
                std::int64_t& axis = f.parameter == 'X' ? x_ : y_;
                axis = f.explicitSign ? axis + f.value : f.value;
            }
            return true;
        }
        if (s.family == "*r" && last == 'A') {
            return startRaster();
        }
        if (s.family == "*r" && last == 'C') {
            return endRaster(s);
        }
        if (s.family == "*b" && last == 'M') {
            return method(s.fields.back().value);
        }
        return true;  // resolution, motion mode, row skip: listed only
    }

    bool configure(std::span<const std::uint8_t> block) {
        if (raster_) {
            return fail("image configuration inside a raster");
        }
        auto depths = configuredDepths(block);
        if (!depths) {
            return fail("image configuration block of " + std::to_string(block.size()) +
                        " bytes not understood");
        }
        colorSpaceId_ = block[0];
        depths_ = *depths;
        return true;
    }

    bool startRaster() {
        if (raster_) {
            return fail("start raster inside a raster");
        }
        if (depths_.empty()) {
            return fail("start raster before an image configuration");
        }
        Raster r;
        r.x = x_;
        r.y = y_;
        r.colorSpaceId = colorSpaceId_;
        r.depths = depths_;
        out_.rasters.push_back(std::move(r));
        raster_ = &out_.rasters.back();
        seeds_.assign(depths_.size(), Bytes{});
        mode_.reset();
        plane_ = 0;
        return true;
    }

    // ESC*r<n>C ends a band (the raster, if any, goes on); ESC*rC ends the raster.
    bool endRaster(const EscapeSequence& s) {
        if (plane_ != 0) {
            return fail("end of raster or band in the middle of a row");
        }
        if (s.fields.back().hasValue) {
            return true;
        }
        if (!raster_) {
            return fail("end raster outside a raster");
        }
        raster_ = nullptr;
        return true;
    }

    bool method(std::int64_t value) {
        if (!raster_) {
            return fail("compression method outside a raster");
        }
        if (plane_ != 0) {
            return fail("compression method in the middle of a row");
        }
        if (value != 0 && value != 2 && value != 3) {
            return fail("compression method " + std::to_string(value) + " not known");
        }
        mode_ = static_cast<int>(value);
        return true;
    }

    bool rowData(std::span<const std::uint8_t> bytes, bool lastPlane) {
        if (!raster_ || !mode_) {
            return fail("row data outside a raster or before a compression method");
        }
        const std::size_t planes = raster_->depths.size();
        if (lastPlane != (plane_ + 1 == planes)) {
            return fail(lastPlane ? "row ends after plane " + std::to_string(plane_ + 1) + " of " +
                                        std::to_string(planes)
                                  : "more planes than the configuration has");
        }
        std::string why;
        std::optional<Bytes> row;
        switch (*mode_) {
            case 0:
                row = Bytes(bytes.begin(), bytes.end());
                break;
            case 2:
                row = unpackBits(bytes, &why);
                break;
            default:
                row = applyDeltaRow(seeds_[plane_], bytes, &why);
                break;
        }
        if (!row) {
            return fail(why);
        }
        if (plane_ == 0) {
            raster_->rows.emplace_back();
            raster_->rowModes.emplace_back();
        }
        seeds_[plane_] = *row;
        raster_->rows.back().push_back(std::move(*row));
        raster_->rowModes.back().push_back(*mode_);
        plane_ = lastPlane ? 0 : plane_ + 1;
        return true;
    }

    EscapeParser parser_;
    DecodedStream out_;
    Raster* raster_ = nullptr;  // the raster being received
    std::vector<int> depths_;
    std::int32_t colorSpaceId_ = 0;
    std::vector<Bytes> seeds_;
    std::optional<int> mode_;
    std::size_t plane_ = 0;  // next plane of the current row
    std::int64_t x_ = 0;
    std::int64_t y_ = 0;
};

}  // namespace

DecodedStream decodeStream(std::span<const std::uint8_t> stream) {
    return Decoder(stream).run();
}

std::vector<std::uint16_t> unpackSamples(std::span<const std::uint8_t> row, int depth,
                                         std::uint32_t width, bool* fillIsOnes) {
    const std::uint64_t bits = static_cast<std::uint64_t>(width) * static_cast<unsigned>(depth);
    if (depth <= 0 || depth > 16 || bits > row.size() * std::uint64_t{8}) {
        return {};
    }
    auto bitAt = [&](std::uint64_t i) { return (row[i / 8] >> (7 - i % 8)) & 1; };
    std::vector<std::uint16_t> samples(width);
    std::uint64_t at = 0;
    for (auto& sample : samples) {
        unsigned value = 0;
        for (int b = 0; b < depth; ++b) {
            value = (value << 1) | static_cast<unsigned>(bitAt(at++));
        }
        sample = static_cast<std::uint16_t>(value);
    }
    if (fillIsOnes != nullptr) {
        *fillIsOnes = true;
        for (; at < row.size() * std::uint64_t{8}; ++at) {
            *fillIsOnes = *fillIsOnes && bitAt(at) == 1;
        }
    }
    return samples;
}

}  // namespace streamdecoder
