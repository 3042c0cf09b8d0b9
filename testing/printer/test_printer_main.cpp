// The test printer as a program: serves on a loopback address until SIGINT or SIGTERM, finishes
// the jobs already connected, then writes every job it received into a folder. Its control ports
// answer as an online, idle printer, so that a client's status checks let its jobs through, or
// with --offline as a stopped printer that cannot print, so that a client waits. With
// --client-job its job list holds one job, handle 1, sent under that client job number, as while
// the printer receives it, so that a client can find and cancel it.
//
//   strato_test_printer [--host X] [--raw-port N] [--out FOLDER] [--offline] [--client-job NAME]
//
// It prints its address ("127.0.0.X") on the first line of standard output once it serves.
#include <signal.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>

#include "printer/test_printer.h"
#include "qdxa_printer_hook.h"
#include "qdxa_responder.h"

namespace {

constexpr std::chrono::seconds kFinishTime{2};
constexpr std::uint32_t kListedJobHandle = 1;

void writeFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// job-N.data for every job; job-N.cf and job-N.lpr (the whole exchange) for LPR jobs.
void writeJobs(const std::filesystem::path& folder, const testsupport::TestPrinter& printer) {
    int number = 0;
    for (const testsupport::PrinterJob& job : printer.jobs()) {
        const std::string stem = "job-" + std::to_string(++number);
        writeFile(folder / (stem + ".data"), job.data);
        if (job.kind == testsupport::PrinterJob::Kind::kLpr) {
            writeFile(folder / (stem + ".cf"), job.controlFile);
            writeFile(folder / (stem + ".lpr"), job.transcript);
        }
    }
}

// cancelled-jobs: the handle of every job a client asked to cancel, one a line.
void writeCancels(const std::filesystem::path& folder, const qdxa_test::Responder& model) {
    std::ofstream file(folder / "cancelled-jobs");
    for (const std::uint32_t handle : qdxa_test::cancelRequests(model.requests)) {
        file << handle << "\n";
    }
}

int usage() {
    std::cerr << "usage: strato_test_printer [--host X] [--raw-port N] [--out FOLDER] "
                 "[--offline] [--client-job NAME]\n";
    return EXIT_FAILURE;
}

}  // namespace

int main(int argc, char** argv) {
    testsupport::TestPrinterOptions options;
    std::filesystem::path folder;
    bool offline = false;
    std::optional<std::string> clientJob;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--offline") {
            offline = true;
            continue;
        }
        if (i + 1 == argc) {
            return usage();
        }
        const char* value = argv[++i];
        if (option == "--host") {
            options.loopbackHost = std::atoi(value);
        } else if (option == "--raw-port") {
            options.rawPort = static_cast<std::uint16_t>(std::atoi(value));
        } else if (option == "--out") {
            folder = value;
        } else if (option == "--client-job") {
            clientJob = value;
        } else {
            return usage();
        }
    }

    // Block the stop signals before any thread starts, so that only sigwait sees them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    qdxa_test::Responder model;
    qdxa_test::setPrinterState(
        model, offline ? qdxa_test::PrinterState::Offline : qdxa_test::PrinterState::Idle);
    if (clientJob) {
        model.jobs.push_back(
            {kListedJobHandle,
             {{qdxa_test::kClientJobAttribute, qdxa_test::clientJobBlock(*clientJob)}}});
    }
    qdxa_test::PrinterHook hook(model);
    options.responder = hook.controlResponder();
    testsupport::TestPrinter printer(options);
    if (!printer.start()) {
        std::cerr << printer.error() << "\n";
        return EXIT_FAILURE;
    }
    std::cout << printer.address() << std::endl;
    int received = 0;
    sigwait(&stopSignals, &received);
    // Jobs already connected are finished first.
    printer.waitForIdle(kFinishTime);
    printer.stop();
    if (!folder.empty()) {
        writeJobs(folder, printer);
        writeCancels(folder, model);
    }
    return EXIT_SUCCESS;
}
