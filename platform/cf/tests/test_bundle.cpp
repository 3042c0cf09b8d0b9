// A small bundle library for the cf::Bundle tests.
#include "cf/notification_center.h"

#define EXPORTED extern "C" __attribute__((visibility("default")))

EXPORTED int cfTestBundleTwice(int value) {
    return 2 * value;
}

// Posts on the local centre from inside the bundle's own library.
EXPORTED void cfTestBundlePostLocal(const char* name) {
    cf::NotificationCenter::localCenter().post(name);
}
