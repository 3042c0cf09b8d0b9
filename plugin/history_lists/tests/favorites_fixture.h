// What the favourites tests share: a settings model of a shipped printer with its media
// database, a strings bundle of the test's own, and five favourites to list and reorder.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "cf/property_list.h"
#include "helpers/kstat.h"
#include "history_lists/favorite_array_controller.h"
#include "model_test_support.h"
#include "support/temporary_folder.h"

namespace history_lists_test {

using Strings = std::vector<std::string>;

/// The text of "STEXT_PRESET_DEFAULT" in the test's strings.
inline constexpr char kDefaultName[] = "Standard settings";
inline constexpr int kFavorites = 5;

class Favorites {
  public:
    Favorites() {
        cf::Value info = cf::Value::emptyDictionary();
        info.set("CFBundleIdentifier", "com.stratoline.test.favorites");
        cf::writePropertyListFile(strings_ / "Info.plist", info);
        cf::Value texts = cf::Value::emptyDictionary();
        texts.set("STEXT_PRESET_DEFAULT", kDefaultName);
        texts.set("STEXT_SET_MDB_LOCALE", "en");
        std::filesystem::create_directories(strings_ / "Resources/en.lproj");
        cf::writePropertyListFile(strings_ / "Resources/en.lproj/Localizable.strings", texts);
        bundle_ = cf::Bundle::open(strings_.path());
        model_ = modeltest::modelFor(modeltest::kShippedModels[0], env_);
    }

    /// Whether the model has its media database and the strings their bundle.
    bool ready() const {
        return env_.ready() && bundle_ != nullptr && model_->getMediaData() != nullptr;
    }
    modeltest::Model& model() { return *model_; }

    /// Gives the model favourites named "0" … "4" on the printer's default medium; the first is
    /// the default one.
    void give() {
        auto list = std::make_unique<PrintJobs>();
        for (int i = 0; i < kFavorites; ++i) {
            SetDataList entry;
            entry.NameString = std::to_string(i);
            entry.FileNameString = "image" + std::to_string(i) + ".tif";
            entry.DateString = "2024/03/05 14:07";
            entry.ColorSetString = "C:0 M:0 Y:0";
            entry.PrinterNameString = "SL-7440 Studio";
            entry.CommentString = "comment " + std::to_string(i);
            entry.listNumber = i + 1;
            entry.DefaultFlg = i == 0 ? 1 : 0;
            entry.settings.emplace();
            entry.settings->MediaType = model_->getDefaultMediumID();
            list->entries.push_back(entry);
        }
        model_->setFavoriteData(std::move(list));
    }

    /// Fills the controller from the model, as the history dialog does.
    void fill(kFavoriteArrayController& controller) {
        controller.makeFavoriteListData(bundle_.get(), kStat::Get_RegionCode(), model_.get());
    }

    /// The model's favourites by the names the table shows, in order.
    Strings modelNames() const {
        Strings names;
        for (const SetDataList& entry : model_->getFavoriteData()->entries) {
            names.push_back(entry.DefaultFlg != 0 ? kDefaultName : entry.NameString.value_or(""));
        }
        return names;
    }

  private:
    modeltest::ModelEnvironment env_;
    testsupport::TemporaryFolder strings_;
    std::unique_ptr<cf::Bundle> bundle_;
    std::unique_ptr<modeltest::Model> model_;
};

}  // namespace history_lists_test
