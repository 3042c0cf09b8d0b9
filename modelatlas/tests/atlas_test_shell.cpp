// The host-side shell of the model-information tests: a bundle that only needs to be loaded, so
// that the loaders find the ModelAtlas.bundle beside it.
extern "C" __attribute__((visibility("default"))) int atlasTestShellLoaded() {
    return 1;
}
