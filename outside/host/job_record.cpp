// The host stand-in's job record: the settings model set up as the plug-in's dialog sets it up,
// the command line's choices applied through the model, and the record filled by the model.
#include "job_record.h"

#include <filesystem>
#include <iterator>
#include <sstream>
#include <vector>

#include "loaders/media_db_loader.h"
#include "loaders/model_atlas_loader.h"
#include "paper/paper_source.h"
#include "pattern_sheet.h"
#include "printer/printer_function.h"
#include "printmode/print_mode_query.h"

namespace host {

namespace {

using Model = JobRecord::Model;

constexpr std::uint16_t kRollSources = 0x0F00;
constexpr std::uint16_t kSupportedSources = 1;
constexpr std::int16_t kFirstMedium = 1;  // media are counted from 1
constexpr std::int32_t kConnectionLpr = 1;
constexpr std::int32_t kFitToSize = 2;
// The ink system under which the media databases show the photo media; under the model's
// default one most of the shipped defaults' media would be hidden.
constexpr std::int32_t kPhotoMediaInkSystem = 1;
// Opened under no ink system, a database shows the media of every ink system.
constexpr std::int32_t kEveryInkSystem = 0;

// The model's identity for the printer of the command line, as the dialog gives it from the
// printer list: model id, connection, names and the model's media database.
bool setPrinter(Model& model, const JobChoices& choices, std::string* error) {
    std::int32_t printerID = 0;
    if (Load_GetEPrinterTypeID(choices.model.c_str(), &printerID) != 0) {
        *error = "the model-information bundle does not know the model " + choices.model;
        return false;
    }
    model.setPrinterID(printerID);
    model.setConnectionTypeID(kConnectionLpr);
    model.setConnectionTypeName(choices.connection);
    model.setPrinterPopupName(choices.model + " " + choices.printerAddress);
    model.setPrinterShortName(choices.model);
    PrinterFunction* function = GetPrinterFunctionInfo(printerID);
    if (function != nullptr && function->MdbDBName) {
        model.setDBName(*function->MdbDBName);
    }
    TerminatePrinterFunctionInfo(function);
    return true;
}

// The media database open under `inkSystem`, with its print-mode table.
bool openMedia(Model& model, std::int32_t inkSystem) {
    model.setCurrent_inksys(inkSystem);
    model.openMdbDB(model.getDBName());
    return model.getMediaData() != nullptr && model.createPrintModeTbl();
}

// The media database open under the ink system that shows the chosen medium, as the printer's
// ink would show it: the photo media's, else the medium's own. Without a chosen medium, or for
// one the database lacks, the photo media's.
bool openMediaShowing(Model& model, std::optional<std::int16_t> medium) {
    if (!openMedia(model, kPhotoMediaInkSystem)) {
        return false;
    }
    if (!medium || Load_mdb3GetInkSystem(model.getMediaData(), *medium) != 0) {
        return true;
    }
    if (!openMedia(model, kEveryInkSystem)) {
        return false;
    }
    const std::int32_t inkSystem = Load_mdb3GetInkSystem(model.getMediaData(), *medium);
    return openMedia(model, inkSystem != 0 ? inkSystem : kPhotoMediaInkSystem);
}

void applyChoices(Model& model, const JobChoices& choices) {
    if (choices.copies) {
        model.setCopies(*choices.copies);
    }
    if (choices.fitType) {
        model.setExpansionReduction(1);
        model.setFitType(*choices.fitType);
    }
    if (choices.magnification) {
        model.setExpansionReduction(1);
        model.setFitType(kFitToSize);
        model.setMagnification(*choices.magnification);
    }
    if (choices.layout) {
        model.setPrintLayout(*choices.layout);
    }
    if (choices.sharpness) {
        model.setSharpness(*choices.sharpness);
    }
    if (choices.expandMethod) {
        model.setExpandMethod(*choices.expandMethod);
    }
    if (choices.colorMode) {
        model.setColorMode(*choices.colorMode);
    }
    if (choices.borderless) {
        model.setNoFrame(1);
    }
    if (choices.background) {
        model.setBackgroundPrint(1);
    }
    if (choices.mirror) {
        model.setMirror(1);
    }
    if (choices.turned) {
        model.setPrintDirection(1);
    }
    if (!choices.caption.empty()) {
        // The caption is the text alone, whatever items the defaults would add to it.
        CaptionValues caption;
        caption.caption = 1;
        caption.jobComment = 1;
        caption.comment = choices.caption;
        caption.infoPosition = model.infoPosition();
        model.setCaptionAllValues(caption);
    }
}

// Sets the quality the model prints its medium with: the chosen (else the model's) input
// resolution and depth at the model's print mode when the print-mode table has them, else the
// table's default print mode for them; as the dialog does, a resolution or depth the command line
// did not choose falls back to one the medium supports, the finer first. The shipped defaults
// name qualities that some media lack.
bool choosePrintMode(Model& model, const JobChoices& choices) {
    constexpr std::int16_t kResolutionsFinestFirst[] = {2, 1};
    constexpr std::int16_t kBitsDeepestFirst[] = {2, 1, 0};
    std::vector<std::int16_t> resolutions{
        static_cast<std::int16_t>(choices.inputResolution.value_or(model.inputResolution()))};
    if (!choices.inputResolution) {
        resolutions.insert(resolutions.end(), std::begin(kResolutionsFinestFirst),
                           std::end(kResolutionsFinestFirst));
    }
    std::vector<std::int16_t> bits{
        static_cast<std::int16_t>(choices.inputBit.value_or(model.inputBit()))};
    if (!choices.inputBit) {
        bits.insert(bits.end(), std::begin(kBitsDeepestFirst), std::end(kBitsDeepestFirst));
    }
    const PrintModeTbl table = model.getPrintModeTblHdl();
    for (const std::int16_t resolutionCode : resolutions) {
        for (const std::int16_t bitCode : bits) {
            auto printMode = static_cast<std::int16_t>(model.printMode());
            std::int16_t method = 0;
            std::int16_t resolution = 0;
            std::int16_t halftone = 0;
            if (GetPrintMethodResIDHT(model.getMediaData(), table, model.mediumID(), resolutionCode,
                                      bitCode, printMode, &method, &resolution, &halftone) ||
                GetDefaultPrintMode(table, model.mediumID(), resolutionCode, bitCode, &printMode,
                                    &method, &resolution, &halftone)) {
                model.setInputResolution(static_cast<std::uint16_t>(resolutionCode));
                model.setInputBit(static_cast<std::uint16_t>(bitCode));
                model.setPrintMode(printMode);
                model.setMethodResolutionHT(method, resolution, halftone);
                return true;
            }
        }
    }
    return false;
}

}  // namespace

std::optional<std::int16_t> firstRollMedium(std::uint8_t* database) {
    const std::int16_t count = Load_mdb3MediumCount(database);
    for (std::int16_t index = kFirstMedium; index <= count; ++index) {
        std::int16_t medium = 0;
        if (Load_mdb3MediumID(database, index, &medium) != 0 &&
            (Load_mdb3PaperSource(database, medium, kSupportedSources) & kRollSources) != 0) {
            return medium;
        }
    }
    return std::nullopt;
}

JobRecord::~JobRecord() {
    model_.terminateCoreCommonTable(&record_);
}

std::string JobRecord::printerProfile() const {
    const std::optional<std::string> path = model_.outputProfilePath();
    return path ? std::filesystem::path(*path).filename().string() : std::string();
}

std::unique_ptr<JobRecord> JobRecord::fill(const JobChoices& choices, CommonInfoTable* host,
                                           std::string* error) {
    std::unique_ptr<JobRecord> job(new JobRecord);
    Model& model = job->model_;
    model.setCallApplicationType(host->hostType);
    if (!setPrinter(model, choices, error)) {
        return nullptr;
    }
    // As the dialog: the database open before the settings are loaded, then opened again for
    // the ink system the job prints with.
    if (!openMedia(model, model.current_inksys()) || model.loadUIDefaultToCommonData() != 0 ||
        !openMediaShowing(model, choices.medium)) {
        *error = "the model's default tables or its media database cannot be read";
        return nullptr;
    }
    applyChoices(model, choices);
    const std::optional<std::int16_t> medium =
        choices.medium ? choices.medium : firstRollMedium(model.getMediaData());
    model.setMediumID(medium.value_or(model.mediumID()));
    if (!choosePrintMode(model, choices)) {
        *error = "the medium " + std::to_string(model.mediumID()) +
                 " has no print mode for this resolution and depth";
        return nullptr;
    }
    model.getMediaICCProfile();
    model.setPaperSource(validatePaperSource(model.getMediaData(), model.mediumID(),
                                             static_cast<std::uint16_t>(model.paperSource())));

    const std::uint32_t result = model.setCoreCommonTable(&job->record_, host);
    if (result != 0) {
        std::ostringstream message;
        message << "the settings model could not fill the job record: 0x" << std::hex
                << std::uppercase << result;
        *error = message.str();
        return nullptr;
    }
    if (choices.pattern) {
        fillPatternSheet(model, job->record_, job->patternTexts_);
    }
    return job;
}

}  // namespace host
