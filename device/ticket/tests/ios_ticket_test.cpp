// The exported ticket and array functions: placeholders, value encodings, copies out, merging,
// serialisation and the status codes.
#include "DovoCommonLib/ios_ticket.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <string>

#include "cf/property_list.h"
#include "support/python_oracle.h"
#include "support/temporary_folder.h"
#include "ticket/ticket_error.h"
#include "ticket/ticket_library.h"

namespace {

constexpr const char* kOnline = "orvane.wqs.PrinterOnline";
constexpr const char* kJobList = "orvane.wqs.JobList";

// A ticket made and released through the exported interface.
class Ticket {
  public:
    Ticket() { EXPECT_EQ(IOS_TicketCreate(&handle_), kIOS_NoErr); }
    ~Ticket() { IOS_TicketDispose(handle_); }
    Ticket(const Ticket&) = delete;
    Ticket& operator=(const Ticket&) = delete;
    void* get() const { return handle_; }
    const TktLibTicket& value() const { return *static_cast<TktLibTicket*>(handle_); }

  private:
    void* handle_ = nullptr;
};

cf::Value dataOf(const char* text) {
    return cf::Value::data(text, std::strlen(text));
}

struct PlaceholderCase {
    uint32_t typeCode;
    cf::Value expected;
};

TEST(IosTicket, PlaceholdersOfEveryTypeCode) {
    const cf::Value unknownData = dataOf("UNKNOWN");
    const cf::Value unknownInteger(std::int32_t{INT32_MIN});
    const cf::Value unknownBoolean("UNKNOWN");
    const cf::Value emptyData(cf::Value::Data{});
    const PlaceholderCase cases[] = {
        {0x001, unknownData},
        {0x002, unknownInteger},
        {0x004, unknownBoolean},
        {0x008, emptyData},
        {0x101, cf::Value(cf::Value::Array{unknownData})},
        {0x102, cf::Value(cf::Value::Array{unknownInteger})},
        {0x104, cf::Value(cf::Value::Array{unknownBoolean})},
        {0x108, cf::Value(cf::Value::Array{emptyData})},
    };
    for (const auto& c : cases) {
        Ticket ticket;
        ASSERT_EQ(IOS_TicketSetAttribute(ticket.get(), kOnline, c.typeCode), kIOS_NoErr)
            << c.typeCode;
        EXPECT_EQ(*ticket.value().find(kOnline), c.expected) << c.typeCode;
    }
    for (uint32_t refused : {0u, 3u, 5u, 6u, 7u, 16u, 0x100u, 0x103u}) {
        Ticket ticket;
        EXPECT_EQ(IOS_TicketSetAttribute(ticket.get(), kOnline, refused), kIOS_ErrParam) << refused;
        EXPECT_EQ(IOS_TicketSet2ClassAttribute(ticket.get(), kJobList, kOnline, refused),
                  kIOS_ErrParam)
            << refused;
        EXPECT_TRUE(ticket.value().dictionary()->empty()) << refused;
    }
}

TEST(IosTicket, UnansweredPlaceholdersRead) {
    Ticket ticket;
    ASSERT_EQ(IOS_TicketSetAttribute(ticket.get(), kOnline, 4), kIOS_NoErr);
    ASSERT_EQ(IOS_TicketSetAttribute(ticket.get(), "orvane.wqs.PrinterDetailCode", 2), kIOS_NoErr);
    uint8_t online = 7;
    EXPECT_EQ(IOS_TicketGetBoolean(ticket.get(), kOnline, &online), kIOS_NoErr);
    EXPECT_EQ(online, 0);
    int32_t code = 0;
    EXPECT_EQ(IOS_TicketGetSInt32(ticket.get(), "orvane.wqs.PrinterDetailCode", &code), kIOS_NoErr);
    EXPECT_EQ(code, INT32_MIN);
}

TEST(TktLib, BooleanNumbersAndStrings) {
    const struct {
        uint32_t number;
        const char* written;
        uint32_t readBack;
        uint8_t exportedByte;
    } cases[] = {
        {1, "true", 1, 1},
        {0, "false", 0, 0},
        {0x80000001u, "FAILURE", 0x80000001u, 1},
        {0x80000000u, "UNKNOWN", 0x80000000u, 0},
        {2, "UNKNOWN", 0x80000000u, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TktLibConvertBooleanNumToCFString(c.number), c.written) << c.number;
        TktLibTicket ticket = cf::Value::emptyDictionary();
        ASSERT_EQ(TktLibSetBoolean(&ticket, kOnline, c.number), kTktLibNoErr);
        uint32_t number = 0;
        ASSERT_EQ(TktLibGetBoolean(&ticket, kOnline, &number), kTktLibNoErr);
        EXPECT_EQ(number, c.readBack) << c.number;
        uint8_t byte = 9;
        ASSERT_EQ(IOS_TicketGetBoolean(&ticket, kOnline, &byte), kIOS_NoErr);
        EXPECT_EQ(byte, c.exportedByte) << c.number;
    }
    // Any string other than the three known ones reads as failure, which exports as 1.
    TktLibTicket ticket = cf::Value::emptyDictionary();
    ticket.set(kOnline, cf::Value("maybe"));
    uint32_t number = 0;
    ASSERT_EQ(TktLibGetBoolean(&ticket, kOnline, &number), kTktLibNoErr);
    EXPECT_EQ(number, 0x80000001u);

    // The exported setter stores "true" only for the byte 1.
    for (uint8_t byte : {0, 1, 2, 255}) {
        Ticket exported;
        ASSERT_EQ(IOS_TicketSetBoolean(exported.get(), kOnline, byte), kIOS_NoErr);
        EXPECT_EQ(*exported.value().find(kOnline), cf::Value(byte == 1 ? "true" : "false"));
    }
}

TEST(IosTicket, StringsAreCutToTheBuffer) {
    Ticket ticket;
    ASSERT_EQ(IOS_TicketSetCString(ticket.get(), "orvane.wqs.PrinterName", "0123456789"),
              kIOS_NoErr);
    EXPECT_EQ(*ticket.value().find("orvane.wqs.PrinterName"), dataOf("0123456789"));

    char small[5];
    std::memset(small, 'x', sizeof small);
    ASSERT_EQ(IOS_TicketGetCString(ticket.get(), "orvane.wqs.PrinterName", small, sizeof small),
              kIOS_NoErr);
    EXPECT_EQ(std::string(small, sizeof small), std::string("0123\0", 5));

    char whole[16];
    ASSERT_EQ(IOS_TicketGetCString(ticket.get(), "orvane.wqs.PrinterName", whole, sizeof whole),
              kIOS_NoErr);
    EXPECT_STREQ(whole, "0123456789");

    EXPECT_EQ(IOS_TicketGetCString(ticket.get(), "orvane.wqs.PrinterName", whole, 0),
              kIOS_ErrParam);

    // Another kind under the key leaves the buffer as it was.
    ASSERT_EQ(IOS_TicketSetSInt32(ticket.get(), "orvane.wqs.Count", 3), kIOS_NoErr);
    std::strcpy(whole, "kept");
    EXPECT_EQ(IOS_TicketGetCString(ticket.get(), "orvane.wqs.Count", whole, sizeof whole),
              kIOS_NoErr);
    EXPECT_STREQ(whole, "kept");
}

TEST(IosTicket, DataIsMeasuredAndCopiedOnlyWhenItFits) {
    Ticket ticket;
    const uint8_t bytes[] = {1, 2, 3, 4, 5, 6};
    ASSERT_EQ(IOS_TicketSetData(ticket.get(), "orvane.wqs.Blob", bytes, sizeof bytes), kIOS_NoErr);
    EXPECT_EQ(IOS_TicketSetData(ticket.get(), "orvane.wqs.Blob", bytes, -1), kIOS_ErrMemory);

    uint32_t length = 0;
    EXPECT_EQ(IOS_TicketGetData(ticket.get(), "orvane.wqs.Blob", nullptr, &length), kIOS_NoErr);
    EXPECT_EQ(length, sizeof bytes);

    uint8_t shortBuffer[5] = {9, 9, 9, 9, 9};
    length = sizeof shortBuffer;
    EXPECT_EQ(IOS_TicketGetData(ticket.get(), "orvane.wqs.Blob", shortBuffer, &length),
              kIOS_ErrBufferTooSmall);
    EXPECT_EQ(length, sizeof bytes);
    EXPECT_EQ(shortBuffer[0], 9);

    uint8_t larger[8];
    std::memset(larger, 0xEE, sizeof larger);
    length = sizeof larger;
    EXPECT_EQ(IOS_TicketGetData(ticket.get(), "orvane.wqs.Blob", larger, &length), kIOS_NoErr);
    EXPECT_EQ(length, sizeof bytes);
    EXPECT_EQ(std::memcmp(larger, bytes, sizeof bytes), 0);
    EXPECT_EQ(larger[6], 0);
    EXPECT_EQ(larger[7], 0);

    EXPECT_EQ(IOS_TicketGetData(ticket.get(), "orvane.wqs.Blob", nullptr, nullptr), kIOS_NoErr);
    EXPECT_EQ(IOS_TicketGetData(ticket.get(), "orvane.wqs.Blob", larger, nullptr),
              kIOS_ErrBufferTooSmall);
}

TEST(IosTicket, ArgumentsAndAbsentKeys) {
    Ticket ticket;
    int32_t value = 5;
    EXPECT_EQ(IOS_TicketGetSInt32(ticket.get(), "orvane.wqs.Absent", &value), kIOS_ErrNotFound);
    EXPECT_EQ(IOS_TicketGetSInt32(ticket.get(), "orvane.wqs.Absent", &value), 0xFFFFDA8Bu);
    EXPECT_EQ(value, 5);
    EXPECT_EQ(
        IOS_TicketGet2ClassSInt32(ticket.get(), kJobList, "orvane.wqs.JobHandleCount", &value),
        kIOS_ErrNotFound);
    EXPECT_EQ(IOS_TicketGetSInt32(nullptr, "k", &value), kIOS_ErrParam);
    EXPECT_EQ(IOS_TicketGetSInt32(ticket.get(), nullptr, &value), kIOS_ErrParam);
    EXPECT_EQ(IOS_TicketGetSInt32(ticket.get(), "k", nullptr), kIOS_ErrParam);
    EXPECT_EQ(IOS_TicketSetSInt32(nullptr, "k", 1), kIOS_ErrParam);
    EXPECT_EQ(IOS_TicketCreate(nullptr), kIOS_ErrParam);
    EXPECT_EQ(IOS_TicketDispose(nullptr), kIOS_NoErr);
    // Keys are ASCII; another byte cannot make a key.
    EXPECT_EQ(IOS_TicketSetSInt32(ticket.get(), "orvane.wqs.\xc3\xa9", 1), kIOS_ErrMemory);

    // An integer too wide for 32 bits is refused as absent.
    TktLibTicket wide = cf::Value::emptyDictionary();
    wide.set("orvane.wqs.Wide", cf::Value(std::int64_t{1} << 40));
    EXPECT_EQ(IOS_TicketGetSInt32(&wide, "orvane.wqs.Wide", &value), kIOS_ErrNotFound);
}

TEST(TktLib, ErrorConversionTable) {
    const std::pair<int, uint32_t> cases[] = {
        {0, 0}, {1, 10553}, {2, 10554}, {3, 0xFFFFDA8Bu}, {4, 22998}, {5, 22998}, {99, 22998},
    };
    for (const auto& [code, status] : cases) {
        EXPECT_EQ(ConvertTktLibError(code), status) << code;
    }
}

TEST(IosTicket, MergeReplacesSharedKeysAndKeepsTheRest) {
    TktLibTicket destination = cf::Value::emptyDictionary();
    TktLibTicket source = cf::Value::emptyDictionary();
    TktLibSetSInt32(&destination, "a", 1);
    TktLibSetSInt32(&destination, "b", 2);
    TktLibSetSInt32(&source, "b", 20);
    TktLibSetSInt32(&source, "c", 30);
    ASSERT_EQ(TktLibMergeTicket(&destination, &source), kTktLibNoErr);
    cf::Value expected = cf::Value::emptyDictionary();
    expected.set("a", std::int32_t{1});
    expected.set("b", std::int32_t{20});
    expected.set("c", std::int32_t{30});
    EXPECT_EQ(destination, expected);
    EXPECT_EQ(TktLibMergeTicket(nullptr, &source), kTktLibParamErr);
}

TEST(IosTicket, TwoLevelPlaceholdersShareOneClassTicket) {
    Ticket ticket;
    ASSERT_EQ(IOS_TicketSet2ClassAttribute(ticket.get(), kJobList, "orvane.wqs.JobHandleCount", 2),
              kIOS_NoErr);
    ASSERT_EQ(IOS_TicketSet2ClassAttribute(ticket.get(), kJobList, "orvane.wqs.JobHandle", 0x102),
              kIOS_NoErr);
    const cf::Value* nested = ticket.value().find(kJobList);
    ASSERT_NE(nested, nullptr);
    ASSERT_TRUE(nested->isDictionary());
    EXPECT_EQ(nested->dictionary()->size(), 2u);

    int32_t count = 0;
    EXPECT_EQ(
        IOS_TicketGet2ClassSInt32(ticket.get(), kJobList, "orvane.wqs.JobHandleCount", &count),
        kIOS_NoErr);
    EXPECT_EQ(count, INT32_MIN);
    void* handles = nullptr;
    ASSERT_EQ(IOS_TicketGet2ClassArray(ticket.get(), kJobList, "orvane.wqs.JobHandle", &handles),
              kIOS_NoErr);
    EXPECT_EQ(IOS_ArrayGetCount(handles), 1);
    IOS_ArrayDispose(handles);

    // A class key holding something other than a ticket is refused and left alone.
    ASSERT_EQ(IOS_TicketSetSInt32(ticket.get(), "orvane.wqs.Flat", 1), kIOS_NoErr);
    EXPECT_EQ(IOS_TicketSet2ClassAttribute(ticket.get(), "orvane.wqs.Flat", "x", 2), kIOS_ErrParam);
    EXPECT_EQ(*ticket.value().find("orvane.wqs.Flat"), cf::Value(std::int32_t{1}));
}

TEST(IosArray, ElementsAndBounds) {
    Ticket ticket;
    const int32_t values[] = {7, -8, INT32_MAX};
    ASSERT_EQ(IOS_TicketSetSInt32Array(ticket.get(), "orvane.wqs.Values", values, 3), kIOS_NoErr);
    ASSERT_EQ(IOS_TicketSetSInt32Array(ticket.get(), "orvane.wqs.None", nullptr, 0), kIOS_NoErr);
    EXPECT_EQ(IOS_TicketSetSInt32Array(ticket.get(), "orvane.wqs.Bad", nullptr, 2), kIOS_ErrParam);

    void* array = nullptr;
    ASSERT_EQ(IOS_TicketGetArray(ticket.get(), "orvane.wqs.Values", &array), kIOS_NoErr);
    ASSERT_EQ(IOS_ArrayGetCount(array), 3);
    for (int32_t i = 0; i < 3; ++i) {
        int32_t value = 0;
        EXPECT_EQ(IOS_ArrayGetSInt32(array, i, &value), kIOS_NoErr);
        EXPECT_EQ(value, values[i]);
    }
    int32_t value = 0;
    EXPECT_EQ(IOS_ArrayGetSInt32(array, -1, &value), kIOS_ErrParam);
    EXPECT_EQ(IOS_ArrayGetSInt32(array, 3, &value), kIOS_ErrParam);
    IOS_ArrayDispose(array);

    void* empty = nullptr;
    ASSERT_EQ(IOS_TicketGetArray(ticket.get(), "orvane.wqs.None", &empty), kIOS_NoErr);
    EXPECT_EQ(IOS_ArrayGetCount(empty), 0);
    IOS_ArrayDispose(empty);

    EXPECT_EQ(IOS_ArrayGetCount(nullptr), 0);
    EXPECT_EQ(IOS_ArrayDispose(nullptr), kIOS_NoErr);
    EXPECT_EQ(IOS_ArrayGetSInt32(nullptr, 0, &value), kIOS_ErrParam);
}

TEST(IosArray, StringBooleanAndDataElements) {
    TktLibTicket ticket = cf::Value::emptyDictionary();
    ticket.set("names", cf::Value(cf::Value::Array{dataOf("abcdef"), dataOf("")}));
    ticket.set("flags", cf::Value(cf::Value::Array{cf::Value("true"), cf::Value("UNKNOWN")}));
    void* names = nullptr;
    void* flags = nullptr;
    ASSERT_EQ(IOS_TicketGetArray(&ticket, "names", &names), kIOS_NoErr);
    ASSERT_EQ(IOS_TicketGetArray(&ticket, "flags", &flags), kIOS_NoErr);

    char buffer[4];
    EXPECT_EQ(IOS_ArrayGetCString(names, 0, buffer, sizeof buffer), kIOS_NoErr);
    EXPECT_STREQ(buffer, "abc");
    uint8_t flag = 9;
    EXPECT_EQ(IOS_ArrayGetBoolean(flags, 0, &flag), kIOS_NoErr);
    EXPECT_EQ(flag, 1);
    EXPECT_EQ(IOS_ArrayGetBoolean(flags, 1, &flag), kIOS_NoErr);
    EXPECT_EQ(flag, 0);
    uint32_t length = 2;
    uint8_t bytes[2];
    EXPECT_EQ(IOS_ArrayGetData(names, 0, bytes, &length), kIOS_ErrBufferTooSmall);
    EXPECT_EQ(length, 6u);
    IOS_ArrayDispose(names);
    IOS_ArrayDispose(flags);
}

TEST(IosTicket, SerialisedTicketIsABinaryPropertyListThatParsesBack) {
    Ticket ticket;
    ASSERT_EQ(IOS_TicketSetCString(ticket.get(), "orvane.wqs.PrinterName", "Stratoline"), 0u);
    ASSERT_EQ(IOS_TicketSetSInt32(ticket.get(), "orvane.wqs.PrinterDetailCode", -7), 0u);
    ASSERT_EQ(IOS_TicketSetBoolean(ticket.get(), kOnline, 1), 0u);
    TktLibTicket handles = cf::Value::emptyDictionary();
    const cf::Value handleArray(cf::Value::Array{std::int32_t{0x7FFFFFFF}, std::int32_t{-1}});
    ASSERT_EQ(TktLibSetCFArray(&handles, "orvane.wqs.JobHandle", &handleArray), kTktLibNoErr);
    ASSERT_EQ(TktLibSetTicket(static_cast<TktLibTicket*>(ticket.get()), kJobList, &handles),
              kTktLibNoErr);

    cf::Value serialised;
    ASSERT_EQ(TktLibCreateSerializedDataWithTicket(&ticket.value(), &serialised), kTktLibNoErr);
    const auto& bytes = *serialised.data();
    ASSERT_GE(bytes.size(), 8u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 8), "bplist00");

