// A small bundle library for the cf::Bundle tests.
#define EXPORTED extern "C" __attribute__((visibility("default")))

EXPORTED int cfTestBundleTwice(int value) { return 2 * value; }
