// Process-wide state of the library interface.
#include "interface/lib_state.h"

#include "DovoCommonLib/ios_status.h"
#include "registry/work_directory.h"

LibState& LibProcessState() {
    static LibState state;
    return state;
}

std::uint32_t LocalSetUp() {
    LibState& state = LibProcessState();
    if (state.sharedInfo) {
        return kIOS_NoErr;
    }
    const std::string_view group = LibGroupName(state.appSandbox);
    if (const std::uint32_t status = device::WorkDirectoryPrepare(group, state.appSandbox);
        status != kIOS_NoErr) {
        return status;
    }
    state.sharedInfo = CLibSharedInfo::initWithGroupName(group, state.appSandbox);
    if (!state.sharedInfo) {
        return kIOS_ErrMemory;
    }
    state.multiDeviceControlInfo.clear();
    state.setUp = true;
    return kIOS_NoErr;
}

void LocalTearDownIfIdle() {
    LibState& state = LibProcessState();
    if (state.openCount != 0) {
        return;
    }
    state.setUp = false;
    state.multiDeviceControlInfo.clear();  // ends this process's administration threads
    state.sharedInfo.reset();
}

void LocalContextOpened() {
    ++LibProcessState().openCount;
}

void LocalContextClosed() {
    LibState& state = LibProcessState();
    if (state.openCount > 0) {
        --state.openCount;
    }
    LocalTearDownIfIdle();
}
