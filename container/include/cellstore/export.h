// Symbol export for the cellstore shared library (hidden visibility by default).
#pragma once

#if defined(CELLSTORE_BUILDING)
#define CELLSTORE_API __attribute__((visibility("default")))
#else
#define CELLSTORE_API
#endif
