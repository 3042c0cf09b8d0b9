// The library interface's process-wide state and its lazy set-up and tear-down.
//
// Nothing guards this state: a process calls the exported functions from one thread at a time.
// The registry is set up by the first open (or USB count) and torn down whenever no context is
// open any more.
#pragma once

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "registry/lib_shared_info.h"

class CLibAdminThread;

/// What this process holds for one USB printer it has open.
struct DeviceControlEntry {
    std::uint32_t portCount = 0;                   ///< this process's open contexts on it
    std::shared_ptr<CLibAdminThread> adminThread;  ///< while this process is the queue owner
};

struct LibState {
    std::unique_ptr<CLibSharedInfo> sharedInfo;  ///< the registry; null while torn down
    /// Whether the registry is set up, for the administration threads, which stop serving once
    /// the library has been torn down.
    std::atomic<bool> setUp{false};
    std::map<std::string, DeviceControlEntry> multiDeviceControlInfo;  ///< by device URI
    std::uint32_t openCount = 0;  ///< job and administration contexts open in this process
    bool appSandbox = false;      ///< set by the OnSandbox functions, never cleared
};

/// The state of this process.
LibState& LibProcessState();

/// Sets the library up when it is not: prepares the work directory (22003 when it cannot be
/// made) and creates the registry (10554 when it cannot be). 0 when set up.
std::uint32_t LocalSetUp();

/// Tears the library down when no context is open: releases the per-device entries and the
/// registry.
void LocalTearDownIfIdle();

/// Counts a context that has just opened.
void LocalContextOpened();

/// Uncounts a context that has just been released, tearing the library down after the last.
void LocalContextClosed();
