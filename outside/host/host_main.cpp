// stratoline-host: plays the image-editing host (or the photo application) that prints one image
// file through the print core.
//
//   stratoline-host [options] IMAGE
//
// It loads the image, fills the host information record, has the plug-in's settings model fill
// the core job record from the model's defaults and the options, calls RasterCore_Process, shows
// the progress on the terminal (and, when there is a display, in the print plug-in's progress
// window) and ends with the message of the plug-in code: exit status 0 when the print went out, 1
// when it failed or was cancelled, 2 for bad usage or an image it cannot serve. SIGINT and SIGTERM
// cancel the print as the progress window's cancel button would.
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

#include "host_options.h"
#include "host_print.h"
#include "host_progress.h"
#include "host_shell.h"
#include "host_shell_bundle.h"
#include "host_window.h"
#include "job_record.h"
#include "rastercore/result_codes.h"

namespace {

using namespace host;

constexpr int kExitPrinted = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

}  // namespace

int main(int argc, char** argv) {
    // A file-size limit fails the write that crosses it, which the print reports, instead of
    // ending the program without a word.
    std::signal(SIGXFSZ, SIG_IGN);
    std::string error;
    const std::optional<HostOptions> options = parseOptions(argc, argv, &error);
    if (!options) {
        std::cerr << "stratoline-host: " << error << "\n" << usageText();
        return kExitUsage;
    }
    std::optional<Image> image = readImage(options->image, &error);
    if (!image) {
        std::cerr << "stratoline-host: " << options->image << ": " << error << "\n";
        return kExitUsage;
    }
    const std::string name = std::filesystem::path(options->image).filename().string();
    const std::unique_ptr<HostShell> shell =
        HostShell::create(std::move(*image), options->hostType, name, &error);
    if (shell == nullptr) {
        std::cerr << "stratoline-host: " << options->image << ": " << error << "\n";
        return kExitUsage;
    }
    const ShellBundle bundle;
    if (!bundle.ready()) {
        std::cerr << "stratoline-host: " << kShellBundle << " is missing beside the program\n";
        return kExitUsage;
    }
    const std::unique_ptr<JobRecord> job = JobRecord::fill(options->job, shell->table(), &error);
    if (job == nullptr) {
        std::cerr << "stratoline-host: " << error << "\n";
        return kExitUsage;
    }
    const std::unique_ptr<PrintWindow> window = PrintWindow::open();
    if (options->describe) {
        const CoreCommonInfoTbl& r = *job->record();
        std::cout << "model " << job->printerTypeID() << "\nmedium " << job->mediumID()
                  << "\nprinter profile " << job->printerProfile() << "\nsource kind "
                  << r.sourceKind << "\nprogress window " << (window ? "shown" : "none")
                  << std::endl;
    }

    catchInterrupts();
    ProgressDisplay display(std::cout, options->cancelAtPercent, options->quiet);
    const std::uint32_t result = window != nullptr
                                     ? window->print(options->hostType, *job->record(), display)
                                     : runPrint(options->hostType, *job->record(), display);
    display.finish();
    std::cout << resultMessage(result) << std::endl;
    return result == rastercore::kPlgSuccess ? kExitPrinted : kExitFailed;
}
