// A job ready for job start: a context with its command, colour and packet records as the job
// set-up leaves them, and recording doubles of the colour module that job start calls.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "command/tests/generator_fixture.h"
#include "jobstart/job_start_services.h"
#include "qdxa/tarn_qdxa.h"
#include "record/color_info.h"
#include "record/job_context.h"
#include "util/memory.h"

namespace jobstarttest {

/// One colour table that the recording colour module builds into block 0.
inline const std::vector<std::uint8_t> kColorTable(300, 0x5A);

class StartJob {
  public:
    StartJob() {
        PLGContext& c = context();
        c.modelTable.Medab = 2;
        c.bandLineWidth = 16;  // the generator's image width
        c.bitsPerPixel = 24;
        c.colorInfo = &color;
        c.cmdInfo = generator.info;
        color.context = &c;
        EXPECT_EQ(Get_MemoryClear(1, sizeof(QDXA_Info), kUnusedKind, &info), 0);
        c.qdxaInfo = info;
        info->copies = 1;
        std::strcpy(info->jobNameText, "photo.tif");
        std::strcpy(info->ownerText, "ann");
        std::strcpy(info->panelMessageText, "photo");
        std::strcpy(info->jobIdentifier, "host");
        services.colorInitialize = [this](Color_Info* record, void* database) {
            calls.push_back("colorInitialize");
            EXPECT_EQ(record, &color);
            EXPECT_EQ(database, context().mediaDatabase);
            return initializeResult;
        };
        services.colorOutputColorSpace = [this](Color_Info*, TARNColorSpace* space) {
            calls.push_back("colorOutputColorSpace");
            *space = outputSpace;
            return 0;
        };
        services.colorCreateTable = [this](Color_Info*, GeneralDataBlock* blocks) {
            calls.push_back("colorCreateTable");
            blocks[0] = {static_cast<std::uint32_t>(kColorTable.size()), kColorTable.data()};
            return 0;
        };
    }
    ~StartJob() {
        PLGContext& c = context();
        Dispose_MemoryClear(&c.commandBuffer, kUnusedKind);
        Dispose_MemoryClear(&c.colorOutputLine, kUnusedKind);
        tarn_QDXA_Terminate(info);
    }
    StartJob(const StartJob&) = delete;
    StartJob& operator=(const StartJob&) = delete;

    PLGContext& context() { return *generator.context; }
    ModelAtlasTbl& model() { return context().modelTable; }

    commandtest::GeneratorFixture generator;
    Color_Info color{};
    QDXA_Info* info = nullptr;
    /// What the recording colour module answers.
    std::int32_t initializeResult = 0;
    TARNColorSpace outputSpace{18, 3, {8, 8, 8}};
    std::vector<std::string> calls;
    JobStartServices services = jobStartServices().production();

  private:
    seam::ScopedOverride<JobStartServices> override_{jobStartServices(), services};
};

}  // namespace jobstarttest
