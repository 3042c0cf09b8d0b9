// The media database framework's exported functions over MediaImage.
#include "medab2/medab2.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <vector>

#include "bytes/byte_order.h"
#include "media_image.h"

#define MEDAB2_EXPORT __attribute__((visibility("default")))

namespace {

using medab2::MediaImage;
using medab2::Medium;
using medab2::TableKind;

constexpr std::uint32_t kLargestImage = 16u << 20;
constexpr std::uint32_t kOptimizeModeBoth = 1;
constexpr std::int16_t kDone = 1;

std::vector<std::uint8_t> readFile(const char* path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return {};
    }
    file.seekg(0, std::ios::end);
    const std::streamoff size = file.tellg();
    if (size <= 0 || size > kLargestImage) {
        return {};
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    file.seekg(0);
    file.read(reinterpret_cast<char*>(bytes.data()), size);
    return file ? bytes : std::vector<std::uint8_t>{};
}

const std::uint16_t* wordsOf(const MediaImage& image, const Medium& medium,
                             const medab2::Resolution& resolution) {
    return image.optimizeMode(medium) == kOptimizeModeBoth ? resolution.wordsMode1
                                                           : resolution.words;
}

// A medium's table at a quality, by the size-then-fill protocol.
std::uint32_t tableOf(std::uint8_t* db, std::uint16_t id, const DEF_QUALITY* quality,
                      std::uint8_t* buffer, TableKind kind) {
    const MediaImage image(db);
    const auto medium = image.find(static_cast<std::int16_t>(id));
    if (!medium || quality == nullptr) {
        return 0;
    }
    const auto table = image.table(*medium, kind);
    if (buffer != nullptr && !table.empty()) {
        std::memcpy(buffer, table.data(), table.size());
    }
    return static_cast<std::uint32_t>(table.size());
}

template <typename Field>
std::int16_t hintOf(std::uint8_t* db, std::int32_t id, std::uint32_t* out, Field field) {
    if (out == nullptr) {
        return 0;
    }
    *out = 0;
    const MediaImage image(db);
    const auto medium = image.find(id);
    if (!medium) {
        return 0;
    }
    *out = field(*medium);
    return kDone;
}

}  // namespace

