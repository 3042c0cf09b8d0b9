// The owner and the client job identifier of a job.
#include "jobstart/job_identity.h"

#include <gtest/gtest.h>

#include <pwd.h>
#include <unistd.h>
#include <algorithm>

#include <cstring>
#include <string>

#include "jobstart/job_start_services.h"
#include "record/job_context.h"

namespace {

TEST(ClientJobId, TheHostNameCutToFifteenBytes) {
    const struct {
        const char* host;
        const char* identifier;
    } cases[] = {
        {"studio-mac-1234", "studio-mac-1234"},   // 15 bytes: whole
        {"studio-mac-12345", "studio-mac-1234"},  // 16 bytes: its first 15
        {"a", "a"},
    };
    for (const auto& c : cases) {
        QDXA_Info info{};
        std::memset(info.jobIdentifier, 'x', sizeof info.jobIdentifier - 1);
        setClientJobID(&info, c.host);
        EXPECT_STREQ(info.jobIdentifier, c.identifier) << c.host;
    }
    QDXA_Info info{};
    std::strcpy(info.jobIdentifier, "kept");
    setClientJobID(&info, "");
    EXPECT_STREQ(info.jobIdentifier, "kept");

    char host[512] = {};
    ASSERT_EQ(::gethostname(host, sizeof host - 1), 0);
    PLG_Make_ClientJobID(&info);
    EXPECT_EQ(std::string(info.jobIdentifier), std::string(host).substr(0, 15));
}

// The conversion of the owner belongs to the job-text module; here it is recorded.
class RecordingTransfer {
  public:
    explicit RecordingTransfer(std::int32_t result) {
        services_.transferString = [this, result](const unsigned char* source, char* destination,
                                                  std::uint16_t* length, const ModelAtlasTbl* m,
                                                  std::int16_t kind) {
            given = std::string(reinterpret_cast<const char*>(source + 1), source[0]);
            model = m;
            textKind = kind;
            if (result == 0) {
                std::strcpy(destination, "OWNER");
                *length = 5;
            }
            return result;
        };
    }
    std::string given;
    const ModelAtlasTbl* model = nullptr;
    std::int16_t textKind = -1;

  private:
    JobStartServices services_ = jobStartServices().production();
    seam::ScopedOverride<JobStartServices> override_{jobStartServices(), services_};
};

std::string accountFullName() {
    const passwd* account = ::getpwuid(::getuid());
    const std::string comment = account->pw_gecos != nullptr ? account->pw_gecos : "";
    const std::string name = comment.substr(0, comment.find(','));
    return name.empty() ? account->pw_name : name;
}

TEST(Owner, TheUsersFullNameConvertedAsAnOwnerText) {
    PLGContext context{};
    QDXA_Info info{};
    info.context = &context;
    RecordingTransfer transfer(0);
    EXPECT_EQ(PLG_Make_Owner(&info), 0);
    EXPECT_EQ(transfer.given, accountFullName());
    EXPECT_EQ(transfer.model, &context.modelTable);
    EXPECT_EQ(transfer.textKind, kTextKindOwner);
    EXPECT_STREQ(info.ownerText, "OWNER");
    EXPECT_EQ(info.ownerUnicodeBytes, 5);
}

TEST(Owner, TheCoresOwnConversionGivesTheAccountNameInTheModelsEncoding) {
    PLGContext context{};
    QDXA_Info info{};
    info.context = &context;
    ASSERT_EQ(PLG_Make_Owner(&info), 0);
    const std::string name = accountFullName();
    if (std::any_of(name.begin(), name.end(), [](char c) { return (c & 0x80) != 0; })) {
        GTEST_SKIP() << "the account's name is not ASCII, so its encoded form differs";
    }
    EXPECT_EQ(std::string(info.ownerText), name);
    EXPECT_EQ(info.ownerUnicodeBytes, name.size());
}

TEST(Owner, AFailedConversionLeavesNoOwner) {
    QDXA_Info info{};
    std::strcpy(info.ownerText, "earlier");
    RecordingTransfer transfer(-1);
    EXPECT_EQ(PLG_Make_Owner(&info), -1);
    EXPECT_STREQ(info.ownerText, "");
    EXPECT_EQ(PLG_Make_Owner(nullptr), -1);
}

}  // namespace
