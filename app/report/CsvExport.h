// What the document's export commands share: the save dialog's filter and extension for comma
// separated values, and the message for a file that could not be written (the old file at that
// path is kept).
#pragma once

#include "document/DurableFile.h"

inline constexpr const char* kCsvFilter =
    "Comma Separated Values (*.csv)|*.csv|All Files (*.*)|*.*||";
inline constexpr const char* kCsvExtension = "csv";

inline const char* ExportFailureMessage(FileWriteOutcome outcome) {
    return outcome == FileWriteOutcome::OpenFailed ? "File open error" : "File write error";
}