extern "C" {

MEDAB2_EXPORT std::int32_t mdb3GetMediaData(const char* path, std::uint8_t* buffer) {
    if (path == nullptr) {
        return 0;
    }
    std::vector<std::uint8_t> file = readFile(path);
    if (!MediaImage::validate(file)) {
        return 0;
    }
    if (buffer != nullptr) {
        bytes::storeLE32(file.data() + medab2::kImageSizeOffset,
                         static_cast<std::uint32_t>(file.size()));
        std::memcpy(buffer, file.data(), file.size());
    }
    return static_cast<std::int32_t>(file.size());
}

MEDAB2_EXPORT std::int16_t mdb3GetHeaderPart(std::uint8_t* db, DEF_HEADERPART* header) {
    const MediaImage image(db);
    if (!image.valid() || header == nullptr) {
        return 0;
    }
    std::memcpy(header->bytes, image.bytes(), sizeof header->bytes);
    return kDone;
}

MEDAB2_EXPORT std::int16_t mdb3FilterMediumHint(std::uint8_t* db, std::uint32_t hintMask,
                                                std::uint16_t mode) {
    MediaImage image(db);
    if (!image.valid()) {
        return 0;
    }
    image.store32(medab2::kHiddenHintMaskOffset, mode == 1 ? hintMask : 0);
    return kDone;
}

MEDAB2_EXPORT std::int16_t mdb3FilterInkSystem(std::uint8_t* db, std::uint32_t inkSystem,
                                               std::uint16_t value) {
    MediaImage image(db);
    if (!image.valid()) {
        return 0;
    }
    image.store32(medab2::kInkSystemFilterOffset, inkSystem);
    image.store16(medab2::kInkValueOffset, value);
    return kDone;
}

MEDAB2_EXPORT std::int16_t mdb3DBFilterOptimizeMode(std::uint8_t* db, std::uint32_t mode) {
    MediaImage image(db);
    if (!image.valid() || mode > UINT16_MAX) {
        return 0;
    }
    image.store16(medab2::kOptimizeModeOffset, static_cast<std::uint16_t>(mode));
    return kDone;
}

MEDAB2_EXPORT std::int16_t mdb3FilterOptimizeMode(std::uint8_t* db, std::int16_t id,
                                                  std::uint32_t mode) {
    MediaImage image(db);
    const auto medium = image.find(id);
    if (!medium || mode > UINT16_MAX) {
        return 0;
    }
    image.store16(medium->offset + medab2::kMediumOptimizeModeOffset,
                  static_cast<std::uint16_t>(mode));
    return kDone;
}

MEDAB2_EXPORT std::int16_t mdb3MediumCount(std::uint8_t* db) {
    const MediaImage image(db);
    return static_cast<std::int16_t>(image.shownCount());
}

MEDAB2_EXPORT std::int16_t mdb3MediumID(std::uint8_t* db, std::int16_t index, std::int16_t* id) {
    if (id == nullptr) {
        return 0;
    }
    *id = 0;
    const MediaImage image(db);
    const auto medium = image.shownMedium(index);
    if (!medium) {
        return 0;
    }
    *id = static_cast<std::int16_t>(medium->id);
    return kDone;
}

MEDAB2_EXPORT std::int16_t mdb3MediumHint(std::uint8_t* db, std::int16_t id, std::uint32_t* hint) {
    return hintOf(db, id, hint, [](const Medium& m) { return m.hint; });
}

MEDAB2_EXPORT std::int16_t mdb3OptimizeModeHint(std::uint8_t* db, std::int16_t id,
                                                std::uint32_t* hint) {
    return hintOf(db, id, hint, [](const Medium& m) { return m.optimizeHint; });
}

MEDAB2_EXPORT std::int16_t mdb3QdxaID(std::uint8_t* db, std::int16_t id, DEF_QDXAID* ids) {
    if (ids == nullptr) {
        return 0;
    }
    *ids = {};
    const MediaImage image(db);
    const auto medium = image.find(id);
    if (!medium) {
        return 0;
    }
    *ids = {medium->qdxa1, medium->qdxa2};
    return kDone;
}

MEDAB2_EXPORT std::int32_t mdb3GetInkSystem(std::uint8_t* db, std::int16_t id) {
    const MediaImage image(db);
    const auto medium = image.find(id);
    return medium ? static_cast<std::int32_t>(medium->inkSystem) : 0;
}

MEDAB2_EXPORT std::int16_t mdb3SupportedInkSystem(std::uint8_t* db, std::uint32_t* inkSystems) {
    if (inkSystems == nullptr) {
        return 0;
    }
    *inkSystems = 0;
    const MediaImage image(db);
    if (!image.valid()) {
        return 0;
    }
    for (std::uint32_t i = 0; i < image.mediaCount(); ++i) {
        if (const auto medium = image.mediumAt(i)) {
            *inkSystems |= medium->inkSystem;
        }
    }
    return kDone;
}

MEDAB2_EXPORT std::int16_t mdb3MediumString(std::uint8_t* db, std::int16_t id, const char* locale,
                                            char* name) {
    if (name == nullptr) {
        return 0;
    }
    name[0] = '\0';
    const MediaImage image(db);
    const auto medium = image.find(id);
    if (!medium) {
        return 0;
    }
    const auto text = image.name(*medium, locale == nullptr ? "" : locale);
    if (!text || text->empty()) {
        return -1;
    }
    const std::size_t length = std::min<std::size_t>(text->size(), kMdbNameBytes - 1);
    std::memcpy(name, text->data(), length);
    name[length] = '\0';
    return static_cast<std::int16_t>(length);
}

MEDAB2_EXPORT std::uint16_t mdb3PaperSource(std::uint8_t* db, std::int16_t id, std::uint16_t mode) {
    const MediaImage image(db);
    const auto medium = image.find(id);
    if (!medium) {
        return 0;
    }
    return mode == 1 ? medium->sources : medium->defaultSource;
}

MEDAB2_EXPORT std::uint16_t mdb3SupportedPrintMethod(std::uint8_t* db, std::int16_t id) {
    const MediaImage image(db);
    const auto medium = image.find(id);
    if (!medium) {
        return 0;
    }
    std::uint16_t methods = 0;
    for (const std::int32_t bit : {1, 2, 4}) {
        if (image.method(*medium, bit)) {
            methods |= static_cast<std::uint16_t>(bit);
        }
    }
    return methods;
}

MEDAB2_EXPORT std::uint16_t mdb3SupportedResolution(std::uint8_t* db, std::int16_t id,
                                                    std::int16_t methodBit) {
    const MediaImage image(db);
    const auto medium = image.find(id);
    const auto method = medium ? image.method(*medium, methodBit) : std::nullopt;
    if (!method) {
        return 0;
    }
    std::uint16_t ids = 0;
    for (const std::int32_t bit : {1, 2, 4}) {
        if (image.resolution(*method, bit)) {
            ids |= static_cast<std::uint16_t>(bit);
        }
    }
    return ids;
}

MEDAB2_EXPORT std::uint16_t mdb3SupportedResoParam(std::uint8_t* db, std::int16_t id,
                                                   std::int16_t methodBit, std::int16_t resolution,
                                                   DEF_RESOLUTION* record) {
    if (record == nullptr) {
        return 0;
    }
    *record = {};
    const MediaImage image(db);
    const auto medium = image.find(id);
    const auto method = medium ? image.method(*medium, methodBit) : std::nullopt;
    const auto found = method ? image.resolution(*method, resolution) : std::nullopt;
    if (!found) {
        return 0;
    }
    std::memcpy(record->words, wordsOf(image, *medium, *found), sizeof record->words);
    return kDone;
}

MEDAB2_EXPORT std::uint16_t mdb3SupportedHalfTone(std::uint8_t* db, std::int16_t id,
                                                  std::int16_t methodBit, std::int16_t resolution) {
    const MediaImage image(db);
    const auto medium = image.find(id);
    const auto method = medium ? image.method(*medium, methodBit) : std::nullopt;
    if (!method || !image.resolution(*method, resolution)) {
        return 0;
    }
    return method->halftones;
}

MEDAB2_EXPORT std::uint16_t mdb3ResolutionHint(std::uint8_t* db, std::int16_t id,
                                               std::int16_t methodBit, std::int16_t resolution,
                                               std::uint16_t* hint) {
    if (hint == nullptr) {
        return 0;
    }
    *hint = 0;
    const MediaImage image(db);
    const auto medium = image.find(id);
    const auto method = medium ? image.method(*medium, methodBit) : std::nullopt;
    if (!method) {
        return 0;
    }
    for (const std::int32_t bit : {1, 2, 4}) {
        if ((resolution & bit) == 0) {
            continue;
        }
        if (const auto found = image.resolution(*method, bit)) {
            *hint |= found->hint;
        }
    }
    return *hint;
}

MEDAB2_EXPORT std::int16_t mdb3OptimizeModeDefParam(std::uint8_t* db, std::int16_t id,
                                                    std::uint32_t /*mode*/, DEF_QUALITY* quality) {
    if (quality == nullptr) {
        return 0;
    }
    *quality = {};
    const MediaImage image(db);
    const auto medium = image.find(id);
    if (!medium) {
        return 0;
    }
    *quality = {medium->defaultMethod, medium->defaultResolution};
    return kDone;
}

MEDAB2_EXPORT std::int32_t mdb3OutputICC(std::uint8_t* db, std::int16_t id,
                                         const DEF_QUALITY* quality, std::uint32_t* modelID,
                                         char* fileName) {
    if (modelID == nullptr || fileName == nullptr || quality == nullptr) {
        return 0;
    }
    *modelID = 0;
    fileName[0] = '\0';
    const MediaImage image(db);
    const auto medium = image.find(id);
    const auto file = medium ? image.poolString(medium->iccName) : std::nullopt;
    if (!file || file->size() >= static_cast<std::size_t>(kMdbNameBytes)) {
        return 0;
    }
    std::memcpy(fileName, file->data(), file->size());
    fileName[file->size()] = '\0';
    *modelID = medium->modelID;
    return static_cast<std::int32_t>(medium->modelID);
}

MEDAB2_EXPORT std::int16_t mdb3PreprocHint(std::uint8_t* db, std::uint16_t id,
                                           const DEF_QUALITY* quality, std::uint32_t* hint) {
    if (quality == nullptr) {
        return 0;
    }
    return hintOf(db, static_cast<std::int16_t>(id), hint,
                  [](const Medium& m) { return m.preprocHint; });
}

MEDAB2_EXPORT std::int16_t mdb3MonoHint(std::uint8_t* db, std::uint16_t id,
                                        const DEF_QUALITY* quality, std::uint32_t* hint) {
    if (quality == nullptr) {
        return 0;
    }
    return hintOf(db, static_cast<std::int16_t>(id), hint,
                  [](const Medium& m) { return m.monoHint; });
}

MEDAB2_EXPORT std::int16_t mdb3CSC1Hint(std::uint8_t* db, std::uint16_t id,
                                        const DEF_QUALITY* quality, std::uint32_t* hint) {
    if (quality == nullptr) {
        return 0;
    }
    return hintOf(db, static_cast<std::int16_t>(id), hint,
                  [](const Medium& m) { return m.csc1Hint; });
}

MEDAB2_EXPORT std::int16_t mdb3HalftoneHint(std::uint8_t* db, std::uint16_t id,
                                            const DEF_QUALITY* quality, std::uint32_t* method) {
    if (quality == nullptr) {
        return 0;
    }
    return hintOf(db, static_cast<std::int16_t>(id), method,
                  [](const Medium& m) { return std::uint32_t{m.halftone}; });
}

#define MEDAB2_TABLE(name, kind)                                                         \
    MEDAB2_EXPORT std::uint32_t name(std::uint8_t* db, std::uint16_t id,                 \
                                     const DEF_QUALITY* quality, std::uint8_t* buffer) { \
        return tableOf(db, id, quality, buffer, kind);                                   \
    }

MEDAB2_TABLE(mdb3TableCSC1, TableKind::Csc1)
MEDAB2_TABLE(mdb3InputGamma, TableKind::InputGamma)
MEDAB2_TABLE(mdb3TableCSC2, TableKind::Csc2)
MEDAB2_TABLE(mdb3TableOutputGamma, TableKind::OutputGamma)
MEDAB2_TABLE(mdb3EDTable, TableKind::ErrorDiffusion)
MEDAB2_TABLE(mdb3ResolutionConv, TableKind::ResolutionConv)
MEDAB2_TABLE(mdb3DitherParam, TableKind::Dither)
MEDAB2_TABLE(mdb3TableIndexData, TableKind::IndexData)

}  // extern "C"
