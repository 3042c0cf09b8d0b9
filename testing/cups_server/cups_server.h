// A private CUPS scheduler (cupsd) for one test: it keeps its configuration, state and logs in a
// temporary folder, listens on a socket in that folder and on a free port of 127.0.0.1, and knows
// the queues it was started with. While it runs, the process's libcups talks to it.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "support/temporary_folder.h"

namespace testsupport {

/// One queue of the server: its name, device URI and PPD file (none for a raw queue).
struct CupsQueue {
    std::string name;
    std::string deviceUri;
    std::optional<std::filesystem::path> ppd;
};

class CupsServer {
  public:
    /// The scheduler program the server runs.
    static constexpr const char* kCupsd = "/usr/sbin/cupsd";

    /// Whether the scheduler is installed; tests that need it skip with a message otherwise.
    static bool installed();

    /// Writes the configuration with `queues` and starts the scheduler; `running()` tells
    /// whether it came up, `failure()` why not.
    explicit CupsServer(const std::vector<CupsQueue>& queues);
    /// Stops the scheduler (by its process id) and points libcups back at the default server.
    ~CupsServer();
    CupsServer(const CupsServer&) = delete;
    CupsServer& operator=(const CupsServer&) = delete;

    bool running() const { return pid_ > 0; }
    /// What went wrong when the server is not running, with the end of its error log.
    const std::string& failure() const { return failure_; }
    std::filesystem::path socket() const { return folder_ / "cups.sock"; }
    int port() const { return port_; }

  private:
    bool start();
    void stop();
    void writeConfiguration(const std::vector<CupsQueue>& queues) const;

    TemporaryFolder folder_;
    pid_t pid_ = -1;
    int port_ = 0;
    std::string failure_;
};

}  // namespace testsupport
