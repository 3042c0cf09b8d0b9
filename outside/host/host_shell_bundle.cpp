// The host-side shell bundle beside the running program.
#include "host_shell_bundle.h"

#include <filesystem>

#include "loaders/interface_bundle_id.h"

namespace host {

namespace {

constexpr char kShellLoadedSymbol[] = "stratolineHostShellLoaded";

}  // namespace

ShellBundle::ShellBundle() {
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe");
    bundle_ = cf::Bundle::open(self.parent_path() / kShellBundle);
    if (bundle_ != nullptr && bundle_->symbol(kShellLoadedSymbol) != nullptr) {
        SetInterfaceBundleID(bundle_->identifier().c_str());
        named_ = true;
    }
}

ShellBundle::~ShellBundle() {
    if (named_) {
        DeleteInterfaceBundleIDFile(bundle_->identifier().c_str());
    }
}

}  // namespace host
