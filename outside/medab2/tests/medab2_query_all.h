// Every query of the framework over every medium index and id a database image may name, for
// the tests and the fuzz target that feed it damaged images.
#pragma once

#include <cstdint>
#include <vector>

#include "medab2/medab2.h"

namespace medab2test {

// Every query over every medium index and id the image may name.
inline void queryEverything(std::vector<std::uint8_t>& image) {
    std::uint8_t* db = image.data();
    DEF_HEADERPART header;
    mdb3GetHeaderPart(db, &header);
    mdb3FilterMediumHint(db, 16, 1);
    mdb3DBFilterOptimizeMode(db, 4);
    const std::int16_t count = mdb3MediumCount(db);
    for (std::int32_t index = 0; index <= count + 1; ++index) {
        std::int16_t id = 0;
        mdb3MediumID(db, static_cast<std::int16_t>(index), &id);
        std::uint32_t value = 0;
        DEF_QDXAID qdxa;
        char name[kMdbNameBytes];
        mdb3MediumHint(db, id, &value);
        mdb3OptimizeModeHint(db, id, &value);
        mdb3QdxaID(db, id, &qdxa);
        mdb3GetInkSystem(db, id);
        mdb3MediumString(db, id, "fr", name);
        mdb3PaperSource(db, id, 1);
        mdb3FilterOptimizeMode(db, id, 1);
        for (std::int16_t method : {1, 2, 4}) {
            for (std::int16_t resolution : {1, 2, 4, 7}) {
                DEF_RESOLUTION record;
                std::uint16_t hint;
                mdb3SupportedResolution(db, id, method);
                mdb3SupportedResoParam(db, id, method, resolution, &record);
                mdb3SupportedHalfTone(db, id, method, resolution);
                mdb3ResolutionHint(db, id, method, resolution, &hint);
            }
        }
        DEF_QUALITY quality{};
        mdb3OptimizeModeDefParam(db, id, 4, &quality);
        mdb3OutputICC(db, id, &quality, &value, name);
        const auto uid = static_cast<std::uint16_t>(id);
        for (auto table : {mdb3TableCSC1, mdb3InputGamma, mdb3TableCSC2, mdb3TableOutputGamma,
                           mdb3EDTable, mdb3ResolutionConv, mdb3DitherParam, mdb3TableIndexData}) {
            std::vector<std::uint8_t> bytes(table(db, uid, &quality, nullptr));
            table(db, uid, &quality, bytes.data());
        }
    }
}

}  // namespace medab2test
