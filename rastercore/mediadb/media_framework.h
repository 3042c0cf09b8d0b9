// The media database framework as the core binds it: its bundle in the driver's frameworks
// folder, opened for one operation, and its functions looked up by name.
#pragma once

#include <filesystem>
#include <memory>

#include "cf/bundle.h"

/// The driver's frameworks folder: Orvane/TARN/Frameworks under the driver root.
std::filesystem::path driverFrameworksFolder();

class MediaFramework {
  public:
    /// Opens the framework bundle "medab2.framework" of the driver's frameworks folder.
    MediaFramework();

    /// The exported function `name` with the type of `Function`, or null when the framework or
    /// the function is missing.
    template <typename Function>
    Function* bind(const char* name) const {
        return bundle_ ? reinterpret_cast<Function*>(bundle_->symbol(name)) : nullptr;
    }

  private:
    std::unique_ptr<cf::Bundle> bundle_;
};
