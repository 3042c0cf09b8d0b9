// Points the model-information loaders at a host folder of the tests: loads the host-side shell
// bundle of that folder and writes its identifier into an identifier file in a temporary folder,
// so that the loaders find the ModelAtlas.bundle beside the shell. For programs that link the
// plug-in foundation library.
#pragma once

#include <filesystem>
#include <memory>

#include "cf/bundle.h"
#include "loaders/interface_bundle_id.h"
#include "support/scoped_variable.h"
#include "support/temporary_folder.h"

namespace testsupport {

class ModelAtlasHost {
  public:
    explicit ModelAtlasHost(const std::filesystem::path& shellFolder)
        : shell_(cf::Bundle::open(shellFolder)) {
        if (shell_ != nullptr && shell_->symbol("atlasTestShellLoaded") != nullptr)
            SetInterfaceBundleID(shell_->identifier().c_str());
    }

    /// True when the shell is loaded and named in the identifier file.
    bool ready() const { return shell_ != nullptr && GetInterfaceBundleID().has_value(); }

  private:
    TemporaryFolder folder_;
    ScopedVariable temporary_{"TMPDIR", folder_.path().c_str()};
    std::unique_ptr<cf::Bundle> shell_;
};

}  // namespace testsupport