    testsupport::TemporaryFolder folder;
    const auto path = folder / "ticket.bin";
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    EXPECT_EQ(testsupport::runPython(TICKET_TEST_DATA_DIR "/ticket_oracle.py", {path.string()}), 0);

    TktLibTicket* parsed = nullptr;
    ASSERT_EQ(TktLibCreateTicketWithSerializedData(&serialised, &parsed), kTktLibNoErr);
    EXPECT_EQ(*parsed, ticket.value());
    EXPECT_EQ(IOS_TicketSetSInt32(parsed, "orvane.wqs.Added", 1), kIOS_NoErr);  // mutable
    TktLibDisposeTicket(parsed);
}

TEST(TktLib, SerialisedDataMustHoldADictionary) {
    std::vector<std::uint8_t> arrayBytes;
    ASSERT_EQ(cf::writePropertyList(cf::Value(cf::Value::Array{std::int32_t{1}}),
                                    cf::PropertyListFormat::Binary, arrayBytes),
              cf::PlistStatus::Ok);
    const cf::Value arrayData(arrayBytes);
    TktLibTicket* parsed = nullptr;
    const int error = TktLibCreateTicketWithSerializedData(&arrayData, &parsed);
    EXPECT_EQ(error, kTktLibParamErr);
    EXPECT_EQ(ConvertTktLibError(error), kIOS_ErrParam);
    EXPECT_EQ(parsed, nullptr);

    const cf::Value garbage = dataOf("bplist00 but not really");
    EXPECT_EQ(TktLibCreateTicketWithSerializedData(&garbage, &parsed), kTktLibParseErr);
    EXPECT_EQ(ConvertTktLibError(kTktLibParseErr), kIOS_ErrInternal);
}

}  // namespace
