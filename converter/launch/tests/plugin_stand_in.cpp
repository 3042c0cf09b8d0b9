// A bundle in the plug-in's place: it carries the plug-in's call of the migration program, so
// that the call finds its program inside this bundle's folder.
#include "launch/run_data_converter.h"

extern "C" __attribute__((visibility("default"))) std::int32_t standInRunDataConverter(
    CommonInfoTable* table, const char* mode) {
    return RunDataConverter(table, mode);
}
