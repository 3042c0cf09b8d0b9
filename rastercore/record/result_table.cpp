// The plug-in error code of an internal result.
#include "record/result_table.h"

#include "rastercore/result_codes.h"

using namespace rastercore;

std::uint32_t pluginErrorFromResult(std::int32_t result) {
    switch (result) {
        case kResultOk:
        case kResultNothingToPrint:
            return kPlgSuccess;
        case kResultCancelled:
            return kPlgCancelled;
        case kResultNoMemory:
        case kColorNoMemory:
        case kPacketNoMemory:
        case kCommandNoMemory:
        case kRowNoMemory:
        case kTransportNoMemory:
            return kPlgNoMemory;
        case kResultJobNotOpened:
            return kPlgCheckPrinter;
        case kResultSpoolDiskFull:
            return kPlgWriteFile;
        case kResultHostImage:
            return kPlgHostImage;
        default:
            return kPlgPrintingError;
    }
}
