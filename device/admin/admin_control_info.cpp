// The control request: job controls, test prints, head cleaning and stored files, in a fixed
// order. Every action that runs puts its control result into the result ticket; a failing
// action does not end the request.
#include <algorithm>
#include <array>

#include "admin/admin_internal.h"
#include "admin/admin_requests.h"
#include "control/control_operations.h"
#include "core/core_error.h"
#include "query/query_marker.h"
#include "query/query_method.h"
#include "query/query_records.h"

namespace {

// The colour codes that a head cleaning may name; the printer's others are dropped.
constexpr std::array<std::uint8_t, 16> kCleanableColours = {1,  2,  3,  4,  7,  8,  9,  12,
                                                            13, 15, 16, 17, 18, 19, 21, 22};
constexpr std::uint32_t kMaxMarkerColours = 256;
constexpr std::uint8_t kTestPrintStart = 255;
constexpr std::uint8_t kTestPrintCancel = 1;
// A password change with three password values carries every flag.
constexpr std::size_t kPasswordChangeValues = 3;
constexpr std::uint32_t kPasswordChangeFlags = 15;

using Input = std::optional<std::int32_t>;
using ArrayInput = std::optional<std::vector<std::int32_t>>;

std::int32_t element(const ArrayInput& values, std::size_t index) {
    return values && values->size() > index ? (*values)[index] : 0;
}

class ControlRequest {
  public:
    ControlRequest(GlueSession* session, const TktLibTicket& request, TktLibTicket& result)
        : session_(session), request_(request), result_(result) {}

    std::uint32_t run() {
        return admin::firstFailure([&] { return jobAction("CancelJob", glue_qdxaCancelJob); },
                                   [&] { return byteAction("TestPrint", glue_qdxaTestPrint); },
                                   [&] { return byteAction("WVTTestPrint2", glue_qdxaTestPrint2); },
                                   [&] { return headCleaning(); }, [&] { return suspendedJob(); },
                                   [&] { return testPrint2Ex(); },
                                   [&] { return byteAction("TestPrintEx", glue_qdxaTestPrintEx); },
                                   [&] { return jobAction("Delete", glue_qdxaDelete); },
                                   [&] { return jobAction("PauseJob", glue_qdxaPauseJob); },
                                   [&] { return jobAction("ResumeJob", glue_qdxaResumeJob); },
                                   [&] { return jobAction("PromoteJob", glue_qdxaPromoteJob); },
                                   [&] { return storedFilePrint(); }, [&] { return deleteFiles(); },
                                   [&] { return replaceFiles(); },
                                   [&] { return changePassword(); });
    }

  private:
    /// The action's control result replaces the result array.
    std::uint32_t report(std::int32_t glueStatus) {
        const std::int32_t result = ConvertGlueErrToControlErr(glueStatus);
        return admin::setIntArray(result_, admin::kControlResultKey, std::span(&result, 1));
    }

    std::uint32_t input(std::string_view name, Input& value) {
        return admin::readInt(request_, name, value);
    }
    std::uint32_t arrayInput(std::string_view name, ArrayInput& values) {
        return admin::readIntArray(request_, name, values);
    }

    std::uint32_t jobAction(std::string_view name,
                            std::int32_t (*action)(GlueSession*, std::uint32_t)) {
        Input job;
        if (const std::uint32_t code = input(name, job); code != 0 || !job) {
            return code;
        }
        return report(action(session_, static_cast<std::uint32_t>(*job)));
    }

    std::uint32_t byteAction(std::string_view name,
                             std::int32_t (*action)(GlueSession*, std::uint8_t)) {
        Input value;
        if (const std::uint32_t code = input(name, value); code != 0 || !value) {
            return code;
        }
        return report(action(session_, static_cast<std::uint8_t>(*value)));
    }

    /// Cleans with the printer's colours that a cleaning may name, in the printer's order.
    std::uint32_t headCleaning() {
        Input number;
        if (const std::uint32_t code = input("HeadCleaningNumber", number); code != 0 || !number) {
            return code;
        }
        std::uint32_t first = 0;
        std::uint8_t markerName[kQueryShortStringSize] = {};
        std::uint8_t afterName = 0;
        std::uint8_t count = 0;
        std::array<std::uint8_t, kMaxMarkerColours> colours{};
        const std::int32_t status = glue_qdxaGetMarkerInfo(
            session_, &first, markerName, &afterName, &count, colours.data(), kMaxMarkerColours);
        if (status != 0) {
            return report(status);
        }
        std::array<std::uint8_t, kMaxMarkerColours> kept{};
        const auto end = std::copy_if(
            colours.begin(), colours.begin() + count, kept.begin(), [](std::uint8_t colour) {
                return std::find(kCleanableColours.begin(), kCleanableColours.end(), colour) !=
                       kCleanableColours.end();
            });
        const auto keptCount = static_cast<std::uint8_t>(end - kept.begin());
        return report(glue_qdxaHeadCleaning(session_, static_cast<std::uint8_t>(*number), keptCount,
                                            kept.data()));
    }

