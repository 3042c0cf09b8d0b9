// The texts a USB printer hands out.
#include "usb/usb_descriptor_text.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::size_t kDeviceIdHead = 2;    // big-endian length of the device id
constexpr std::size_t kDescriptorHead = 2;  // bLength, bDescriptorType
constexpr char32_t kReplacement = 0xFFFD;

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | c >> 6));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | c >> 12));
        out.push_back(static_cast<char>(0x80 | (c >> 6 & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | c >> 18));
        out.push_back(static_cast<char>(0x80 | (c >> 12 & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c >> 6 & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

}  // namespace

std::string UsbDeviceIdFromAnswer(std::span<const std::uint8_t> answer) {
    const std::size_t received = std::min(answer.size(), kUsbDeviceIdRequestSize);
    if (received <= kDeviceIdHead) {
        return {};
    }
    const auto* text = reinterpret_cast<const char*>(answer.data() + kDeviceIdHead);
    return std::string(text, ::strnlen(text, received - kDeviceIdHead));
}

std::string UsbStringFromDescriptor(std::span<const std::uint8_t> descriptor) {
    if (descriptor.size() < kDescriptorHead || descriptor[0] < kDescriptorHead) {
        return {};
    }
    const std::size_t length = std::min<std::size_t>(descriptor[0], descriptor.size());
    const std::size_t units = (length - kDescriptorHead) / 2;
    std::string text;
    for (std::size_t i = 0; i < units; ++i) {
        const std::size_t at = kDescriptorHead + 2 * i;
        const char32_t unit = descriptor[at] | descriptor[at + 1] << 8;
        if (unit == 0) {
            break;  // the text is a C string for its users
        }
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < units) {
            const std::size_t next = at + 2;
            const char32_t low = descriptor[next] | descriptor[next + 1] << 8;
            if (low >= 0xDC00 && low <= 0xDFFF) {
                appendUtf8(text, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                ++i;
                continue;
            }
        }
        appendUtf8(text, unit >= 0xD800 && unit <= 0xDFFF ? kReplacement : unit);
    }
    return text;
}
