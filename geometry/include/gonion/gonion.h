/* gonion: plane geometry for plan analysis.
 *
 * A flat C interface: every function takes plain numbers, addresses and strided vertex lists,
 * returns a 32-bit result code (1 success/true, 0 failure/false, further codes where listed)
 * and keeps no state between calls. Nothing here throws.
 */
#ifndef GONION_GONION_H
#define GONION_GONION_H

#include <stdint.h>

#if defined(GONION_BUILDING)
#define GONION_API __attribute__((visibility("default")))
#else
#define GONION_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* ---- primitives, crossings, hit tests, shortest paths, colour ramp, matrices ---- */

/* ---- polygon boolean operations and kernel ---- */

#ifdef __cplusplus
}
#endif

#endif /* GONION_GONION_H */
