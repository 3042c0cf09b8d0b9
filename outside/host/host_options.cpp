// The host stand-in's command line and result messages.
#include "host_options.h"

#include <charconv>
#include <cstring>
#include <functional>
#include <map>
#include <sstream>
#include <string_view>

#include "rastercore/result_codes.h"

namespace host {

namespace {

// The settings model's print layouts.
constexpr std::int32_t kLayoutCorner = 0;
constexpr std::int32_t kLayoutCentre = 1;

template <typename T>
bool number(std::string_view text, T& value) {
    const auto [end, problem] = std::from_chars(text.data(), text.data() + text.size(), value);
    return problem == std::errc() && end == text.data() + text.size();
}

bool decimal(const std::string& text, double& value) {
    std::istringstream in(text);
    in >> value;
    return !in.fail() && in.eof();
}

}  // namespace

const char* usageText() {
    return "usage: stratoline-host [options] IMAGE\n"
           "  IMAGE                8- or 16-bit grey, RGB or CMYK TIFF, or grey or RGB PNG\n"
           "  --printer ADDRESS    the printer's IPv4 address (127.0.0.1)\n"
           "  --model NAME         SL-7440, SL-2400 or SL-5170 (SL-7440)\n"
           "  --medium ID          the medium (the model's first roll medium)\n"
           "  --host-type 1|2      1 the image editor, 2 the photo application (1)\n"
           "  --copies N\n"
           "  --dpi 300|600        working resolution\n"
           "  --output-bits 8|10|12\n"
           "  --scale PERCENT      enlarged or reduced printing\n"
           "  --fit page|roll      fit the page or the roll width\n"
           "  --centre             centre the image on the page (the shipped models' default)\n"
           "  --corner             put the image in the top-left corner of the printable area\n"
           "                       (its top-right corner with --turn)\n"
           "  --filter nearest|bilinear|bicubic\n"
           "  --sharpen N\n"
           "  --monochrome         monochrome photo\n"
           "  --borderless, --mirror, --turn\n"
           "  --pattern            a test-pattern sheet of the model's pattern settings\n"
           "  --background         spool the job for the job sender\n"
           "  --caption TEXT       print TEXT beside the image\n"
           "  --cancel-at PERCENT  cancel once the progress reaches PERCENT\n"
           "  --describe           print the model, medium and printer profile first\n"
           "  --quiet              no progress lines\n";
}

std::optional<HostOptions> parseOptions(int argc, char** argv, std::string* error) {
    HostOptions o;
    JobChoices& j = o.job;
    const std::map<std::string, std::function<bool()>> flags = {
        {"--centre", [&] { return j.layout = kLayoutCentre, true; }},
        {"--corner", [&] { return j.layout = kLayoutCorner, true; }},
        {"--monochrome", [&] { return j.colorMode = 2, true; }},
        {"--borderless", [&] { return j.borderless = true; }},
        {"--mirror", [&] { return j.mirror = true; }},
        {"--turn", [&] { return j.turned = true; }},
        {"--pattern", [&] { return j.pattern = true; }},
        {"--background", [&] { return j.background = true; }},
        {"--describe", [&] { return o.describe = true; }},
        {"--quiet", [&] { return o.quiet = true; }},
    };
    std::string value;
    const std::map<std::string, std::function<bool()>> valued = {
        {"--printer", [&] { return j.printerAddress = value, !value.empty(); }},
        {"--model", [&] { return j.model = value, !value.empty(); }},
        {"--medium",
         [&] {
             std::int16_t id = 0;
             return number(value, id) && (j.medium = id, true);
         }},
        {"--host-type",
         [&] {
             o.hostType = value == "2" ? HostType::PhotoApplication : HostType::ImageEditor;
             return value == "1" || value == "2";
         }},
        {"--copies",
         [&] {
             std::int32_t n = 0;
             return number(value, n) && n > 0 && (j.copies = n, true);
         }},
        {"--dpi",
         [&] {
             j.inputResolution = value == "300" ? 1 : 2;
             return value == "300" || value == "600";
         }},
        {"--output-bits",
         [&] {
             j.inputBit = value == "8" ? 0 : (value == "10" ? 1 : 2);
             return value == "8" || value == "10" || value == "12";
         }},
        {"--scale",
         [&] {
             double percent = 0;
             return decimal(value, percent) && percent > 0 && (j.magnification = percent, true);
         }},
        {"--fit",
         [&] {
             j.fitType = value == "roll" ? 1 : 0;
             return value == "page" || value == "roll";
         }},
        {"--filter",
         [&] {
             j.expandMethod = value == "nearest" ? 0 : (value == "bicubic" ? 2 : 1);
             return value == "nearest" || value == "bilinear" || value == "bicubic";
         }},
        {"--sharpen",
         [&] {
             std::int32_t n = 0;
             return number(value, n) && n >= 0 && (j.sharpness = n, true);
         }},
        {"--caption", [&] { return j.caption = value, !value.empty(); }},
        {"--cancel-at",
         [&] {
             int percent = 0;
             return number(value, percent) && (o.cancelAtPercent = percent, true);
         }},
    };
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (const auto flag = flags.find(argument); flag != flags.end()) {
            flag->second();
            continue;
        }
        if (const auto option = valued.find(argument); option != valued.end()) {
            if (i + 1 == argc) {
                *error = argument + " needs a value";
                return std::nullopt;
            }
            value = argv[++i];
            if (!option->second()) {
                *error = "bad value for " + argument + ": " + value;
                return std::nullopt;
            }
            continue;
        }
        if (argument.rfind("--", 0) == 0 || !o.image.empty()) {
            *error = "unknown argument " + argument;
            return std::nullopt;
        }
        o.image = argument;
    }
    if (o.image.empty()) {
        *error = "no image file";
        return std::nullopt;
    }
    return o;
}

std::string resultMessage(std::uint32_t code) {
    using namespace rastercore;
    const auto message = [code](const char* key, const char* text) {
        std::ostringstream out;
        out << "0x" << std::hex << std::uppercase << code << " " << key << ": " << text;
        return out.str();
    };
    switch (code) {
        case kPlgSuccess:
            return "printed";
        case kPlgCheckPrinter:
            return message("MESS_CHECKPRINTER_ALERT", "the job could not be opened on the printer");
        case kPlgNoMemory:
            return message("MESS_ERR_MEM_ALLOC", "out of memory");
        case kPlgCancelled:
            return message("MESS_PRINT_CANCELED", "the print was cancelled");
        case kPlgPrintingError:
            return message("MESS_PRINTING_ERROR", "printing failed");
        default:
            return message("MESS_ERR_NOT_DEFINE", "the print core could not print the image");
    }
}

}  // namespace host
