// A job record and host information record as the print action and an image-editor host leave
// them for the set-up: a 120 × 80 RGB image at 300 ppi on the large-format model's glossy medium,
// from the installed SL7000 media database, printed over LPR, and a photo application's image
// calls that record what the set-up asks.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "cf/value.h"
#include "mediadb/media_database.h"
#include "rastercore/core_common_info_tbl.h"
#include "rastercore/photo_application_calls.h"
#include "record/job_context.h"
#include "setup/job_setup.h"
#include "util/memory.h"

namespace setuptest {

/// The print-common values of the large-format model.
inline ModelAtlasTbl largeFormatModel() {
    ModelAtlasTbl m{};
    m.PrinterSize = 1;
    m.SSC_Ink_RollWidth = 1;
    m.OutputColorSpace = 4;
    m.Tonara = 3;
    m.Medab = 2;
    m.OpenQDXA = 1;
    m.HDD = 1;
    m.JobPriority = 1;
    m.JobStartProcessing = 1;
    m.Unicode = 1;
    m.PanelMessageMaxNum = 2;
    m.Tray_Array_Priority = 5;
    m.MarkerColorantDryingType = 1;
    m.DPIType = 1;
    m.MarginSize = 3;
    m.CODEType = 1;
    m.Message_check_2byte = 1;
    m.MaxLineNum = 1;
    m.MediaMaxMin = 3;
    m.Borderless_RollWidth = 1;
    m.Tonara2Curve = 2;
    m.JobStart2 = 1;
    m.Copies = 1;
    m.GroupID = 1;
    m.CuttingType_MarkerColorantDryingType = 2;
    m.Optimize_Nup_OnePassPrint_DetailMediaInfo = 1;
    m.BorderlessPrint_RollWidth = 1;
    m.MediaCalibration = 1;
    m.VGM = 1;
    m.PathMode = 2;
    m.Impressions = 2;
    m.Graytone = 1;
    m.TNR2_T_RGB_Y = 1;
    m.IngammaTbl_bit = 1;
    m.h_mono_photo = 1;
    m.CreateTable = 2;
    m.DetailMedia_Paper_Thickness_set = 1;
    m.DetailMedia_Paper_Suction_set = 1;
    m.INKTYPE_ROLLWIDTH = 1;
    m.SINGLE_SSC = 1;
    m.PrintCentered = 1;
    m.PrintMode = 1;
    m.MonoCapColorProcessing = 1;
    return m;
}

/// The media database of the large-format model, as the record names it.
inline constexpr unsigned char kSl7000Database[] = "\016MDB_SL7000.mdb";
inline constexpr std::int32_t kGlossyMedium = 103;

/// One photo-application image call as the set-up or the tear-down made it.
struct HostCall {
    std::string name;
    std::vector<std::int64_t> values;
    bool operator==(const HostCall&) const = default;
};

class SetupJob {
  public:
    SetupJob() {
        host.imageMode = 3;
        host.imageWidth = 120;
        host.imageHeight = 80;
        host.bitsPerChannel = 8;
        host.horizontalResolution = host.verticalResolution = 300 << 16;
        host.documentName = &documentName;
        host.hostType = 1;
        host.hostReference = this;
        host.imageCountProc = reinterpret_cast<HostProc>(&SetupJob::imageCount);
        host.imageDescriptionProc = reinterpret_cast<HostProc>(&SetupJob::describe);
        host.openImageProc = reinterpret_cast<HostProc>(&SetupJob::open);
        host.allocateBufferProc = reinterpret_cast<HostProc>(&SetupJob::allocate);
        host.defineSourceRectProc = reinterpret_cast<HostProc>(&SetupJob::defineRect);
        host.turnImageProc = reinterpret_cast<HostProc>(&SetupJob::turn);
        host.freeBufferProc = reinterpret_cast<HostProc>(&SetupJob::freeBuffer);
        host.closeImageProc = reinterpret_cast<HostProc>(&SetupJob::close);

        table.commonInfo = &host;
        table.modelAtlas = largeFormatModel();
        std::memcpy(table.mediaDatabaseName, kSl7000Database, sizeof table.mediaDatabaseName);
        table.mediumID = kGlossyMedium;
        table.method = 1;
        table.resolution = 1;
        table.printMode = 2;
        table.colorMode = 1;
        table.matchingMethod = 1;
        table.copies = 1;
        table.inputResolution = 1;
        table.magnification = 100;
        table.printLayout = 1;
        table.rollLayout = 5;
        table.paperSizeID = 2;  // ISO_A4
        table.paperSource = 512;
        table.paperWidth = 2100;
        table.paperHeight = 2970;
        table.expandMethod = 2;
        table.calibration = 3;
        table.sscSetting = 2;
        table.conversionEngine = 1;
        table.sourceKind = 2;
        std::strcpy(table.connectionTypeName, "WQS_LPR");
        std::strcpy(table.printerPopUpName, "Studio printer 192.0.2.7");
        // The settings model's open database, which print modes 1, 2 and 4 print with.
        void* database = nullptr;
        EXPECT_EQ(OpenMediaDB_ForMXXXR(kSl7000Database, &database, 0), 1);
        table.mediaData = database;
        EXPECT_EQ(Get_MemoryClear(1, sizeof(PLGContext), kUnusedKind, &context), 0);
    }
    ~SetupJob() {
        terminate();
        CloseMediaDB(table.mediaData);
    }
    SetupJob(const SetupJob&) = delete;
    SetupJob& operator=(const SetupJob&) = delete;

