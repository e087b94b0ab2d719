// Temporary placeholders until each module lands.
#include "gonion/gonion.h"

extern "C" {
GONION_API double zoGetDeterminant(const double*, int32_t) { return 0; }
GONION_API void zoGetTranspose(const double*, double*, int32_t, int32_t) {}
GONION_API void zoGetTransposeSquare(double*, int32_t) {}
GONION_API void zoGetInverseMatrix(const double*, double*, int32_t, double) {}
GONION_API int32_t zoBuildLoc1D(int32_t, int32_t, int32_t, int32_t*, int32_t**) { return 0; }
GONION_API int32_t zoBuildLoc1DA(int32_t, int32_t, int32_t, int32_t, int32_t*, int32_t**) { return 0; }
GONION_API int32_t zoBuildLoc1DB(int32_t, int32_t*, int32_t, int32_t, const int32_t*, int32_t*, int32_t**, int32_t*) { return 0; }
GONION_API int32_t zoBuildLoc1DC(int32_t, int32_t, int32_t, int32_t*, int32_t**) { return 0; }
}
