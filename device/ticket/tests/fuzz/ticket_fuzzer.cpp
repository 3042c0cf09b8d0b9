// Serialised tickets from the ticket folders: parse, read every attribute through each getter,
// and serialise again; a ticket that parsed must serialise and parse back.
#include <array>
#include <cstddef>
#include <cstdint>

#include "support/fuzz_check.h"
#include "support/fuzz_same_value.h"
#include "ticket/ticket_library.h"

namespace {

constexpr std::uint32_t kBufferSize = 64;

// Every getter on one key of the ticket, and the class getters with the key as class.
void readAttribute(const TktLibTicket* ticket, const char* key) {
    std::array<char, kBufferSize> text{};
    std::int32_t integer = 0;
    std::uint32_t boolean = 0;
    const cf::Value* value = nullptr;
    const TktLibTicket* nested = nullptr;
    TktLibGetCString(ticket, key, text.data(), kBufferSize);
    TktLibGetSInt32(ticket, key, &integer);
    TktLibGetBoolean(ticket, key, &boolean);
    TktLibGetCFData(ticket, key, &value);
    TktLibGetCFArray(ticket, key, &value);
    if (TktLibGetTicket(ticket, key, &nested) == kTktLibNoErr) {
        TktLibGet2ClassCString(ticket, key, key, text.data(), kBufferSize);
        TktLibGet2ClassSInt32(ticket, key, key, &integer);
        TktLibGet2ClassBoolean(ticket, key, key, &boolean);
        TktLibGet2ClassCFData(ticket, key, key, &value);
        TktLibGet2ClassCFArray(ticket, key, key, &value);
    }
    testsupport::fuzzRequire(text.back() == '\0', "a string read stays inside its buffer");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const cf::Value serialised = cf::Value::data(data, size);
    TktLibTicket* ticket = nullptr;
    if (TktLibCreateTicketWithSerializedData(&serialised, &ticket) != kTktLibNoErr) {
        return 0;
    }
    for (const auto& [key, value] : *ticket->dictionary()) {
        readAttribute(ticket, key.c_str());
    }
    cf::Value again;
    testsupport::fuzzRequire(TktLibCreateSerializedDataWithTicket(ticket, &again) == kTktLibNoErr,
                             "a parsed ticket serialises");
    TktLibTicket* reparsed = nullptr;
    testsupport::fuzzRequire(
        TktLibCreateTicketWithSerializedData(&again, &reparsed) == kTktLibNoErr,
        "a serialised ticket parses");
    testsupport::fuzzRequire(testsupport::sameListValue(*ticket, *reparsed),
                             "a ticket survives serialisation");
    TktLibDisposeTicket(reparsed);
    TktLibDisposeTicket(ticket);
    return 0;
}
