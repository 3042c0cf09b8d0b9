#include "cups_server.h"

#include <arpa/inet.h>
#include <cups/cups.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>

namespace testsupport {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr auto kStartTimeout = 15s;
constexpr auto kStopTimeout = 5s;
constexpr auto kPollStep = 20ms;
// A port taken by someone else between our probe and cupsd's bind makes cupsd exit; try anew.
constexpr int kStartAttempts = 3;
constexpr std::size_t kLogTail = 2000;

// A port of 127.0.0.1 that nothing listens on right now.
int freeLoopbackPort() {
    const int probe = ::socket(AF_INET, SOCK_STREAM, 0);
    if (probe < 0) {
        return 0;
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (::bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        ::getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
        port = ntohs(address.sin_port);
    }
    ::close(probe);
    return port;
}

bool acceptsConnections(const fs::path& socketPath) {
    const int client = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (client < 0) {
        return false;
    }
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, socketPath.c_str(), sizeof address.sun_path - 1);
    const bool connected =
        ::connect(client, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(client);
    return connected;
}

std::string tailOf(const fs::path& file) {
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    const std::string all = text.str();
    return all.size() > kLogTail ? all.substr(all.size() - kLogTail) : all;
}

}  // namespace

bool CupsServer::installed() {
    return ::access(kCupsd, X_OK) == 0;
}

CupsServer::CupsServer(const std::vector<CupsQueue>& queues) {
    if (!installed()) {
        failure_ = std::string(kCupsd) + " is not installed";
        return;
    }
    for (const char* folder : {"root/ppd", "bin", "cache", "state", "spool", "tmp", "log"}) {
        fs::create_directories(folder_ / folder);
    }
    writeConfiguration(queues);
    for (int attempt = 0; attempt < kStartAttempts && !start(); ++attempt) {
    }
    if (running()) {
        cupsSetServer(socket().c_str());
    }
}

CupsServer::~CupsServer() {
    if (running()) {
        cupsSetServer(nullptr);
        stop();
    }
}

void CupsServer::writeConfiguration(const std::vector<CupsQueue>& queues) const {
    const fs::path root = folder_ / "root";
    std::ofstream files(root / "cups-files.conf");
    files << "ServerRoot " << root.string() << "\n"
          << "ServerBin " << (folder_ / "bin").string() << "\n"
          << "CacheDir " << (folder_ / "cache").string() << "\n"
          << "StateDir " << (folder_ / "state").string() << "\n"
          << "RequestRoot " << (folder_ / "spool").string() << "\n"
          << "TempDir " << (folder_ / "tmp").string() << "\n"
          << "ErrorLog " << (folder_ / "log/error_log").string() << "\n"
          << "AccessLog " << (folder_ / "log/access_log").string() << "\n"
          << "PageLog " << (folder_ / "log/page_log").string() << "\n";

    // The queues are written as the scheduler's own saved state, so that device URIs it would
    // refuse from a client (an IPv6 literal in percent escapes) stand as the test gives them.
    std::ofstream printers(root / "printers.conf");
    for (const CupsQueue& queue : queues) {
        printers << "<Printer " << queue.name << ">\n"
                 << "DeviceURI " << queue.deviceUri << "\n"
                 << "State Idle\nAccepting Yes\n</Printer>\n";
        if (queue.ppd) {
            fs::copy_file(*queue.ppd, root / "ppd" / (queue.name + ".ppd"),
                          fs::copy_options::overwrite_existing);
        }
    }
}

bool CupsServer::start() {
    port_ = freeLoopbackPort();
    const fs::path root = folder_ / "root";
    {
        std::ofstream daemon(root / "cupsd.conf");
        daemon << "Listen " << socket().string() << "\n"
               << "Listen 127.0.0.1:" << port_ << "\n"
               << "LogLevel info\nBrowsing Off\nWebInterface No\nDefaultAuthType None\n"
               << "<Location />\nOrder allow,deny\nAllow all\n</Location>\n";
    }
    const std::string daemonConf = (root / "cupsd.conf").string();
    const std::string filesConf = (root / "cups-files.conf").string();
    const std::string output = (folder_ / "log/cupsd.out").string();
    const char* arguments[] = {kCupsd, "-f", "-c", daemonConf.c_str(), "-s", filesConf.c_str(),
                               nullptr};

    const pid_t child = ::fork();
    if (child == 0) {
        const int out = ::open(output.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
        if (out >= 0) {
            ::dup2(out, STDOUT_FILENO);
            ::dup2(out, STDERR_FILENO);
        }
        ::execv(kCupsd, const_cast<char* const*>(arguments));
        ::_exit(127);
    }
    if (child < 0) {
        failure_ = "fork failed";
        return false;
    }
    pid_ = child;
    for (auto waited = 0ms; waited < kStartTimeout; waited += kPollStep) {
        if (acceptsConnections(socket())) {
            return true;
        }
        int status = 0;
        if (::waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            break;
        }
        std::this_thread::sleep_for(kPollStep);
    }
    stop();
    failure_ = "cupsd did not start:\n" + tailOf(output) + tailOf(folder_ / "log/error_log");
    return false;
}

void CupsServer::stop() {
    if (pid_ <= 0) {
        return;
    }
    ::kill(pid_, SIGTERM);
    int status = 0;
    for (auto waited = 0ms; waited < kStopTimeout; waited += kPollStep) {
        if (::waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            return;
        }
        std::this_thread::sleep_for(kPollStep);
    }
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, &status, 0);
    pid_ = -1;
}

}  // namespace testsupport
