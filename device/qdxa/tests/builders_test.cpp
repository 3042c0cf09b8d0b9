// Request builders: exact bytes of every operation, the sequence counter and the size limit.
#include <gtest/gtest.h>

#include <functional>

#include "bound_session.h"
#include "qdxa/qdxa_builders.h"

namespace qdxa_test {
namespace {

using Builder = std::function<std::uint32_t(PacketSession*)>;

struct BuilderCase {
    const char* name;
    Builder build;
    const char* expected;  ///< the whole packet in hex
};

const std::uint8_t kABytes[] = {0x41, 0x42};
const std::uint8_t kInput[] = {1, 2, 3};
const std::uint8_t kValue[] = {1, 2};
const std::uint8_t kAccessBytes[] = {0xAA, 0xBB};
const std::uint32_t kObjects[] = {501};
const std::uint16_t kAttributes[] = {63, 116};
const std::uint32_t kFiles[] = {1, 2};
const std::uint8_t kCopies[] = {0x00, 0x03};
const std::uint8_t kName[] = {'a', 'b', 'c'};
const QDXAFileItem kItems[] = {{2007, 2, kCopies}, {4, 3, kName}};
const QDXAFileEntry kEntries[] = {{0x1000, 1, kItems}, {0x2000, 2, kItems}};

QDXAEndpointAddress addressOfKind(std::uint16_t kind) {
    QDXAEndpointAddress address;
    address.kind = kind;
    const std::uint8_t ip[] = {127, 0, 0, 1};
    std::copy(ip, ip + 4, address.ipv4Address);
    address.ipv4Port = 9007;
    address.shortValue = 0x1234;
    address.shortBytes[0] = 0xAA;
    address.shortBytes[1] = 0xBB;
    address.usbFirst = 0x01;
    for (int index = 0; index < 16; ++index) {
        address.usbAddress[index] = static_cast<std::uint8_t>(index);
    }
    address.usbLast = 0xFF;
    if (kind == kQDXAAddressIPv6) {
        address.ipv6 = std::make_unique<QDXAIPv6AddressBlock>();
        address.ipv6->address[15] = 1;
        address.ipv6->value = 0x0A0B0C0D;
        address.ipv6->port = 0x232F;
    }
    return address;
}

Builder unreserveOf(std::uint16_t kind) {
    return [kind](PacketSession* s) {
        const QDXAEndpointAddress address = addressOfKind(kind);
        QDXAUnreserveRequest request{&address};
        return make_unreserve(s, nullptr, &request);
    };
}

Builder listexOf(std::uint16_t type, std::uint32_t value) {
    return [type, value](PacketSession* s) {
        QDXAListExRequest request;
        request.objectId = 101;
        request.valueType = type;
        request.value = value;
        request.closing = 0x5555;
        return make_listex(s, nullptr, &request);
    };
}

const BuilderCase kCases[] = {
    {"echo",
     [](PacketSession* s) {
         QDXAEchoRequest r{kABytes, 2};
         return make_echo(s, nullptr, &r);
     },
     "CDCA1004 0001 0001 0002 00000000 00000000 0000 4142"},
    {"echo without data", [](PacketSession* s) { return make_echo(s, nullptr, nullptr); },
     "CDCA1004 0001 0001 0000 00000000 00000000 0000"},
    {"echo with identifiers",
     [](PacketSession* s) {
         QDXAIdentifiers ids{0x01020304, 0x0A0B0C0D};
         return make_echo(s, &ids, nullptr);
     },
     "CDCA1004 0001 0001 0000 01020304 0A0B0C0D 0000"},
    {"reserve",
     [](PacketSession* s) {
         QDXAReserveRequest r{2012, 501, 1};
         return make_reserve(s, nullptr, &r);
     },
     "CDCA1004 0002 0001 0008 00000000 00000000 0000 07DC 000001F5 0001"},
    {"unreserve kind 1", unreserveOf(1),
     "CDCA1004 003F 0001 0009 00000000 00000000 0000 0001 06 7F000001 232F"},
    {"unreserve kind 7", unreserveOf(7),
     "CDCA1004 003F 0001 0007 00000000 00000000 0000 0007 04 1234 AABB"},
    {"unreserve kind 15", unreserveOf(15),
     "CDCA1004 003F 0001 0015 00000000 00000000 0000 000F 12 01 000102030405060708090A0B0C0D0E0F "
     "FF"},
    {"unreserve kind 19", unreserveOf(19),
     "CDCA1004 003F 0001 0019 00000000 00000000 0000 0013 16 00000000000000000000000000000001 "
     "0A0B0C0D 232F"},
    {"unreserve kind 3", unreserveOf(3), "CDCA1004 003F 0001 0003 00000000 00000000 0000 0003 00"},
    {"unreserve kind 17", unreserveOf(17),
     "CDCA1004 003F 0001 0003 00000000 00000000 0000 0011 00"},
    {"unreserve unknown kind", unreserveOf(99),
     "CDCA1004 003F 0001 0003 00000000 00000000 0000 0063 00"},
    {"delete",
     [](PacketSession* s) {
         QDXAObjectRequest r{0x11223344};
         return make_Delete(s, nullptr, &r);
     },
     "CDCA1004 000B 0001 0004 00000000 00000000 0000 11223344"},
    {"cancel job",
     [](PacketSession* s) {
         QDXAObjectRequest r{7};
         return make_CancelJob(s, nullptr, &r);
     },
     "CDCA1004 001F 0001 0004 00000000 00000000 0000 00000007"},
    {"pause job",
     [](PacketSession* s) {
         QDXAObjectRequest r{7};
         return make_PauseJob(s, nullptr, &r);
     },
     "CDCA1004 0020 0001 0004 00000000 00000000 0000 00000007"},
    {"resume job",
     [](PacketSession* s) {
         QDXAObjectRequest r{7};
         return make_ResumeJob(s, nullptr, &r);
     },
     "CDCA1004 0021 0001 0004 00000000 00000000 0000 00000007"},
    {"promote job",
     [](PacketSession* s) {
         QDXAPromoteJobRequest r{5, 6};
         return make_PromoteJob(s, nullptr, &r);
     },
     "CDCA1004 0022 0001 0008 00000000 00000000 0000 00000005 00000006"},
    {"execute method",
     [](PacketSession* s) {
         QDXAExecuteMethodRequest r{601, 104, kInput, 3};
         return make_ExecuteMethod(s, nullptr, &r);
     },
     "CDCA1004 001D 0001 0009 00000000 00000000 0000 00000259 0068 010203"},
    {"get2",
     [](PacketSession* s) {
         QDXAGet2Request r;
         r.objectCount = 1;
         r.objectIds = kObjects;
         r.attributeCount = 2;
         r.attributeIds = kAttributes;
         return make_get2(s, nullptr, &r);
     },
     "CDCA1004 0066 0001 0010 00000000 00000000 0000 01EC 0000 0001 000001F5 0002 003F 0074"},
    {"get2 with access block",
     [](PacketSession* s) {
         QDXAGet2Request r;
         r.access = {1, 2, kAccessBytes};
         r.objectCount = 1;
         r.objectIds = kObjects;
         return make_get2(s, nullptr, &r);
     },
     "CDCA1004 0066 0001 000E 00000000 00000000 0000 01EC 0102AABB 0001 000001F5 0000"},
    {"set2",
     [](PacketSession* s) {
         QDXASet2Request r;
         r.objectId = 601;
         r.attributeId = 0x1234;
         r.value = kValue;
         r.valueLength = 2;
         return make_set2(s, nullptr, &r);
     },
     "CDCA1004 0069 0001 000A 00000000 00000000 0000 0000 00000259 1234 0102"},
    {"get list element",
     [](PacketSession* s) {
         QDXAGetListElementRequest r;
         r.listHandle = 7;
         r.operation = kQDXAListContinue;
         r.objectId = 601;
         r.attributeId = 1;
         r.previousCount = 5;
         return make_getListElement(s, nullptr, &r);
     },
     "CDCA1004 0067 0001 000F 00000000 00000000 0000 0007 01EC 03 0000 00000259 0001 0005"},
    {"list objects",
     [](PacketSession* s) {
         QDXAListObjects2Request r;
         r.objectClass = 201;
         r.selector = 22;
         r.parentId = 501;
         return make_listObject2(s, nullptr, &r);
     },
     "CDCA1004 0072 0001 0012 00000000 00000000 0000 0000 01EC 01 00C9 16 000001F5 00000000 0000"},
    {"listex type 2", listexOf(2, 9),
     "CDCA1004 0038 0001 000F 00000000 00000000 0000 0000 0200 01 00000065 0002 09 5555 00"},
    {"listex type 4", listexOf(4, 9),
     "CDCA1004 0038 0001 000F 00000000 00000000 0000 0000 0200 01 00000065 0004 0009 5555"},
    {"listex type 5", listexOf(5, 9),
     "CDCA1004 0038 0001 000F 00000000 00000000 0000 0000 0200 01 00000065 0005 0009 5555"},
    {"listex type 6", listexOf(6, 0x01020304),
     "CDCA1004 0038 0001 000F 00000000 00000000 0000 0000 0200 01 00000065 0006 01020304"},
    {"listex type 7", listexOf(7, 0x01020304),
     "CDCA1004 0038 0001 000F 00000000 00000000 0000 0000 0200 01 00000065 0007 01020304"},
    {"listex other type", listexOf(9, 0x01020304),
     "CDCA1004 0038 0001 000F 00000000 00000000 0000 0000 0200 01 00000065 0009 5555 0000"},
    {"execute file: length 7 + (6 + 4 + 2) + (6 + 4 + 2 + 4 + 3)",
     [](PacketSession* s) {
         QDXAExecuteFile2Request r{0x01, 0x02, 2, kEntries};
         return make_ExecuteFile2(s, nullptr, &r);
     },
     "CDCA1004 0070 0001 0026 00000000 00000000 0000 00000001 02 0002"
     " 00001000 0001 07D7 0002 0003"
     " 00002000 0002 07D7 0002 0003 0004 0003 616263"},
    {"delete files",
     [](PacketSession* s) {
         QDXADeleteFilesRequest r{2, kFiles, 0x99};
         return make_DeleteFiles(s, nullptr, &r);
     },
     "CDCA1004 005F 0001 000E 00000000 00000000 0000 0002 00000001 00000002 00000099"},
    {"replace files",
     [](PacketSession* s) {
         QDXAReplaceFilesRequest r{1, kFiles, {7, 8, 9}};
         return make_ReplaceFiles(s, nullptr, &r);
     },
     "CDCA1004 0061 0001 0012 00000000 00000000 0000 0001 00000001 00000007 00000008 00000009"},
    {"change file box password",
     [](PacketSession* s) {
         QDXAChangeFileBoxPasswordRequest r{{1, 2, 3, 15}, 0};
         return make_ChangeFileBoxPassword(s, nullptr, &r);
     },
     "CDCA1004 0047 0001 0011 00000000 00000000 0000 00000001 00000002 00000003 0000000F 00"},
    {"acquire resource", [](PacketSession* s) { return make_AcquireResource(s, nullptr, 0xABCD); },
     "CDCA1004 0031 0001 0004 00000000 00000000 0000 0000ABCD"},
};

class Builders : public BoundSession {};

TEST_F(Builders, WriteTheExactBytesOfEveryOperation) {
    for (const BuilderCase& c : kCases) {
        SCOPED_TRACE(c.name);
        session->sequence = 1;
        const std::uint32_t length = c.build(session);
        EXPECT_EQ(sent(length), fromHex(c.expected));
        EXPECT_EQ(session->lastSequence, 1);
        EXPECT_EQ(session->sequence, 2);
    }
}

TEST_F(Builders, SequenceCounterRunsThroughEveryValueAndSendsZeroAsOne) {
    std::vector<std::uint16_t> seen;
    for (int request = 0; request < 65537; ++request) {
        make_echo(session, nullptr, nullptr);
        seen.push_back(session->lastSequence);
        ASSERT_NE(session->lastSequence, 0);
    }
    EXPECT_EQ(seen[0], 1);
    EXPECT_EQ(seen[65534], 65535);
    // After 65535 the counter is 0, sent as 1; then 1 again, then 2.
    EXPECT_EQ(seen[65535], 1);
    EXPECT_EQ(seen[65536], 1);
    make_echo(session, nullptr, nullptr);
    EXPECT_EQ(session->lastSequence, 2);
}

TEST_F(Builders, RefuseARequestLargerThanTheSendHandleWithoutTakingASequence) {
    const std::vector<std::uint8_t> big(kQDXASendSize - 20 + 1, 0x55);
    QDXAEchoRequest request{big.data(), static_cast<std::uint16_t>(big.size())};
    session->sequence = 9;
    EXPECT_EQ(make_echo(session, nullptr, &request), 0u);
    EXPECT_EQ(session->sequence, 9);
    request.length = static_cast<std::uint16_t>(big.size() - 1);
    EXPECT_EQ(make_echo(session, nullptr, &request), kQDXASendSize);
    EXPECT_EQ(session->sequence, 10);
}

}  // namespace
}  // namespace qdxa_test
