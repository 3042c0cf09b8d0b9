// The job sender's records and how processes reach it: the byte layouts of the event values,
// the job list reply read back, texts cut to their fields, the socket of a spool folder, and the
// program started or not.
#include <gtest/gtest.h>

#include <cstring>

#include "app/app_resources.h"
#include "cf/folders.h"
#include "protocol/job_sender_client.h"
#include "protocol/job_sender_events.h"
#include "support/scoped_variable.h"
#include "support/temporary_folder.h"

namespace {

using namespace jobsender;
using Bytes = std::vector<std::uint8_t>;

Bytes directObject(const events::Event& event, events::FourCharCode type) {
    const auto value = event.parameter(events::kKeyDirectObject, type);
    return value ? Bytes(value->begin(), value->end()) : Bytes{};
}

TEST(JobSenderRecords, EventValuesAreBigEndianExceptTheLaunchFlags) {
    EXPECT_EQ(directObject(newJobEvent(0x01020304), kTypeNewJob), (Bytes{1, 2, 3, 4}));
    EXPECT_EQ(directObject(jobEndEvent(7, true), kTypeJobEnd), (Bytes{0, 0, 0, 7, 1, 0, 0, 0}));
    EXPECT_EQ(directObject(deleteJobEvent(258), kTypeDeleteJob), (Bytes{0, 0, 1, 2}));
    const std::int32_t flags = 3;
    Bytes host(4);
    std::memcpy(host.data(), &flags, 4);
    EXPECT_EQ(directObject(openApplicationEvent(3), events::kTypeLong), host);
    EXPECT_TRUE(openApplicationEvent(std::nullopt).parameters.empty());
    EXPECT_TRUE(getInfoEvent().wantsReply);
    EXPECT_EQ(quitEvent().eventClass, events::kClassCore);

    EXPECT_EQ(readJobId(Bytes{0, 0, 1, 2}), 258u);
    EXPECT_FALSE(readJobId(Bytes{0, 0, 1}));
    EXPECT_EQ(readJobEnd(Bytes{0, 0, 0, 9, 1, 0, 0, 0}), (std::pair<std::uint32_t, bool>{9, true}));
    EXPECT_EQ(readJobEnd(Bytes{0, 0, 0, 9, 2, 0, 0, 0}),
              (std::pair<std::uint32_t, bool>{9, false}));
    EXPECT_FALSE(readJobEnd(Bytes{0, 0, 0, 9}));
    EXPECT_EQ(readLong(host), 3);
}

TEST(JobSenderRecords, TheJobListReplyReadsBack) {
    JobListReply list;
    list.stopped = true;
    list.jobs.push_back({1, "one", "printer", 2, "comment", 3, 50});
    list.jobs.push_back({2, std::string(300, 'n'), "", 0, "", 0, -1});
    events::Event reply;
    putJobList(reply, list);
    const auto records = reply.attribute(events::kKeyDirectObject, kTypeJobData);
    ASSERT_TRUE(records);
    ASSERT_EQ(records->size(), 2 * sizeof(JobDataRecord));
    // Offsets of the first record: id, name, printer name, copies, comment, state, progress.
    EXPECT_EQ((*records)[3], 1);
    EXPECT_EQ((*records)[4], 'o');
    EXPECT_EQ((*records)[260], 'p');
    EXPECT_EQ((*records)[519], 2);
    EXPECT_EQ((*records)[520], 'c');
    EXPECT_EQ((*records)[779], 3);
    EXPECT_EQ((*records)[783], 50);
    EXPECT_EQ((*records)[784 + 4 + 255], 0);  // a long name keeps its terminator

    const auto read = readJobList(reply);
    ASSERT_TRUE(read);
    EXPECT_TRUE(read->stopped);
    ASSERT_EQ(read->jobs.size(), 2u);
    EXPECT_EQ(read->jobs[0].comment, "comment");
    EXPECT_EQ(read->jobs[1].jobName, std::string(255, 'n'));
    EXPECT_EQ(read->jobs[1].progress, -1);

    // Counts and records that disagree are no reply.
    events::Event cut = reply;
    cut.attributes[0].bytes.pop_back();
    EXPECT_FALSE(readJobList(cut));
    events::Event noRecords = reply;
    noRecords.attributes.clear();
    EXPECT_FALSE(readJobList(noRecords));
}

TEST(JobSenderRecords, TextFieldsAreCutToWholeCharactersAndZeroFilled) {
    struct Case {
        std::string text;
        std::size_t kept;
    };
    const std::string e = "\xC3\xA9";
    const std::string euro = "\xE2\x82\xAC";
    const Case cases[] = {
        {"", 0},          {"short", 5},      {std::string(7, 'x'), 7}, {std::string(8, 'x'), 7},
        {"xxxxx" + e, 7}, {"xxxxxx" + e, 6}, {"xxxx" + euro, 7},       {"xxxxx" + euro, 5},
    };
    for (const Case& c : cases) {
        char field[8];
        std::memset(field, 'z', sizeof(field));
        fillTextField(field, sizeof(field), c.text);
        EXPECT_EQ(fieldText(field, sizeof(field)), c.text.substr(0, c.kept)) << c.text;
        for (std::size_t i = c.kept; i < sizeof(field); ++i) {
            EXPECT_EQ(field[i], '\0') << c.text << " at " << i;
        }
    }
    const char full[4] = {'a', 'b', 'c', 'd'};
    EXPECT_EQ(fieldText(full, sizeof(full)), "abcd");
}

TEST(JobSenderClient, EachSpoolFolderHasASocketOfItsOwn) {
    const testsupport::TemporaryFolder folder;
    const testsupport::ScopedVariable sockets(events::kSocketFolderVariable, folder.path().c_str());
    const auto a = jobSenderSocket("/var/spool/a");
    ASSERT_TRUE(a);
    EXPECT_EQ(a->parent_path(), folder.path());
    EXPECT_EQ(a->filename().string().size(),
              std::string("JobSenderAgent-0123456789abcdef.socket").size());
    EXPECT_EQ(jobSenderSocket("/var/spool/a/"), a);
    EXPECT_EQ(jobSenderSocket("/var/spool/./a"), a);
    EXPECT_NE(jobSenderSocket("/var/spool/b"), a);
}

TEST(JobSenderClient, TheProgramComesFromTheEnvironmentOrTheDriverRoot) {
    {
        const testsupport::ScopedVariable unset(kProgramVariable, nullptr);
        EXPECT_EQ(jobSenderProgram(), cf::Folders::driverRoot() / kProgramUnderDriverRoot);
    }
    {
        const testsupport::ScopedVariable none(kProgramVariable, "");
        EXPECT_FALSE(jobSenderProgram());
    }
    const testsupport::ScopedVariable named(kProgramVariable, "/opt/sender");
    EXPECT_EQ(jobSenderProgram(), std::filesystem::path("/opt/sender"));
}

TEST(JobSenderClient, NobodyListensWhenNoJobSenderCanBeStarted) {
    const testsupport::TemporaryFolder folder;
    const testsupport::ScopedVariable sockets(events::kSocketFolderVariable, folder.path().c_str());
    for (const char* program : {"", "/nonexistent/JobSenderAgent"}) {
        const testsupport::ScopedVariable named(kProgramVariable, program);
        EXPECT_EQ(sendToJobSender(folder.path(), stopEvent(), nullptr,
                                  std::chrono::milliseconds(100), true),
                  events::SendStatus::kNoListener)
            << program;
    }
}

TEST(JobSenderResources, PreferredLanguagesFromTheLocaleVariables) {
    struct Case {
        const char* language;
        const char* all;
        const char* messages;
        const char* lang;
        std::vector<std::string> languages;
    };
    const Case cases[] = {
        {"de:fr::en", "ja_JP", nullptr, nullptr, {"de", "fr", "en"}},
        {nullptr, "de_DE.UTF-8", "fr_FR", nullptr, {"de"}},
        {"", nullptr, "fr_FR@euro", "ja", {"fr"}},
        {nullptr, nullptr, nullptr, "ja.UTF-8", {"ja"}},
        {nullptr, nullptr, nullptr, nullptr, {}},
    };
    for (const Case& c : cases) {
        const testsupport::ScopedVariable language("LANGUAGE", c.language);
        const testsupport::ScopedVariable all("LC_ALL", c.all);
        const testsupport::ScopedVariable messages("LC_MESSAGES", c.messages);
        const testsupport::ScopedVariable lang("LANG", c.lang);
        EXPECT_EQ(preferredLanguages(), c.languages);
    }
}

}  // namespace
