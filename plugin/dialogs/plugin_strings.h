// The plug-in's interface texts: the default strings table of its bundle in the user's language.
#pragma once

#include <memory>

#include "cf/bundle.h"
#include "ui/strings.h"

namespace dialogs {

/// The plug-in bundle's identifier.
inline constexpr const char* kPlugInBundleIdentifier = "orvane.ZORVEX_common_V600_PS";

class PlugInStrings : public ui::Strings {
  public:
    /// Texts of `bundle` (none: every key shows as itself).
    explicit PlugInStrings(std::shared_ptr<const cf::Bundle> bundle) : bundle_(std::move(bundle)) {}
    std::string text(std::string_view key) const override;

  private:
    std::shared_ptr<const cf::Bundle> bundle_;
};

}  // namespace dialogs
