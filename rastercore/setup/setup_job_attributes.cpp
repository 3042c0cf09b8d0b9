// The job's names, owner and identifier, and the packet record's choices that the job packets
// and the transport take from the set-up.
#include <cstring>
#include <string_view>

#include "jobstart/job_identity.h"
#include "rastercore/common_info_table.h"
#include "record/job_context.h"
#include "setup/setup_rules.h"
#include "setup/setup_steps_internal.h"
#include "strings/job_strings.h"
#include "transport/transport_status.h"

namespace setup {

namespace {

using CountedName = unsigned char[kCountedStringBuffer];

std::string_view textOf(const CountedName& name) {
    return {reinterpret_cast<const char*>(name + 1), name[0]};
}

// The name of `kind` in the printer's encoding: cut to the model's limit, then converted.
void transferName(const CountedName& source, const ModelAtlasTbl& model, std::int16_t kind,
                  char* destination, std::uint16_t* length) {
    CountedName name;
    std::memcpy(name, source, sizeof name);
    PLG_CheckStringMaxBytes_Mac(name, &model, kind);
    PLGTransferString_Mac(name, destination, length, &model, kind);
}

// The document name: cut to the model's limit, emptied when the model takes single-byte text
// only and it holds more, then converted.
void transferDocumentName(const CountedName& source, const ModelAtlasTbl& model,
                          QDXA_Info& packet) {
    CountedName name;
    std::memcpy(name, source, sizeof name);
    PLG_CheckStringMaxBytes_Mac(name, &model, kTransferPanelName);
    char text[kCountedStringBuffer] = {};
    std::memcpy(text, name + 1, name[0]);
    PLG_CheckStringBytes_Mac(text, &model);
    name[0] = static_cast<unsigned char>(std::strlen(text));
    PLGTransferString_Mac(name, packet.panelMessageText, &packet.panelMessageUnicodeBytes, &model,
                          kTransferPanelName);
}

}  // namespace

void setJobAttributes(PLGContext& context, const CoreCommonInfoTbl& table) {
    QDXA_Info& packet = *context.qdxaInfo;
    const ModelAtlasTbl& model = context.modelTable;
    packet.spool = context.backgroundPrint;

    CountedName name;
    std::memcpy(name, context.hostImage->imageName, sizeof name);
    if (context.patternPrint != 0) {
        PLG_ChengePatternPrintName(name);
    }
    transferName(name, model, kTransferJobName, packet.jobNameText, &packet.jobNameUnicodeBytes);
    transferDocumentName(name, model, packet);
    // A user without a name the printer can show is sent without an owner.
    PLG_Make_Owner(&packet);
    PLG_Make_ClientJobID(&packet);
    if (context.backgroundPrint != 0) {
        CountedName spoolName;
        std::memcpy(spoolName, name, sizeof spoolName);
        PLG_CheckStringMaxBytes_Mac(spoolName, &model, kTransferJobName);
        copyCut(packet.spoolDocumentName, sizeof packet.spoolDocumentName, textOf(spoolName),
                kNameMaxBytes);
    }

    packet.paperSource = static_cast<std::uint16_t>(table.paperSource);
    packet.printMethod = table.method;
    packet.copies = context.copies;
    packet.languageCode = PLG_GetLanguageCode_Mac();
    packet.lastCancelPoll = secondsSinceReferenceDate();
    packet.cancelByte = &context.jobRecord->cancelRequest;
    packet.hostType = table.commonInfo->hostType;
}

}  // namespace setup
