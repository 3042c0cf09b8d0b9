// The printer address of the job and the check of a Bonjour printer printed directly.
#include <algorithm>
#include <cstring>
#include <string>

#include "rastercore/result_codes.h"
#include "record/job_context.h"
#include "setup/setup_rules.h"
#include "setup/setup_steps_internal.h"
#include "transport/printer_address.h"

namespace setup {

namespace {

// The pop-up name field holds the name in its first half and the extra text in its second.
constexpr std::size_t kPopUpNameBytes = 256;

template <std::size_t Size>
std::string fieldText(const char (&field)[Size], std::size_t offset, std::size_t limit) {
    const char* start = field + offset;
    return std::string(start, strnlen(start, std::min(limit, Size - offset)));
}

}  // namespace

std::int32_t makePrinterAddress(PLGContext& context, const CoreCommonInfoTbl& table) {
    QDXA_Info& packet = *context.qdxaInfo;
    const std::string connection =
        fieldText(table.connectionTypeName, 0, sizeof table.connectionTypeName);
    const std::string popUp = fieldText(table.printerPopUpName, 0, kPopUpNameBytes);
    const std::string extra = fieldText(table.printerPopUpName, kPopUpNameBytes, kPopUpNameBytes);
    const std::string printer = printerNameOfPopUp(connection, popUp);
    if (PLG_Get_PrinterAddress(connection.c_str(), printer.c_str(), extra.c_str(),
                               &packet.printerAddress) != rastercore::kResultOk) {
        return rastercore::kResultJobNotOpened;
    }
    if (context.backgroundPrint != 0) {
        packet.spoolCopies = static_cast<std::uint16_t>(clamped(table.copies, 0, 0xFFFF));
        return rastercore::kResultOk;
    }
    if (connection == kConnectionRendezvous &&
        PLG_CheckPrinter_Rendezvous(packet.printerAddress) != rastercore::kResultOk) {
        return rastercore::kResultJobNotOpened;
    }
    return rastercore::kResultOk;
}

}  // namespace setup