    std::uint32_t suspendedJob() {
        Input job;
        Input flag;
        if (const std::uint32_t code =
                admin::firstFailure([&] { return input("JobHandle", job); },
                                    [&] { return input("IndicateSuspendedJob", flag); });
            code != 0 || !job || !flag) {
            return code;
        }
        return report(glue_qdxaIndicateSuspendedJob(session_, static_cast<std::uint32_t>(*job),
                                                    static_cast<std::uint8_t>(*flag)));
    }

    /// A cancel wins over a start when both are asked for.
    std::uint32_t testPrint2Ex() {
        Input start;
        Input cancel;
        if (const std::uint32_t code =
                admin::firstFailure([&] { return input("WVTTestPrint2Ex", start); },
                                    [&] { return input("WVTTestPrint2ExCancel", cancel); });
            code != 0 || (!start && !cancel)) {
            return code;
        }
        auto type = static_cast<std::uint8_t>(cancel ? *cancel : *start);
        std::uint8_t progress = 0;
        std::uint8_t state = 0;
        return report(glue_qdxaWVTTestPrint2Ex(
            session_, &type, cancel ? kTestPrintCancel : kTestPrintStart, &progress, &state));
    }

    std::uint32_t storedFilePrint() {
        Input file;
        Input copies;
        if (const std::uint32_t code =
                admin::firstFailure([&] { return input("StoreJobPrint", file); },
                                    [&] { return input("SetCopies", copies); });
            code != 0 || !file || !copies) {
            return code;
        }
        return report(glue_qdxaExecuteFile2_setCopy(session_, static_cast<std::uint32_t>(*file),
                                                    static_cast<std::uint16_t>(*copies)));
    }

    /// The file numbers of an array input, at most as many as a count of 16 bits names.
    static std::vector<std::uint32_t> fileNumbers(const std::vector<std::int32_t>& values) {
        const std::size_t count = std::min<std::size_t>(values.size(), UINT16_MAX);
        return {values.begin(), values.begin() + static_cast<std::ptrdiff_t>(count)};
    }

    std::uint32_t deleteFiles() {
        ArrayInput files;
        ArrayInput passwords;
        if (const std::uint32_t code =
                admin::firstFailure([&] { return arrayInput("DeleteFiles", files); },
                                    [&] { return arrayInput("FileBoxPassword", passwords); });
            code != 0 || !files) {
            return code;
        }
        std::vector<std::uint32_t> numbers = fileNumbers(*files);
        auto count = static_cast<std::uint16_t>(numbers.size());
        return report(glue_qdxaDeleteFiles(session_, &count, numbers.data(),
                                           static_cast<std::uint32_t>(element(passwords, 0))));
    }

    std::uint32_t replaceFiles() {
        ArrayInput files;
        ArrayInput boxes;
        ArrayInput passwords;
        if (const std::uint32_t code =
                admin::firstFailure([&] { return arrayInput("ReplaceFiles", files); },
                                    [&] { return arrayInput("FileBoxHandle", boxes); },
                                    [&] { return arrayInput("FileBoxPassword", passwords); });
            code != 0 || !files || !boxes || boxes->empty()) {
            return code;
        }
        std::vector<std::uint32_t> numbers = fileNumbers(*files);
        auto count = static_cast<std::uint16_t>(numbers.size());
        return report(glue_qdxaReplaceFiles(session_, &count, numbers.data(),
                                            static_cast<std::uint32_t>(boxes->front()),
                                            static_cast<std::uint32_t>(element(passwords, 0)),
                                            static_cast<std::uint32_t>(element(passwords, 1))));
    }

    std::uint32_t changePassword() {
        Input box;
        ArrayInput passwords;
        if (const std::uint32_t code =
                admin::firstFailure([&] { return input("ChangeFileBoxPassword", box); },
                                    [&] { return arrayInput("FileBoxPassword", passwords); });
            code != 0 || !box) {
            return code;
        }
        const bool complete = passwords && passwords->size() >= kPasswordChangeValues;
        const auto value = [&](std::size_t index) {
            return complete ? static_cast<std::uint32_t>((*passwords)[index]) : 0u;
        };
        return report(glue_qdxaChangeFileBoxPassword(session_, static_cast<std::uint32_t>(*box),
                                                     value(0), value(1), value(2),
                                                     complete ? kPasswordChangeFlags : 0));
    }

    GlueSession* session_;
    const TktLibTicket& request_;
    TktLibTicket& result_;
};

}  // namespace

std::uint32_t AdminControlInfo(GlueSession* session, const TktLibTicket* request,
                               TktLibTicket* result) {
    if (session == nullptr || request == nullptr || result == nullptr) {
        return kCoreParamErr;
    }
    return ControlRequest(session, *request, *result).run();
}
