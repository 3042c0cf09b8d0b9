// The LPR list builder: each printer the LPR search finds is asked for its model.
#include <memory>

#include "DovoCommonLib/ios_library.h"
#include "DovoCommonLib/ios_ticket.h"
#include "discovery/lpr_search.h"
#include "discovery/printer_list_builders.h"
#include "discovery/search_keys.h"
#include "discovery/search_status.h"

namespace {

constexpr const char* kComponentModelKey = "orvane.wqs.ComponentModel";
constexpr std::uint32_t kTicketTypeCString = 1;
// The model is read into this many bytes, its terminator included.
constexpr std::uint32_t kModelBufferSize = 256;

struct TicketDisposer {
    void operator()(void* ticket) const { IOS_TicketDispose(ticket); }
};
using Ticket = std::unique_ptr<void, TicketDisposer>;

Ticket newTicket() {
    void* ticket = nullptr;
    IOS_TicketCreate(&ticket);
    return Ticket(ticket);
}

// The model of the printer at `address`, asked through an administration session; nothing when
// the session or the question fails or no model comes back.
std::optional<std::string> modelOf(const std::string& address, void* request) {
    Ticket answer = newTicket();
    device::PrinterAddressRef printer =
        CLibPrinterAddress::initWithIOMName(kIomNameLPR, address.c_str(), nullptr, nullptr);
    void* admin = nullptr;
    if (!answer || !printer || IOS_AdminOpen(&admin, printer.get()) != kIOS_NoErr) {
        return std::nullopt;
    }
    const std::uint32_t asked = IOS_AdminGetInfo(admin, request, answer.get());
    IOS_AdminClose(admin);
    char model[kModelBufferSize] = {};
    if (asked != kIOS_NoErr ||
        IOS_TicketGetCString(answer.get(), kComponentModelKey, model, sizeof model) != kIOS_NoErr ||
        model[0] == '\0') {
        return std::nullopt;
    }
    return std::string(model);
}

}  // namespace

std::uint32_t LocalLPRPrinterListCreate(const IOS_LPRSearchContext& context,
                                        const std::vector<std::string>& searchKeys,
                                        PrinterList& list) {
    list.addresses.clear();
    cf::Value entries = cf::Value::emptyArray();
    if (const std::int32_t code = SearchLPRPrinterAddressList(context, entries);
        code != kSearchNoErr) {
        return LocalSearchErrorCodeToLibErrorCode(code);
    }
    Ticket request = newTicket();
    if (!request || IOS_TicketSetAttribute(request.get(), kComponentModelKey, kTicketTypeCString) !=
                        kIOS_NoErr) {
        return kIOS_ErrMemory;
    }
    for (cf::Value& entry : *entries.array()) {
        const auto number = device::Int32Value(entry.find(kEntryKeyPrinterAddress));
        if (!number) {
            continue;
        }
        const std::string address = device::DottedIPv4Address(static_cast<std::uint32_t>(*number));
        const auto model = modelOf(address, request.get());
        if (!model || !device::SearchKeysMatch(searchKeys, *model)) {
            continue;
        }
        entry.set(kAddressKeyName, *model + " (" + address + ")");
        if (device::PrinterAddressRef printer =
                CLibPrinterAddress::initWithIOMNameAddress(kIomNameLPR, entry)) {
            list.addresses.push_back(std::move(printer));
        }
    }
    return kIOS_NoErr;
}
