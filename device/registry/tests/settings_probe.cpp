// Prints the four intervals of the library's settings as this fresh process reads them:
// dequeue, pausing, wait-for-complete-task retry, lock retry.
#include <cstdio>

#include "registry/lib_settings.h"

int main() {
    const CLibSettings& settings = CLibSettings::sharedSettings();
    std::printf("%.17g %.17g %.17g %.17g\n", settings.dequeueInterval(), settings.pausingInterval(),
                settings.waitForCompleteTaskRetryInterval(), settings.tryLockInterval());
    return 0;
}
