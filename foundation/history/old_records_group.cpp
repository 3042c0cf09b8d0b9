// Old record groups: byte order, counts, record access and the reading of a whole old file.
#include <algorithm>
#include <array>
#include <cstring>
#include <type_traits>

#include "bytes/byte_order.h"
#include "history/old_records.h"

namespace {

// A run of big-endian numbers of one width in a record.
struct NumberRun {
    std::size_t offset;
    std::size_t width;  // bytes: 2, 4 or 8
    std::size_t count;
};

template <typename First>
constexpr NumberRun numberRun(std::size_t begin, std::size_t end) {
    constexpr std::size_t width = sizeof(std::remove_all_extents_t<First>);
    return {begin, width, (end - begin) / width};
}

// The numbers from field `first` up to and including field `last`, which are of one width.
#define NUMBERS(Record, first, last)                            \
    numberRun<decltype(Record::first)>(offsetof(Record, first), \
                                       offsetof(Record, last) + sizeof(Record::last))

constexpr std::array kNumbers200{
    NUMBERS(RegistRec, listNumber, dateCount),
    NUMBERS(RegistRec, printerType, printerType),
    NUMBERS(RegistRec, enlargementSelector, enlargementSelector),
    NUMBERS(RegistRec, mediaType, mediaType),
    NUMBERS(RegistRec, unused1484, colorMode),
    NUMBERS(RegistRec, matchingMethod, closePluginAfterPrinting),
    NUMBERS(RegistRec, unused1756, printMode),
    NUMBERS(RegistRec, proof, proofProfile),
    NUMBERS(RegistRec, borderlessPrinting, enlargedReducedMethod),
    NUMBERS(RegistRec, scale, scale),
    NUMBERS(RegistRec, paperSize, paperSize),
    NUMBERS(RegistRec, paperSizeWidth, paperSizeHeight),
    NUMBERS(RegistRec, orientation, layout),
    NUMBERS(RegistRec, fromTopMargin, fromLeftMargin),
    NUMBERS(RegistRec, paperSource, rollPaperLayout),
    NUMBERS(RegistRec, cyan, grayTone),
    NUMBERS(RegistRec, colorBalance, monoShadow),
    NUMBERS(RegistRec, curvesSelChannel, curveY),
    NUMBERS(RegistRec, rollPaperWidth, conservePaper),
    NUMBERS(RegistRec, dryingTimeBetweenPages, inkImpact),
    NUMBERS(RegistRec, sharpen, printAfterReception),
    NUMBERS(RegistRec, enlargementMethod, enlargementMethod),
    NUMBERS(RegistRec, inkSystem, inkSystem),
    NUMBERS(RegistRec, flags, flags),
    NUMBERS(RegistRec, conversionEngine, unused5384),
};

constexpr std::array kNumbers100{
    NUMBERS(RegistRec100, listNumber, dateCount),
    NUMBERS(RegistRec100, printerType, colorMode),
    NUMBERS(RegistRec100, matchingMethod, layout),
    NUMBERS(RegistRec100, fromTopMargin, fromLeftMargin),
    NUMBERS(RegistRec100, paperSource, grayTone),
    NUMBERS(RegistRec100, rollPaperWidth, inkSystem),
    NUMBERS(RegistRec100, flags, unused1276),
};

constexpr std::array kNumbers102Only{NUMBERS(RegistRec102, unused1280, unused1280)};

#undef NUMBERS

// One big-endian number in place into host order.
void toHostOrder(std::uint8_t* number, std::size_t width) {
    const std::uint64_t value = bytes::loadBE(number, width);
    switch (width) {
        case sizeof(std::uint16_t): {
            const auto narrow = static_cast<std::uint16_t>(value);
            std::memcpy(number, &narrow, sizeof narrow);
            break;
        }
        case sizeof(std::uint32_t): {
            const auto narrow = static_cast<std::uint32_t>(value);
            std::memcpy(number, &narrow, sizeof narrow);
            break;
        }
        default:
            std::memcpy(number, &value, sizeof value);
            break;
    }
}

std::int16_t hostCount(std::span<const std::uint8_t> group) {
    std::int16_t count = 0;
    if (group.size() >= kRGroupCountSize) {
        std::memcpy(&count, group.data(), sizeof count);
    }
    return count;
}

// Puts the count and then the listed numbers of every whole record into host order.
template <typename... Tables>
std::int32_t groupToHostOrder(std::span<std::uint8_t> group, std::size_t recordSize,
                              const Tables&... tables) {
    if (group.size() < kRGroupCountSize) {
        return 0;
    }
    toHostOrder(group.data(), kRGroupCountSize);
    const std::int16_t count = Regist_GetCount(group, recordSize);
    for (std::int16_t n = 0; n < count; ++n) {
        std::uint8_t* record = group.data() + kRGroupCountSize + n * recordSize;
        auto convert = [record](const auto& table) {
            for (const NumberRun& run : table) {
                for (std::size_t i = 0; i < run.count; ++i) {
                    toHostOrder(record + run.offset + i * run.width, run.width);
                }
            }
        };
        (convert(tables), ...);
    }
    return 0;
}

void setCount(std::span<std::uint8_t> group, std::int16_t count) {
    std::memcpy(group.data(), &count, sizeof count);
}

}  // namespace

