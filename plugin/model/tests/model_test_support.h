// What the settings model's tests share: a driver root with the real media databases and
// printer profiles, the shipped model-information bundle, Preferences and profile folders of
// the test's own, a fixed clock and models set up for a shipped printer.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "cf/bundle.h"
#include "common_data.h"
#include "loaders/model_atlas_loader.h"
#include "printer/printer_function.h"
#include "support/model_atlas_host.h"
#include "support/scoped_variable.h"
#include "support/temporary_folder.h"

namespace modeltest {

/// A shipped printer model: its name (which is also its short name) and identifier.
struct ShippedModel {
    const char* name;
    std::int32_t printerID;
};

inline constexpr ShippedModel kShippedModels[] = {
    {"SL-7440", 7440},
    {"SL-2400", 2400},
    {"SL-5170", 5170},
};

/// 14:07 on 5 March 2024.
inline ModelDate fixedDate() {
    return {2024, 3, 5, 14, 7};
}

/// The model's surroundings for one test: every folder it reads or writes is the test's own.
class ModelEnvironment {
  public:
    ModelEnvironment() {
        std::filesystem::create_directories(preferences());
        std::filesystem::create_directories(iccFolder());
    }

    bool ready() const { return atlas_.ready(); }
    std::filesystem::path preferences() const { return home_ / "Preferences"; }
    std::filesystem::path iccFolder() const { return home_ / "data/icc"; }
    std::filesystem::path folder() const { return home_.path(); }
    const cf::Bundle* strings() const { return strings_.get(); }

  private:
    testsupport::TemporaryFolder home_;
    testsupport::ScopedVariable preferencesVariable_{"XDG_CONFIG_HOME", preferences().c_str()};
    testsupport::ScopedVariable dataVariable_{"XDG_DATA_HOME", (home_ / "data").c_str()};
    testsupport::ScopedVariable homeVariable_{"HOME", home_.path().c_str()};
    testsupport::ScopedVariable root_{"STRATOLINE_ROOT", MODEL_DRIVER_ROOT};
    testsupport::ScopedVariable language_{"LANGUAGE", "en"};
    testsupport::ModelAtlasHost atlas_{ATLAS_SHIPPED_SHELL};
    std::unique_ptr<cf::Bundle> strings_ = cf::Bundle::open(MODEL_STRINGS_BUNDLE);
};

using Model = kCommonDataClass_ZORVEX_common_V600_PS;

/// The ink system under which the test databases show most of their media (the database
/// filter keeps the media whose ink bits meet the model's ink system).
inline constexpr std::int32_t kPhotoMediaInkSystem = 1;

/// A model for the shipped printer, as the dialog sets it up: identity, media database and
/// print-mode table, the fixed clock and the test's strings.
inline std::unique_ptr<Model> modelFor(const ShippedModel& shipped, const ModelEnvironment& env,
                                       std::int32_t inkSystem = kPhotoMediaInkSystem) {
    auto model = std::make_unique<Model>();
    model->setCurrent_inksys(inkSystem);
    model->setClock(fixedDate);
    model->setPlugInBundle(env.strings());
    model->setPrinterID(shipped.printerID);
    model->setPrinterShortName(shipped.name);
    model->setPrinterPopupName(std::string(shipped.name) + " 127.0.0.1");
    model->setConnectionTypeName("WQS_LPR");
    model->setConnectionTypeID(1);
    PrinterFunction* function = GetPrinterFunctionInfo(shipped.printerID);
    if (function != nullptr && function->MdbDBName) {
        model->setDBName(*function->MdbDBName);
    }
    TerminatePrinterFunctionInfo(function);
    model->openMdbDB(model->getDBName());
    model->createPrintModeTbl();
    return model;
}

}  // namespace modeltest
