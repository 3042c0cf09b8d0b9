// Every parser of the information queries fed replies that end early, counts larger than the
// data and random bytes, from the test printer. Every query still succeeds, decoding what
// arrived; under AddressSanitizer a read past a reply fails the test as well.
#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "glue/glue_error.h"
#include "query/query_device.h"
#include "query/query_file.h"
#include "query/query_job.h"
#include "query/query_marker.h"
#include "query/query_method.h"
#include "query/query_tray.h"
#include "query_printer.h"

namespace querytest {
namespace {

using gluetest::supportValue;
using Query = std::function<std::int32_t(GlueSession*)>;

struct AttributeParser {
    const char* name;
    std::uint32_t object;
    std::uint16_t attribute;
    Bytes valid;
    Query run;
};

struct MethodParser {
    const char* name;
    std::uint16_t method;
    Bytes valid;
    Query run;
};

constexpr int kRandomReplies = 40;
constexpr std::size_t kLongestRandomReply = 48;

/// Random bytes whose small values make counts and lengths that run past the data.
Bytes randomReply(std::mt19937& random) {
    Bytes reply(random() % (kLongestRandomReply + 1));
    for (auto& byte : reply) {
        byte = static_cast<std::uint8_t>(random() % 4 == 0 ? 0xFF : random());
    }
    return reply;
}

/// The valid reply cut at every length, then random replies.
std::vector<Bytes> hostileReplies(const Bytes& valid, std::mt19937& random) {
    std::vector<Bytes> replies;
    for (std::size_t length = 0; length < valid.size(); ++length) {
        replies.emplace_back(valid.begin(), valid.begin() + static_cast<std::ptrdiff_t>(length));
    }
    for (int index = 0; index < kRandomReplies; ++index) {
        replies.push_back(randomReply(random));
    }
    return replies;
}

class HostileReplies : public QueryPrinter {
  protected:
    void SetUp() override {
        QueryPrinter::SetUp();
        setAttribute(601, 111,
                     supportValue({{2150, 1}, {2152, 1}, {2216, 1}, {2436, 1}, {2356, 1}}));
        setAttribute(601, 2150, {2, 1, 0, 0, 1,   'R', 2, 1, 7, 3, 0, 0, 0, 1,
                                 2, 0, 0, 1, 'C', 2,   1, 8, 3, 0, 0, 0, 2});
    }
};

TEST_F(HostileReplies, AttributeParsersReadOnlyWhatArrived) {
    std::uint8_t text[256], bytes8[8], colours[4];
    std::uint16_t words[3], code;
    std::uint32_t value;
    Handle handle;
    WqsMemHandle* h = handle.handle;
    Handle trayList;
    MarkerColorantInfo colorants;
    Handle list15, pairs;
    const AttributeParser parsers[] = {
        {"plex",
         501,
         2058,
         {3, 1, 1, 2, 1, 4, 1},
         [&](GlueSession* s) { return glue_qdxaGetPlexSupport(s, bytes8, bytes8 + 1); }},
        {"account",
         101,
         132,
         {2, 0, 0, 0, 1, 0, 0, 0, 2},
         [&](GlueSession* s) { return glue_qdxaGetAccountResourceCount(s, h, words); }},
        {"codes",
         601,
         282,
         {3, 0, 2, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0, 0, 2, 3},
         [&](GlueSession* s) { return glue_qdxaGetComponentStatus2CodeList(s, h, words); }},
        {"state",
         601,
         282,
         {3, 0, 2, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0, 0, 2, 3},
         [&](GlueSession* s) {
             return glue_qdxaGetComponentState2(s, bytes8, bytes8 + 1, bytes8 + 2, &value);
         }},
        {"model", 101, 1056, codedString(1, "Model"),
         [&](GlueSession* s) { return glue_qdxaGetComponentModel(s, text); }},
        {"string", 101, 1017, codedString(1, "Name"),
         [&](GlueSession* s) { return glue_qdxaGetStringAttribute(s, 101, 1017, &code, text); }},
        {"device number", 101, 1071, pascal("SN1"),
         [&](GlueSession* s) { return glue_qdxaGetDeviceNumber(s, text); }},
        {"firmware",
         101,
         1050,
         {0, 2, 4, 0, 1, 2, 'M', 'A', 0, 1, 0, 2, 0, 3, 7, 0, 0, 0, 0, 0, 0, 0, 0, 0},
         [&](GlueSession* s) {
             return glue_qdxaGetFirmMainVersion(s, words, text, words, bytes8);
         }},
        {"units",
         101,
         1016,
         {0, 2, 1, 0, 0, 2, 'V', 'E', 0, 0, 0, 0, 0, 0, 4, 0, 0, 0,
          0, 1, 3, 0, 0, 0, 0,   0,   0, 0, 0, 0, 4, 0, 0, 0, 0, 0},
         [&](GlueSession* s) {
             const std::int32_t units = glue_qdxaGetOptionalUnitsSupport(
                 s, bytes8, bytes8 + 1, bytes8 + 2, &value, bytes8 + 3, text, bytes8 + 4, text);
             const std::int32_t spectrophotometer = glue_qdxaGetSpectrophotometer(s, bytes8);
             return units != kGlueNoErr ? units : spectrophotometer;
         }},
        {"file box size",
         2002,
         10650,
         {0, 0, 1, 0, 5},
         [&](GlueSession* s) { return glue_qdxaGetFileBoxSize(s, 10650, &value, bytes8); }},
        {"colorants",
         601,
         2157,
         {3, 1, 40, 0, 15, 50, 0, 99, 1, 0},
         [&](GlueSession* s) {
             colorants.lists[0] = list15.handle;
             colorants.pairs = pairs.handle;
             return glue_qdxaGetMarkerColorantInfo(s, &colorants);
         }},
        {"marker",
         601,
         2132,
         {1, 0, 0, 2, 'I', 'K', 6, 3, 1, 2, 3},
         [&](GlueSession* s) {
             return glue_qdxaGetMarkerInfo(s, &value, text, bytes8, bytes8 + 1, colours, 4);
         }},
        {"supply counters",
         601,
         2205,
         {2, 3, 9, 0, 1, 1, 0},
         [&](GlueSession* s) { return glue_qdxaGetMarkerSupplyCounterInfo(s, &value, bytes8); }},
        {"trays",
         601,
         2150,
         {2, 1, 0, 0, 1, 'R', 2, 12, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 3, 0, 0, 0, 1},
         [&](GlueSession* s) { return glue_qdxaGetInputTrayList(s, trayList.handle, &value); }},
        {"tray media states",
         601,
         2152,
         {1, 1, 0, 1, 2, 0, 3, 0, 0, 0, 4, 0, 0, 0, 5, 0, 6, 7, 8},
         [&](GlueSession* s) { return glue_qdxaGetInputTrayList(s, trayList.handle, &value); }},
        {"tray extended media",
         601,
         2436,
         {1, 2, 1, 0, 0, 0, 9, 0, 3, 0, 4, 1, 2, 3, 4, 5, 6, 7, 8},
         [&](GlueSession* s) { return glue_qdxaGetInputTrayList(s, trayList.handle, &value); }},
        {"medium library",
         601,
         2356,
         {1, 0, 0, 0, 5, 0, 6, 2, 'P', 'G', 2, 0xAA, 0xBB},
         [&](GlueSession* s) { return glue_qdxaGetInputTrayList(s, trayList.handle, &value); }},
    };
    std::mt19937 random(20261210);
    openSession();
    for (const AttributeParser& parser : parsers) {
        SCOPED_TRACE(parser.name);
        setAttribute(parser.object, parser.attribute, parser.valid);
        ASSERT_EQ(parser.run(session), kGlueNoErr);
        for (const Bytes& reply : hostileReplies(parser.valid, random)) {
            setAttribute(parser.object, parser.attribute, reply);
            EXPECT_EQ(parser.run(session), kGlueNoErr) << testing::PrintToString(reply);
        }
    }
}

TEST_F(HostileReplies, MethodParsersReadOnlyWhatArrived) {
    std::uint8_t text[256], text2[256], bytes8[8];
    std::uint16_t words[4];
    std::uint32_t values[4];
    Handle a, b, c;
    Handle entries;
    CalibrationList calibration;
    calibration.entries = entries.handle;
    CalibrationInfo2 calibration2;
    PrintRemainTime remain;
    Handle trayList;
    const Bytes password = pascal("secret");
    const MethodParser parsers[] = {
        {"paper amount", 16391, Bytes(9, 1),
         [&](GlueSession* s) {
             return glue_qdxaGetWVTPaperAmount(s, values, words, words + 1, values + 1);
         }},
        {"ink tanks",
         16402,
         {2, 1, 0, 200, 2, 1, 44},
         [&](GlueSession* s) { return glue_qdxaGetInktankMaxAmount(s, a.handle, words); }},
        {"loaded media 2",
         16424,
         {2, 1, 2, 0, 9, 0, 5, 6, 1, 0, 0},
         [&](GlueSession* s) {
             return glue_qdxaGetWVTLoadedMediaInfo2(s, a.handle, b.handle, c.handle, words);
         }},
        {"custom media",
         16421,
         {0, 0, 2, 1, 10, 0, 2, 20, 0},
         [&](GlueSession* s) {
             return glue_qdxaGetWVTCustomMediaInfo(s, 39321, a.handle, b.handle, c.handle, words);
         }},
        {"remaining time", 16412, Bytes(20, 3),
         [&](GlueSession* s) { return glue_qdxaGetWVTPrintRemainTime(s, &remain); }},
        {"calibration list",
         16403,
         {3, 2, 1, 2, 0, 7, 4, 0, 0, 0, 0, 0, 0, 0, 0, 9},
         [&](GlueSession* s) { return glue_qdxaGetWVTCalibrationInfo(s, &calibration); }},
        {"calibration 2", 16439, Bytes(83, 1),
         [&](GlueSession* s) {
             return glue_qdxaGetWVTCalibrationInfo2(s, 1, 2, 3, &calibration2);
         }},
        {"change mode", 16418, Bytes(8, 2),
         [&](GlueSession* s) {
             return glue_qdxaGetWVTChangeMode(s, 0, 1, bytes8, bytes8 + 1, words, bytes8 + 2);
         }},
        {"job complete",
         16435,
         {3, 0, 5, 0, 0, 0x10, 0x01, 0, 1, 2, 'a', 'b', 0, 4, 1, 'c'},
         [&](GlueSession* s) {
             return glue_qdxaGetWVTJobCompleteInfo(s, bytes8, words, values, words + 1, text,
                                                   words + 2, text2);
         }},
        {"schedule", 16441, Bytes(12, 4),
         [&](GlueSession* s) {
             return glue_qdxaColorCheckSchedule(s, 2, bytes8, values, values + 1, bytes8 + 1,
                                                bytes8 + 2);
         }},
        {"password", 16446, Bytes(17, 1),
         [&](GlueSession* s) {
             return glue_qdxaAdminAuthenticationPassword(s, password.data(), bytes8);
         }},
        {"media name",
         144,
         {0, 0, 0, 1, 'K', 0, 0, 2, 'M', 'N'},
         [&](GlueSession* s) { return glue_qdxaGetInputTrayList(s, trayList.handle, values); }},
    };
    std::mt19937 random(121026);
    openSession();
    for (const MethodParser& parser : parsers) {
        SCOPED_TRACE(parser.name);
        responder.methodAnswers[parser.method] = parser.valid;
        ASSERT_EQ(parser.run(session), kGlueNoErr);
        for (const Bytes& reply : hostileReplies(parser.valid, random)) {
            responder.methodAnswers[parser.method] = reply;
            EXPECT_EQ(parser.run(session), kGlueNoErr) << testing::PrintToString(reply);
        }
    }
}

TEST_F(HostileReplies, Get2ParsersOfFilesBoxesAndJobsReadOnlyWhatArrived) {
    constexpr std::uint32_t kBox = 7, kFile = 0x500, kDocument = 0x900;
    information.boxFiles[kBox] = {kFile};
    paged.classObjects[1002] = {kBox};
    responder.jobs = {{kFile, {}}};
    const std::vector<std::uint16_t> fileAttributes = {4,   279, 6,     283, 275, 277,
                                                       263, 9,   10909, 311, 2027};
    const std::vector<std::uint16_t> documentAttributes = {2029, 2214, 2158, 2410, 2435};
    const std::vector<std::uint16_t> boxAttributes = {10617, 10601, 10911};
    std::mt19937 random(5150);
    openSession();
    Handle files, boxes, values, documents;
    std::uint32_t count = 0, flags = 0;
    std::uint16_t documentCount = 0;
    for (int round = 0; round < kRandomReplies; ++round) {
        const auto fill = [&](std::vector<qdxa_test::Attribute>& attributes,
                              const std::vector<std::uint16_t>& ids) {
            attributes.clear();
            for (std::uint16_t id : ids) {
                attributes.push_back({id, randomReply(random)});
            }
        };
        fill(responder.jobs[0].attributes, fileAttributes);
        fill(responder.objects[kDocument], documentAttributes);
        fill(responder.objects[kBox], boxAttributes);
        // The first document id of the file names the document with the random attributes.
        responder.jobs[0].attributes.back().value = qdxa_test::idList({kDocument});
        EXPECT_EQ(
            glue_qdxaGetFileList(session, kBox, 0, files.handle, &count, kFileMaskValue311, &flags),
            kGlueNoErr);
        EXPECT_EQ(glue_qdxaGetFileBoxList(session, 1, boxes.handle, &count), kGlueNoErr);
        MismatchRecord mismatch;
        mismatch.jobValues = values.handle;
        EXPECT_EQ(glue_qdxaGetWVTJobMediumMismatch(session, kFile, kDocument, &mismatch, 0xFF),
                  kGlueNoErr);
        ExtendedMediumIDRecord extended;
        EXPECT_EQ(glue_qdxaGetExtendedMediumID(session, kDocument, &extended), kGlueNoErr);
        responder.jobs[0].attributes.back().value = randomReply(random);
        EXPECT_EQ(glue_qdxaGetWVTDocumentList(session, kFile, documents.handle, &documentCount),
                  kGlueNoErr);
    }
}

}  // namespace
}  // namespace querytest