    std::int32_t initialize() {
        CoreCommonInfoTbl* record = &table;
        return PLG_Initialize(nullptr, &record, context);
    }

    /// Tears the context down once; its result.
    std::int32_t terminate() {
        if (context == nullptr) {
            return 0;
        }
        const std::int32_t result = PLG_Terminate(context);
        context = nullptr;
        return result;
    }

    /// Makes the host the photo application, with a profile file for its lines.
    void photoApplication(const std::string& profileFile) {
        host.hostType = 2;
        host.files.sizes[0] = 120;
        host.files.sizes[1] = 80;
        profile = cf::Value(profileFile);
    }

    CommonInfoTable host{};
    CoreCommonInfoTbl table{};
    PLGContext* context = nullptr;
    cf::Value documentName{"photo.tif"};
    cf::Value profile;

    // The photo application's answers.
    std::vector<HostCall> calls;
    std::string refuse;              ///< the call that answers -43
    std::int32_t hostSharpness = 0;  ///< added to the job's sharpness on open
    std::int32_t answeredWidth = 120;
    std::vector<std::uint8_t> transfer;  ///< the transfer buffer handed out

  private:
    static SetupJob& self(void* reference) { return *static_cast<SetupJob*>(reference); }

    std::int32_t record(const std::string& name, std::vector<std::int64_t> values) {
        calls.push_back({name, std::move(values)});
        return name == refuse ? -43 : 0;
    }

    static std::int32_t imageCount(CommonInfoTable*, std::int32_t* count, void* reference) {
        *count = 2;
        return self(reference).record("count", {});
    }
    static std::int32_t describe(CommonInfoTable*, std::int32_t index,
                                 HostImageDescription* description, void* reference) {
        *description = {120, 80, 300 << 16, 8, 3};
        return self(reference).record("describe", {index});
    }
    static std::int32_t open(CommonInfoTable*, HostOpenImageRequest* request, void** image,
                             void* reference) {
        SetupJob& job = self(reference);
        const std::int32_t result =
            job.record("open", {request->requestVersion, request->sampleRequest});
        request->width = job.answeredWidth;
        request->height = 80;
        request->bytesPerSample = request->sampleRequest;
        request->sharpness = job.hostSharpness;
        request->profileFile = &job.profile;
        *image = result == 0 ? &job.image_ : nullptr;
        return result;
    }
    static std::int32_t allocate(CommonInfoTable*, std::uint32_t size, void** buffer,
                                 void* reference) {
        SetupJob& job = self(reference);
        job.transfer.assign(size, 0);
        *buffer = job.transfer.data();
        return job.record("allocate", {size});
    }
    static std::int32_t defineRect(CommonInfoTable*, void*, std::int32_t left, std::int32_t top,
                                   std::int32_t width, std::int32_t height, void* reference) {
        return self(reference).record("define", {left, top, width, height});
    }
    static std::int32_t turn(CommonInfoTable*, void*, std::int32_t value, void* reference) {
        return self(reference).record("turn", {value});
    }
    static std::int32_t freeBuffer(CommonInfoTable*, void* buffer, void* reference) {
        SetupJob& job = self(reference);
        return job.record("free", {buffer == job.transfer.data() ? 1 : 0});
    }
    static std::int32_t close(CommonInfoTable*, void* image, void* reference) {
        SetupJob& job = self(reference);
        return job.record("close", {image == &job.image_ ? 1 : 0});
    }

    char image_ = 0;
};

}  // namespace setuptest
