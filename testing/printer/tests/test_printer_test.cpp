// The test printer: its own loopback address, clear failures, and the program form.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include "printer/test_printer.h"
#include "support/temporary_folder.h"

namespace {

using namespace std::chrono_literals;

constexpr std::uint16_t kRawPort = 9102;

// A TCP connection to host:port that has sent `bytes`, or -1.
int connectAndSend(const std::string& host, std::uint16_t port, const std::string& bytes) {
    const int client = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    inet_pton(AF_INET, host.c_str(), &address.sin_addr);
    if (connect(client, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        send(client, bytes.data(), bytes.size(), MSG_NOSIGNAL) ==
            static_cast<ssize_t>(bytes.size())) {
        return client;
    }
    close(client);
    return -1;
}

// Sends `bytes` to host:port over TCP and closes.
bool sendRaw(const std::string& host, std::uint16_t port, const std::string& bytes) {
    const int client = connectAndSend(host, port, bytes);
    close(client);
    return client >= 0;
}

// Sends `bytes` to host:port over TCP, ends the sending side and returns what came back until
// the printer closed.
std::string exchangeRaw(const std::string& host, std::uint16_t port, const std::string& bytes) {
    const int client = connectAndSend(host, port, bytes);
    std::string answer;
    if (client >= 0 && shutdown(client, SHUT_WR) == 0) {
        pollfd wait{client, POLLIN, 0};
        char chunk[64];
        ssize_t received = 0;
        while (poll(&wait, 1, 5000) > 0 && (received = recv(client, chunk, sizeof chunk, 0)) > 0) {
            answer.append(chunk, static_cast<std::size_t>(received));
        }
    }
    close(client);
    return answer;
}

TEST(TestPrinter, EachPrinterGetsItsOwnLoopbackAddress) {
    testsupport::TestPrinter first;
    testsupport::TestPrinter second;
    ASSERT_TRUE(first.start()) << first.error();
    ASSERT_TRUE(second.start()) << second.error();
    EXPECT_NE(first.address(), second.address());
    EXPECT_EQ(first.address().rfind("127.0.0.", 0), 0u);
}

TEST(TestPrinter, TakenAddressFailsWithAMessage) {
    testsupport::TestPrinter first;
    ASSERT_TRUE(first.start()) << first.error();
    testsupport::TestPrinterOptions options;
    options.loopbackHost = std::stoi(first.address().substr(first.address().rfind('.') + 1));
    testsupport::TestPrinter second(options);
    EXPECT_FALSE(second.start());
    EXPECT_NE(second.error().find("cannot bind " + first.address() + ":515"), std::string::npos)
        << second.error();
}

// A control file announced with the largest count cannot arrive; the job records none.
TEST(TestPrinter, ControlFileThatCannotArriveIsNotRecorded) {
    testsupport::TestPrinter printer;
    ASSERT_TRUE(printer.start()) << printer.error();
    // The acknowledgements are read, so that the printer's writes all land.
    const std::string acknowledgements = exchangeRaw(printer.address(), 515,
                                                     "\x02Q\n\x02"
                                                     "18446744073709551615 cfA001h\n");
    EXPECT_EQ(acknowledgements.size(), 3u);
    ASSERT_TRUE(printer.waitForJobs(1, 5s));
    const testsupport::PrinterJob job = printer.jobs()[0];
    EXPECT_EQ(job.commands.size(), 2u);
    EXPECT_FALSE(job.controlFileTerminated);
    EXPECT_TRUE(job.controlFile.empty());
}

TEST(TestPrinter, ProgramServesUntilTerminatedThenWritesItsJobs) {
    testsupport::TemporaryFolder folder;
    int output[2];
    ASSERT_EQ(pipe(output), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        dup2(output[1], STDOUT_FILENO);
        execl(TEST_PRINTER_PROGRAM, TEST_PRINTER_PROGRAM, "--raw-port",
              std::to_string(kRawPort).c_str(), "--out", folder.path().c_str(),
              static_cast<char*>(nullptr));
        _exit(127);
    }
    close(output[1]);

    // The first line is the address, once the printer serves.
    std::string address;
    pollfd wait{output[0], POLLIN, 0};
    char c = 0;
    while (poll(&wait, 1, 5000) > 0 && read(output[0], &c, 1) == 1 && c != '\n') {
        address += c;
    }
    close(output[0]);
    const bool served = !address.empty() && sendRaw(address, kRawPort, "raw job bytes");

    kill(child, SIGTERM);
    int status = -1;
    for (int i = 0; i < 500 && waitpid(child, &status, WNOHANG) == 0; ++i) {
        std::this_thread::sleep_for(10ms);
    }
    if (!WIFEXITED(status)) {
        kill(child, SIGKILL);
        waitpid(child, &status, 0);
        FAIL() << "the program did not stop";
    }
    ASSERT_TRUE(served) << "address line: '" << address << "'";
    EXPECT_EQ(WEXITSTATUS(status), 0);
    std::ostringstream data;
    data << std::ifstream(folder / "job-1.data", std::ios::binary).rdbuf();
    EXPECT_EQ(data.str(), "raw job bytes");
}

}  // namespace
