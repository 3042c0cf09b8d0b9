// The information queries and the job list fed printer replies of any content. The test printer
// answers on loopback; the first input byte picks a query, the rest is the attribute value or
// method answer it reads.
#include <cstddef>
#include <cstdint>
#include <functional>

#include "fuzz_printer.h"
#include "glue/glue_job_list.h"
#include "query/query_device.h"
#include "query/query_marker.h"
#include "query/query_method.h"
#include "query/query_tray.h"
#include "support/fuzz_check.h"

namespace {

using gluefuzz::Bytes;
using gluefuzz::FuzzPrinter;
using gluefuzz::kDevice;
using gluefuzz::kPrinter;

constexpr std::uint32_t kJob = 0x500;
constexpr std::uint32_t kJobIdCapacity = 64 * sizeof(std::uint32_t);

// Output room for every query, larger than any of them writes.
struct Outputs {
    std::uint8_t text[256];
    std::uint8_t text2[256];
    std::uint8_t bytes[8];
    std::uint8_t block[64];
    std::uint16_t words[4];
    std::uint32_t values[64];
    WqsMemHandle* handles[3] = {Wqs_Mem_NewHandle(1), Wqs_Mem_NewHandle(1), Wqs_Mem_NewHandle(1)};
    ~Outputs() {
        for (auto* handle : handles) {
            Wqs_Mem_DisposeHandle(handle);
        }
    }
};

using Query = std::function<void(GlueSession*, Outputs&)>;

struct AttributeQuery {
    std::uint32_t object;
    std::uint16_t attribute;
    Query run;
};

struct MethodQuery {
    std::uint16_t method;
    Query run;
};

const AttributeQuery kAttributeQueries[] = {
    {501, 2058,
     [](GlueSession* s, Outputs& o) { glue_qdxaGetPlexSupport(s, o.bytes, o.bytes + 1); }},
    {kDevice, 132,
     [](GlueSession* s, Outputs& o) {
         glue_qdxaGetAccountResourceCount(s, o.handles[0], o.words);
     }},
    {kPrinter, 282,
     [](GlueSession* s, Outputs& o) {
         glue_qdxaGetComponentStatus2CodeList(s, o.handles[0], o.words);
         glue_qdxaGetComponentState2(s, o.bytes, o.bytes + 1, o.bytes + 2, o.values);
     }},
    {kDevice, 1056, [](GlueSession* s, Outputs& o) { glue_qdxaGetComponentModel(s, o.text); }},
    {kDevice, 1071, [](GlueSession* s, Outputs& o) { glue_qdxaGetDeviceNumber(s, o.text); }},
    {kDevice, 1050,
     [](GlueSession* s, Outputs& o) {
         glue_qdxaGetFirmMainVersion(s, o.words, o.text, o.words + 1, o.bytes);
     }},
    {kDevice, 1016,
     [](GlueSession* s, Outputs& o) {
         glue_qdxaGetOptionalUnitsSupport(s, o.bytes, o.bytes + 1, o.bytes + 2, o.values,
                                          o.bytes + 3, o.text, o.bytes + 4, o.text2);
         glue_qdxaGetSpectrophotometer(s, o.bytes);
     }},
    {2002, 10650,
     [](GlueSession* s, Outputs& o) { glue_qdxaGetFileBoxSize(s, 10650, o.values, o.bytes); }},
    {kPrinter, 2132,
     [](GlueSession* s, Outputs& o) {
         glue_qdxaGetMarkerInfo(s, o.values, o.text, o.bytes, o.bytes + 1, o.block, 4);
     }},
    {kPrinter, 2205,
     [](GlueSession* s, Outputs& o) { glue_qdxaGetMarkerSupplyCounterInfo(s, o.values, o.bytes); }},
    {kPrinter, 2150,
     [](GlueSession* s, Outputs& o) { glue_qdxaGetInputTrayList(s, o.handles[0], o.values); }},
    {kPrinter, 2152,
     [](GlueSession* s, Outputs& o) { glue_qdxaGetInputTrayList(s, o.handles[0], o.values); }},
};

const MethodQuery kMethodQueries[] = {
    {16391,
     [](GlueSession* s, Outputs& o) {
         glue_qdxaGetWVTPaperAmount(s, o.values, o.words, o.words + 1, o.values + 1);
     }},
    {16402,
     [](GlueSession* s, Outputs& o) { glue_qdxaGetInktankMaxAmount(s, o.handles[0], o.words); }},
    {16424,
     [](GlueSession* s, Outputs& o) {
         glue_qdxaGetWVTLoadedMediaInfo2(s, o.handles[0], o.handles[1], o.handles[2], o.words);
     }},
    {16421,
     [](GlueSession* s, Outputs& o) {
         glue_qdxaGetWVTCustomMediaInfo(s, 39321, o.handles[0], o.handles[1], o.handles[2],
                                        o.words);
     }},
    {16418,
     [](GlueSession* s, Outputs& o) {
         glue_qdxaGetWVTChangeMode(s, 0, 1, o.bytes, o.bytes + 1, o.words, o.bytes + 2);
     }},
    {16435,
     [](GlueSession* s, Outputs& o) {
         glue_qdxaGetWVTJobCompleteInfo(s, o.bytes, o.words, o.values, o.words + 1, o.text,
                                        o.words + 2, o.text2);
     }},
    {16441,
     [](GlueSession* s, Outputs& o) {
         glue_qdxaColorCheckSchedule(s, 2, o.bytes, o.values, o.values + 1, o.bytes + 1,
                                     o.bytes + 2);
     }},
};

// The job list with one job whose attributes all hold the value, then that job read back.
void readJobList(FuzzPrinter& rig, const Bytes& value, Outputs& o) {
    qdxa_test::Job job{kJob, {}};
    for (std::uint16_t id : {4, 279, 6, 283, 275, 277, 263, 9, 10909, 311, 2027, 280}) {
        job.attributes.push_back({id, value});
    }
    rig.responder.jobs = {job};
    std::uint16_t count = 0;
    if (glue_qdxaGetJobListToBuf(rig.session, o.values, kJobIdCapacity, &count) == 0) {
        QDXADateTime time{};
        glue_qdxaGetJobAttrFromBuf(rig.session, kJob, o.text, o.values, o.text2, o.values + 1,
                                   o.block, o.values + 2, o.bytes, o.bytes + 1, o.bytes + 2,
                                   o.values + 3, o.values + 4, o.values + 5, &time, o.text,
                                   o.block);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static FuzzPrinter rig;
    if (size == 0) {
        return 0;
    }
    const Bytes value(data + 1, data + size);
    Outputs outputs;
    constexpr std::size_t kAttributes = std::size(kAttributeQueries);
    constexpr std::size_t kMethods = std::size(kMethodQueries);
    const std::size_t choice = data[0] % (kAttributes + kMethods + 1);
    if (choice < kAttributes) {
        const AttributeQuery& query = kAttributeQueries[choice];
        rig.setAttribute(query.object, query.attribute, value);
        query.run(rig.session, outputs);
    } else if (choice < kAttributes + kMethods) {
        const MethodQuery& query = kMethodQueries[choice - kAttributes];
        rig.responder.methodAnswers[query.method] = value;
        query.run(rig.session, outputs);
    } else {
        readJobList(rig, value, outputs);
    }
    return 0;
}
