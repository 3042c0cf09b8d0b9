// Events on the wire: round trips, and the malformed messages that are refused.
#include <gtest/gtest.h>

#include <functional>

#include "bytes/byte_order.h"
#include "events/event_codec.h"

namespace {

using events::fourCharCode;
using Bytes = std::vector<std::uint8_t>;

events::Event sample() {
    events::Event event;
    event.eventClass = fourCharCode("EVae");
    event.eventId = fourCharCode("MAIE");
    event.transactionId = 0x01020304;
    event.wantsReply = true;
    event.putParameter(events::kKeyDirectObject, fourCharCode("MAOI"), Bytes{0, 0, 0, 9});
    event.putParameter(fourCharCode("zero"), fourCharCode("null"), Bytes{});
    event.putAttribute(events::kKeyDirectObject, fourCharCode("MAJD"), Bytes(784, 7));
    return event;
}

TEST(EventCodec, TheWireBytesOfAnEvent) {
    events::Event event;
    event.eventClass = fourCharCode("EVae");
    event.eventId = fourCharCode("MAGI");
    event.transactionId = 5;
    event.wantsReply = true;
    event.putParameter(fourCharCode("----"), fourCharCode("long"), Bytes{1, 2});
    const Bytes expected = {'S', 'L', 'e', 'v', 0,   0, 0, 31, 'E', 'V', 'a', 'e', 'M',
                            'A', 'G', 'I', 0,   0,   0, 5, 1,  0,   1,   '-', '-', '-',
                            '-', 'l', 'o', 'n', 'g', 0, 0, 0,  2,   1,   2,   0,   0};
    EXPECT_EQ(events::encodeEvent(event), expected);
    EXPECT_EQ(events::codeText(event.eventId), "MAGI");
}

TEST(EventCodec, EventsComeBackWhole) {
    const events::Event event = sample();
    const auto decoded = events::decodeEvent(events::encodeEvent(event));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->eventClass, event.eventClass);
    EXPECT_EQ(decoded->eventId, event.eventId);
    EXPECT_EQ(decoded->transactionId, event.transactionId);
    EXPECT_TRUE(decoded->wantsReply);
    EXPECT_EQ(decoded->parameters.size(), 2u);
    const auto value = decoded->parameter(events::kKeyDirectObject, fourCharCode("MAOI"));
    ASSERT_TRUE(value);
    EXPECT_EQ(Bytes(value->begin(), value->end()), (Bytes{0, 0, 0, 9}));
    EXPECT_FALSE(decoded->parameter(events::kKeyDirectObject, fourCharCode("MADI")));
    EXPECT_EQ(decoded->attribute(events::kKeyDirectObject, fourCharCode("MAJD"))->size(), 784u);
}

TEST(EventCodec, MalformedMessagesAreRefused) {
    const Bytes good = events::encodeEvent(sample());
    struct Case {
        const char* what;
        std::function<void(Bytes&)> change;
    };
    const Case cases[] = {
        {"another magic", [](Bytes& m) { m[3] = 'x'; }},
        {"cut short", [](Bytes& m) { m.pop_back(); }},
        {"a byte too many", [](Bytes& m) { m.push_back(0); }},
        {"body length beyond the limit",
         [](Bytes& m) { bytes::storeBE32(m.data() + 4, events::kMaxEventBodyBytes + 1); }},
        {"reserved flag bits", [](Bytes& m) { m[8 + 12] = 0x03; }},
        {"descriptor longer than the body",
         [](Bytes& m) { bytes::storeBE32(m.data() + 8 + 15 + 8, 0xFFFFFFF0); }},
        {"more descriptors than there are", [](Bytes& m) { m[8 + 14] = 9; }},
        {"empty", [](Bytes& m) { m.clear(); }},
    };
    for (const Case& c : cases) {
        Bytes message = good;
        c.change(message);
        EXPECT_FALSE(events::decodeEvent(message)) << c.what;
    }
}

TEST(EventCodec, AnEventTooLargeForOneMessageIsNotEncoded) {
    events::Event event = sample();
    event.putAttribute(fourCharCode("huge"), fourCharCode("data"),
                       Bytes(events::kMaxEventBodyBytes, 0));
    EXPECT_TRUE(events::encodeEvent(event).empty());
}

TEST(EventCodec, AValuePutTwiceIsReplaced) {
    events::Event event;
    event.putParameter(events::kKeyDirectObject, fourCharCode("MAOI"), Bytes{1});
    event.putParameter(events::kKeyDirectObject, fourCharCode("MADI"), Bytes{2});
    ASSERT_EQ(event.parameters.size(), 1u);
    EXPECT_EQ(event.parameters[0].bytes, Bytes{2});
}

}  // namespace
