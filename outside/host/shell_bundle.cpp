// The host-side shell bundle of the host stand-in: loaded by the host program so that the plug-in
// foundation finds the model-information bundle beside it.
extern "C" __attribute__((visibility("default"))) int stratolineHostShellLoaded() {
    return 1;
}
