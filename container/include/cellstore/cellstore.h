// cellstore: typed, append-only arrays in one binary container file.
//
// zoMemFile (paged memory file), zoBinFileAgent (the container class) and the flat zoBf*
// functions on streams and on the global memory file all share one byte format.
#pragma once

#include "cellstore/agent.h"
#include "cellstore/export.h"
#include "cellstore/flat.h"
#include "cellstore/memfile.h"
#include "cellstore/records.h"
