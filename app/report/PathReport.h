// The path report of the Analysis Summary dialog: for the observation points of the current
// path, the statistics of every isovist measure along the path with the entropies of its values
// and of its changes from point to point.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "document/EntropyParams.h"
#include "document/IsovistRecord.h"

// The report text, lines ended by "\r\n"; empty without records. The blocks of the radial
// measures (Mean radial, Complexity, Elongation, Autocorrelation) are written only with the
// radial method and exactly one RadialStats per record. Entropies use the sets 0 to 4 of
// `params`. Normalised values are the values divided by their largest value (all 0 when that
// is 0 or there is none that is a number).
std::string PathReportText(std::span<const IsovistRecord> records,
                           std::span<const RadialStats> radialStats, int32_t isovistMethod,
                           const EntropyParams& params);
