// The host-side shell bundle beside the running program, named in the identifier file so that the
// plug-in foundation finds the model-information bundle beside it.
#pragma once

#include <memory>

#include "cf/bundle.h"

namespace host {

/// The shell bundle's file name beside the program.
inline constexpr char kShellBundle[] = "StratolineHost.bundle";

class ShellBundle {
  public:
    /// Opens the shell bundle beside the running program and names it in the identifier file.
    ShellBundle();
    /// Removes the identifier file it wrote.
    ~ShellBundle();
    ShellBundle(const ShellBundle&) = delete;
    ShellBundle& operator=(const ShellBundle&) = delete;

    /// True when the bundle was found and named.
    bool ready() const { return named_; }

  private:
    std::unique_ptr<cf::Bundle> bundle_;
    bool named_ = false;
};

}  // namespace host