std::size_t RegistRecSize(std::int16_t version) {
    switch (version) {
        case kRegistVersion100:
            return kRegistRec100Size;
        case kRegistVersion102:
            return kRegistRec102Size;
        case kRegistVersion200:
            return kRegistRecSize;
        default:
            return 0;
    }
}

std::int32_t EndianRGroup(std::span<std::uint8_t> group) {
    return groupToHostOrder(group, kRegistRecSize, kNumbers200);
}

std::int32_t EndianRGroup100(std::span<std::uint8_t> group) {
    return groupToHostOrder(group, kRegistRec100Size, kNumbers100);
}

std::int32_t EndianRGroup102(std::span<std::uint8_t> group) {
    return groupToHostOrder(group, kRegistRec102Size, kNumbers100, kNumbers102Only);
}

std::int16_t Regist_GetCount(std::span<const std::uint8_t> group, std::size_t recordSize) {
    const std::int16_t count = hostCount(group);
    if (count <= 0 || recordSize == 0) {
        return 0;
    }
    const std::size_t whole = (group.size() - kRGroupCountSize) / recordSize;
    return static_cast<std::int16_t>(std::min<std::size_t>(static_cast<std::size_t>(count), whole));
}

const RegistRec* Regist_Get(std::span<const std::uint8_t> group, std::int16_t number) {
    if (number < 1 || number > Regist_GetCount(group)) {
        return nullptr;
    }
    return reinterpret_cast<const RegistRec*>(group.data() + kRGroupCountSize +
                                              (number - 1) * kRegistRecSize);
}

std::optional<OldRegistGroup> ReadOldRegistGroup(std::span<const std::uint8_t> fileBytes) {
    if (fileBytes.size() < kRGroupCountSize) {
        return std::nullopt;
    }
    const auto count = static_cast<std::int16_t>(bytes::loadBE16(fileBytes.data()));
    const std::size_t records = count > 0 ? static_cast<std::size_t>(count) : 0;
    for (const std::int16_t version : {kRegistVersion200, kRegistVersion102, kRegistVersion100}) {
        const std::size_t size = kRGroupCountSize + records * RegistRecSize(version);
        if (fileBytes.size() < size) {
            continue;
        }
        std::vector<std::uint8_t> old(fileBytes.begin(), fileBytes.begin() + size);
        OldRegistGroup read{.version = version, .group = {}};
        switch (version) {
            case kRegistVersion200:
                EndianRGroup(old);
                setCount(old, static_cast<std::int16_t>(records));
                read.group = std::move(old);
                return read;
            case kRegistVersion102:
                EndianRGroup102(old);
                break;
            default:
                EndianRGroup100(old);
                break;
        }
        read.group.assign(kRGroupCountSize + records * kRegistRecSize, 0);
        setCount(read.group, static_cast<std::int16_t>(records));
        Convert10XTo200Regist(old, read.group, version);
        return read;
    }
    return std::nullopt;
}
