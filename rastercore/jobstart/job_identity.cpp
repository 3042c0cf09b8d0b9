// The owner and the client job identifier of a job.
#include "jobstart/job_identity.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "jobstart/job_start_services.h"
#include "rastercore/result_codes.h"
#include "record/job_context.h"
#include "util/core_strings.h"

namespace {

constexpr std::size_t kHostNameBuffer = 512;
constexpr std::size_t kAccountBuffer = 16384;

/// The user's full name: the account comment up to its first comma, else the login name.
std::string fullUserName() {
    std::vector<char> buffer(kAccountBuffer);
    passwd account{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &account, buffer.data(), buffer.size(), &found) != 0 ||
        found == nullptr) {
        return {};
    }
    const std::string comment = account.pw_gecos != nullptr ? account.pw_gecos : "";
    const std::string name = comment.substr(0, comment.find(','));
    return !name.empty() || account.pw_name == nullptr ? name : account.pw_name;
}

}  // namespace

std::int32_t PLG_Make_Owner(QDXA_Info* info) {
    if (info == nullptr) {
        return rastercore::kResultFailure;
    }
    unsigned char counted[kPStringMax + 1] = {};
    myCToPStr(counted, fullUserName().c_str());
    char owner[kQdxaTextBuffer] = {};
    std::uint16_t length = 0;
    const ModelAtlasTbl* model = info->context != nullptr ? &info->context->modelTable : nullptr;
    const std::int32_t result =
        jobStartServices().current().transferString(counted, owner, &length, model, kTextKindOwner);
    std::memset(info->ownerText, 0, sizeof info->ownerText);
    info->ownerUnicodeBytes = 0;
    if (result != rastercore::kResultOk) {
        return result;
    }
    // A UTF-16 owner holds zero bytes: its byte count, not its first zero, gives its length.
    const std::size_t bytes = std::min<std::size_t>(length, kQdxaTextMax);
    std::memcpy(info->ownerText, owner, bytes);
    info->ownerUnicodeBytes = static_cast<std::uint16_t>(bytes);
    return rastercore::kResultOk;
}

void PLG_Make_ClientJobID(QDXA_Info* info) {
    char name[kHostNameBuffer] = {};
    if (::gethostname(name, sizeof name - 1) != 0) {
        name[0] = '\0';
    }
    setClientJobID(info, name);
}

void setClientJobID(QDXA_Info* info, const char* hostName) {
    if (info == nullptr || hostName == nullptr || hostName[0] == '\0') {
        return;
    }
    std::memset(info->jobIdentifier, 0, sizeof info->jobIdentifier);
    std::memcpy(info->jobIdentifier, hostName, strnlen(hostName, kClientJobIdMax));
}
