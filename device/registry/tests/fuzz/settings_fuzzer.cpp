// Settings.plist, which an administrator or another program may have written: whatever it holds,
// every interval stays a number of seconds that can be slept.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <fstream>

#include "registry/lib_settings.h"
#include "support/fuzz_check.h"
#include "support/temporary_folder.h"

namespace {

bool sleepable(double seconds) {
    return std::isfinite(seconds) && seconds >= 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const testsupport::TemporaryFolder folder;
    const auto file = folder / "Settings.plist";
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

    CLibSettings& settings = CLibSettings::sharedSettings();
    settings.setDequeueInterval(CLibSettings::kDefaultInterval);
    settings.setPausingInterval(CLibSettings::kDefaultInterval);
    settings.setWaitForCompleteTaskRetryInterval(CLibSettings::kDefaultInterval);
    settings.setTryLockInterval(CLibSettings::kDefaultInterval);
    settings.loadSettings(file);
    testsupport::fuzzRequire(sleepable(settings.dequeueInterval()), "dequeue interval");
    testsupport::fuzzRequire(sleepable(settings.pausingInterval()), "pausing interval");
    testsupport::fuzzRequire(sleepable(settings.waitForCompleteTaskRetryInterval()),
                             "complete-list interval");
    testsupport::fuzzRequire(sleepable(settings.tryLockInterval()), "lock retry interval");
    return 0;
}
