// The media-name locale of a bundle: the user's language chooses the table, a missing text leaves
// the buffer alone, a long text is cut on a character boundary.
#include "helpers/mdb_locale.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <optional>
#include <string>

#include "cf/property_list.h"
#include "support/scoped_variable.h"
#include "support/temporary_folder.h"

namespace {

namespace fs = std::filesystem;
using testsupport::ScopedVariable;

constexpr char kTwoByteCharacter[] = "\xC3\xA9";  // é

class MdbLocale : public testing::Test {
  protected:
    void SetUp() override {
        cf::Value info = cf::Value::emptyDictionary();
        info.set("CFBundleIdentifier", "com.stratoline.test.media");
        ASSERT_EQ(cf::writePropertyListFile(folder_ / "Info.plist", info), cf::PlistStatus::Ok);
        table("ja", "JPN");
        table("zh", "CHN");
        std::string longText;
        while (longText.size() < kMdbLocaleBytes + 40) {
            longText += kTwoByteCharacter;
        }
        table("fr", longText);
        table("en", std::nullopt);
        bundle_ = cf::Bundle::open(folder_.path());
        ASSERT_NE(bundle_, nullptr);
        std::memset(buffer_, '#', sizeof buffer_);
    }

    // The language's table, with or without the locale key.
    void table(const std::string& language, const std::optional<std::string>& locale) {
        cf::Value texts = cf::Value::emptyDictionary();
        texts.set("OTHER", "x");
        if (locale) {
            texts.set("STEXT_SET_MDB_LOCALE", *locale);
        }
        const fs::path folder = folder_ / "Resources" / (language + ".lproj");
        fs::create_directories(folder);
        ASSERT_EQ(cf::writePropertyListFile(folder / "Localizable.strings", texts),
                  cf::PlistStatus::Ok);
    }

    std::string localeFor(const char* language) {
        ScopedVariable languages("LANGUAGE", language);
        ScopedVariable all("LC_ALL", "C");
        GetLocaleCharforMDB(bundle_.get(), buffer_);
        return buffer_;
    }

    testsupport::TemporaryFolder folder_;
    std::unique_ptr<cf::Bundle> bundle_;
    char buffer_[kMdbLocaleBytes];
};

TEST_F(MdbLocale, TheUsersLanguageChoosesTheText) {
    EXPECT_EQ(localeFor("ja_JP"), "JPN");
    // A script variant falls back to its language alone.
    EXPECT_EQ(localeFor("zh-Hans-CN"), "CHN");
}

TEST_F(MdbLocale, NoTextLeavesTheBufferAlone) {
    std::strcpy(buffer_, "kept");
    EXPECT_EQ(localeFor("en_US"), "kept");  // the English table lacks the key
    GetLocaleCharforMDB(nullptr, buffer_);
    EXPECT_STREQ(buffer_, "kept");
    GetLocaleCharforMDB(bundle_.get(), nullptr);  // nothing to write into
}

TEST_F(MdbLocale, ALongTextIsCutOnACharacterBoundary) {
    const std::string text = localeFor("fr_FR");
    const std::size_t characters = (kMdbLocaleBytes - 1) / (sizeof kTwoByteCharacter - 1);
    EXPECT_EQ(text.size(), characters * (sizeof kTwoByteCharacter - 1));
    EXPECT_EQ(text.substr(text.size() - 2), kTwoByteCharacter);
}

}  // namespace
