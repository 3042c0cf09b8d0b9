// The user's language and country for one scope, through the locale environment.
#pragma once

#include "support/scoped_variable.h"

namespace profile_test {

class UserLocale {
  public:
    /// `locale` in the form "ja_US.UTF-8": language ja, country US.
    explicit UserLocale(const char* locale) : all_("LC_ALL", locale) {}

  private:
    testsupport::ScopedVariable language_{"LANGUAGE", nullptr};
    testsupport::ScopedVariable all_;
};

}  // namespace profile_test
