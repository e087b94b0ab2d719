// The user's own values of a path's observation points, read from a text file.
#pragma once

#include <span>

#include "document/IsovistRecord.h"

// Gives value i to the userValue of record i. False (nothing changed) unless there is exactly
// one value per observation point; records beyond the values and values beyond the records
// (the points were made again after the isovists) are left alone.
bool AssignPathUserValues(std::span<IsovistRecord> records, std::span<const double> values,
                          size_t observationPointCount);
