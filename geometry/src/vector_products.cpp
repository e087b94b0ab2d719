// 2-D cross and dot products.
#include "gonion/gonion.h"

extern "C" {

GONION_API double zoGetVectorCross(double ax, double ay, double bx, double by) {
    return ax * by - ay * bx;
}

GONION_API double zoGetVectorDot(double ax, double ay, double bx, double by) {
    return ax * bx + ay * by;
}

}  // extern "C"
