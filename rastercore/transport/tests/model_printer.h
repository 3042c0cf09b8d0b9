// A test printer on its own loopback address whose QDXA printer model answers the device
// library's status and job-list requests, and a private environment for the device library
// (work folder, registry name), so that tests never meet a user's printers.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <memory>
#include <string>

#include "printer/test_printer.h"
#include "qdxa_model_printer.h"
#include "qdxa_responder.h"
#include "support/scoped_variable.h"
#include "support/temporary_folder.h"

namespace transporttest {

/// The device library's folders and registry name, the preferences and the spool folder,
/// private to one test; the spooling framework starts no job sender.
class DeviceEnvironment {
  public:
    DeviceEnvironment()
        : prefix_("TransportTest." + std::to_string(::getpid()) + "." +
                  std::to_string(counter()++)),
          caches_("STRATOLINE_CACHES", (folder_.path() / "caches").c_str()),
          home_("HOME", (folder_.path() / "home").c_str()),
          registry_("STRATOLINE_DOVO_SHM_PREFIX", prefix_.c_str()),
          preferences_("XDG_CONFIG_HOME", (folder_.path() / "preferences").c_str()),
          spool_("STRATOLINE_SPOOL", spoolRoot().c_str()),
          jobSender_("STRATOLINE_JOBSENDER", "") {}

    std::filesystem::path spoolRoot() const { return folder_.path() / "spool"; }

    const testsupport::TemporaryFolder& folder() const { return folder_; }

  private:
    static std::atomic<int>& counter() {
        static std::atomic<int> value{0};
        return value;
    }

    testsupport::TemporaryFolder folder_;
    std::string prefix_;
    testsupport::ScopedVariable caches_;
    testsupport::ScopedVariable home_;
    testsupport::ScopedVariable registry_;
    testsupport::ScopedVariable preferences_;
    testsupport::ScopedVariable spool_;
    testsupport::ScopedVariable jobSender_;  // spooled jobs start no job sender
};

/// The test printer with its printer model, online and idle.
using ModelPrinter = qdxa_test::ModelPrinter;

}  // namespace transporttest
