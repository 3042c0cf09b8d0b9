// What the history file tests share: entries with settings of their own, and the Python oracle.
#pragma once

#include <string>

#include "history/print_jobs.h"
#include "support/python_oracle.h"

namespace historytest {

/// An entry with every string, distinct numbers and settings of its own.
inline SetDataList fullEntry(const std::string& name, std::int32_t number) {
    SetDataList entry;
    entry.NameString = name;
    entry.FileNameString = name + ".tif";
    entry.DateString = "2026/12/11";
    entry.ColorSetString = "C+" + std::to_string(number);
    entry.PrinterNameString = "SL-7440";
    entry.CommentString = "caf\u00e9 " + name;
    entry.listNumber = number;
    entry.DateCount = number + 10;
    entry.DefaultFlg = number % 2;
    entry.PrintFinish = 1;
    entry.settings.emplace();
    entry.settings->UISaveVersion = kUISaveVersion;  // as every writer stores it
    entry.settings->Copies = number;
    entry.settings->MediaType = static_cast<std::int16_t>(-number);
    entry.settings->MediaTypeName = "Glossy " + name;
    entry.settings->Curves_RGB_PointNum = 2;
    entry.settings->Curves_RGB_X = {0, 255};
    entry.settings->Curves_RGB_Y = {0, 250};
    return entry;
}

/// Runs the oracle's `command` ("write" or "check") on `file` with the JSON object `json`.
inline int oracle(const char* command, const std::string& file, const std::string& json) {
    return testsupport::runPython(HISTORY_ORACLE, {command, file, json});
}

}  // namespace historytest
