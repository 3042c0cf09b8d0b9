// An environment variable set for one scope; the earlier value comes back when it ends.
#pragma once

#include <stdlib.h>

#include <optional>
#include <string>

namespace testsupport {

class ScopedVariable {
  public:
    /// Sets `name` to `value`, or removes it when `value` is null.
    ScopedVariable(const char* name, const char* value) : name_(name) {
        if (const char* old = ::getenv(name)) {
            old_ = old;
        }
        value != nullptr ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    ~ScopedVariable() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

  private:
    const char* name_;
    std::optional<std::string> old_;
};

}  // namespace testsupport
