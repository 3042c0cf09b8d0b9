// The host-side shell of the loader tests: a bundle that only needs to be loaded.
extern "C" __attribute__((visibility("default"))) int testHostShellLoaded() {
    return 1;
}
