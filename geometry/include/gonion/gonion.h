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

/* Conventions.
 * A point is two doubles, x then y. A segment is its first end point A then its second B.
 * A polygon or value list is a strided vertex list: count, stride (bytes from one vertex to
 * the next), address of the first x, address of the first y. Polygons close implicitly.
 * Output vertex arrays are packed doubles in caller storage.
 * Zero, parallelism and coincidence are decided against 2.220446049250313e-8;
 * the reduction uses 1e-6. */

/* ----- vector products ----- */

/* ax*by - ay*bx. */
GONION_API double zoGetVectorCross(double ax, double ay, double bx, double by);
/* ax*bx + ay*by. */
GONION_API double zoGetVectorDot(double ax, double ay, double bx, double by);

/* ----- polygon area, centroid, orientation ----- */

/* Unsigned shoelace area; -1.0 when count < 3, stride < 8 or an address is null. */
GONION_API double zoGetGeoAreaPGF(int32_t count, uint32_t stride, const double* xs,
                                  const double* ys);
/* Integer vertices. Shoelace terms wrap modulo 2^32 (two's complement, computed unsigned);
 * -1.0 when count < 3, stride < 4 or an address is null. */
GONION_API double zoGetGeoAreaPG(int32_t count, uint32_t stride, const int32_t* xs,
                                 const int32_t* ys);
/* Centroid into *cx, *cy; nothing written for bad arguments or a zero area. */
GONION_API void zoGetGeoCentPGF(int32_t count, uint32_t stride, const double* xs,
                                const double* ys, double* cx, double* cy);
/* Integer vertices; as zoGetGeoCentPGF with the checks of zoGetGeoAreaPG. */
GONION_API void zoGetGeoCentPG(int32_t count, uint32_t stride, const int32_t* xs,
                               const int32_t* ys, double* cx, double* cy);
/* 1 when the signed shoelace sum is negative (clockwise, y up), else 0. Arguments are not
 * checked: count >= 1 and valid addresses are required. */
GONION_API int32_t zoPolyIsCW(int32_t count, uint32_t stride, const double* xs,
                              const double* ys);

/* ----- minimum and maximum of a strided array ----- */

/* 1 after writing the extreme into *result; 0 (nothing written) when count < 1, the stride
 * is below the value size (4 for integers, 8 for doubles), values or result is null. */
GONION_API int32_t zoGetMaxValue(int32_t count, uint32_t stride, const int32_t* values,
                                 int32_t* result);
GONION_API int32_t zoGetMinValue(int32_t count, uint32_t stride, const int32_t* values,
                                 int32_t* result);
GONION_API int32_t zoGetMaxValueF(int32_t count, uint32_t stride, const double* values,
                                  double* result);
GONION_API int32_t zoGetMinValueF(int32_t count, uint32_t stride, const double* values,
                                  double* result);

/* ----- point on segment ----- */

/* 0 not on segment AB, 1 strictly between the end points, 2 at A, 3 at B. */
GONION_API int32_t zoIsPointOnSeg(double px, double py, double ax, double ay, double bx,
                                  double by);
/* 1 when P equals A or B exactly; otherwise the code of zoIsPointOnSeg. */
GONION_API int32_t zoIsPointOnSeg2(double px, double py, double ax, double ay, double bx,
                                   double by);
/* 1 on the segment within |tolerance| (A included, B excluded), 0 otherwise. */
GONION_API int32_t zoIsPointOnSegTol(double px, double py, double ax, double ay, double bx,
                                     double by, double tolerance);

/* ----- polygon reduction ----- */

/* Drops repeated and collinear vertices. outXs/outYs need room for count doubles. Writes
 * nothing (outCount included) when count < 3, stride < 8 or an address is null. */
GONION_API void zoReducePG(int32_t count, uint32_t stride, const double* xs, const double* ys,
                           int32_t* outCount, double* outXs, double* outYs);
/* Polyline reduction: does nothing; reads and writes no argument. */
GONION_API void zoReducePL(int32_t count, uint32_t stride, const double* xs, const double* ys,
                           int32_t* outCount, double* outXs, double* outYs);

/* ----- crossing points ----- */

/* Lines P1 + t*d1 and P2 + t*d2. 1 crossing written; 0 parallel or a zero direction. */
GONION_API int32_t zoGetCrossPointLL(double p1x, double p1y, double d1x, double d1y, double p2x,
                                     double p2y, double d2x, double d2y, double* outX,
                                     double* outY);
/* Line P + t*d and segment AB. 1 crossing written; 0 none. */
GONION_API int32_t zoGetCrossPointLS(double px, double py, double dx, double dy, double ax,
                                     double ay, double bx, double by, double* outX,
                                     double* outY);
/* Half-line from P along d and segment AB. 1 crossing ahead of (or at) P; 0 none. The point
 * found on the full line is written even when it lies behind P (result 0). */
GONION_API int32_t zoGetCrossPointHLS(double px, double py, double dx, double dy, double ax,
                                      double ay, double bx, double by, double* outX,
                                      double* outY);
/* Segments AB and UV. 1 crossing written (touching end points included); 2 the segments lie
 * on one line (nothing written); 0 none or a zero-length segment. */
GONION_API int32_t zoGetCrossPointSS(double ax, double ay, double bx, double by, double ux,
                                     double uy, double vx, double vy, double* outX,
                                     double* outY);
/* Classifying segment crossing:
 * -1 zero-length segment; 0 parallel, not on one line; 2 lines cross outside a segment;
 *  3 proper crossing (x1,y1); 4 end point meets end point (x1,y1); 5 end point inside the
 *  other (x1,y1); on one line: 7 same segment (A, B), 6 touching at one shared end point
 *  (x1,y1), 10 overlap from a shared end point (both overlap ends), 9 one inside the other
 *  (inner ends), 8 partial overlap (overlap ends), 1 no common point, -2 inconsistent.
 * Two-point outputs are in their order from A to B. */
GONION_API int32_t zoGetCrossPointSS2(double ax, double ay, double bx, double by, double ux,
                                      double uy, double vx, double vy, double* x1, double* y1,
                                      double* x2, double* y2);
/* Polygon outline and segment AB: distinct crossings (edge order) into outXs/outYs, which need
 * room for count points. 1 done (outCount may be 0); 0 bad arguments (count < 3,
 * stride < 8, a null vertex address), outCount not written. */
GONION_API int32_t zoGetCrossPointPS(int32_t count, uint32_t stride, const double* xs,
                                     const double* ys, double ax, double ay, double bx,
                                     double by, int32_t* outCount, double* outXs,
                                     double* outYs);
/* Polygon outline and line P + t*d; as zoGetCrossPointPS. */
GONION_API int32_t zoGetCrossPointPL(int32_t count, uint32_t stride, const double* xs,
                                     const double* ys, double px, double py, double dx,
                                     double dy, int32_t* outCount, double* outXs,
                                     double* outYs);
/* Circle (centre M, radius r) and line P + t*d; outXs/outYs hold 2 doubles each.
 * 1 two points; 2 tangent, one point; 0 none (outCount 0), or bad arguments (r < 0, zero
 * direction, null out array; outCount not written). */
GONION_API int32_t zoGetCrossPointCL(double mx, double my, double r, double px, double py,
                                     double dx, double dy, int32_t* outCount, double* outXs,
                                     double* outYs);
/* Two circles. 1 two points; 2 tangent, one point (on both circles); 0 none (outCount 0), or
 * negative radius / the same circle (outCount not written). */
GONION_API int32_t zoGetCrossPointCC(double m1x, double m1y, double r1, double m2x, double m2y,
                                     double r2, int32_t* outCount, double* outXs,
                                     double* outYs);
/* Circle and segment AB. 1 one or two points on the segment; 2 tangent point on the segment;
 * 0 none. */
GONION_API int32_t zoGetCrossPointCS(double mx, double my, double r, double ax, double ay,
                                     double bx, double by, int32_t* outCount, double* outXs,
                                     double* outYs);

/* ----- distances ----- */

/* Distance from Q to the line L + t*d. */
GONION_API double zoGetDistLP2(double lx, double ly, double dx, double dy, double qx, double qy);
/* Distance to the line; the foot of the perpendicular written where the address is not null.
 * The direction must not be zero. */
GONION_API double zoGetDistLP2CP(double lx, double ly, double dx, double dy, double qx,
                                 double qy, double* footX, double* footY);
/* Distance to the line; *side = (Q.x - L.x)*d.y - (Q.y - L.y)*d.x. */
GONION_API double zoGetDistLPA2(double lx, double ly, double dx, double dy, double qx,
                                double qy, double* side);
/* As zoGetDistLPA2, also writing the foot of the perpendicular. */
GONION_API double zoGetDistLPB2(double lx, double ly, double dx, double dy, double qx,
                                double qy, double* side, double* footX, double* footY);
/* Distance from Q along direction e to the line L + t*d. Outputs written when not null.
 * 2 Q on the line (distance 0, hit Q); 0 e parallel to the line (also a zero e or a zero
 * line direction); -1 the line is behind; 1 hit (distance |e|*t, hit point). */
GONION_API int32_t zoGetDistLP2Vector(double lx, double ly, double dx, double dy, double qx,
                                      double qy, double ex, double ey, double* distance,
                                      double* hitX, double* hitY);
/* As zoGetDistLP2Vector with e = (cos angle, sin angle). */
GONION_API int32_t zoGetDistLP2Angle(double lx, double ly, double dx, double dy, double qx,
                                     double qy, double angle, double* distance, double* hitX,
                                     double* hitY);
/* Distance from Q along direction e to segment AB. Outputs written when not null.
 * 1 hit on the segment; 2 Q on the segment (distance 0); 3 Q on the line outside the segment
 * and e runs towards it (distance to the nearer end, that end); 0 e parallel, Q off the line
 * (also a zero e or a zero-length segment);
 * -1 the line is behind; -2 the hit lies outside the segment; -3 Q on the line outside the
 * segment and e not towards it. */
GONION_API int32_t zoGetDistSP2Vector(double ax, double ay, double bx, double by, double qx,
                                      double qy, double ex, double ey, double* distance,
                                      double* hitX, double* hitY);
/* As zoGetDistSP2Vector with e = (cos angle, sin angle). */
GONION_API int32_t zoGetDistSP2Angle(double ax, double ay, double bx, double by, double qx,
                                     double qy, double angle, double* distance, double* hitX,
                                     double* hitY);

/* ----- hit tests ----- */

/* 1 when (px, py) lies inside the polygon; 0 outside, undecided, or bad arguments
 * (count < 3, stride < 8, a null vertex address). */
GONION_API int32_t zoHitTestPG(int32_t count, uint32_t stride, const double* xs,
                               const double* ys, double px, double py);
/* Marks mask[j*nx + i] = 1 for every grid node (columns[i], rows[j]) inside the polygon,
 * 0 elsewhere. columns must ascend. Does nothing for nx < 1, ny < 1 or null addresses. */
GONION_API void zoHitTestPG2CGrid(int32_t count, uint32_t stride, const double* xs,
                                  const double* ys, int32_t nx, int32_t ny,
                                  const double* columns, const double* rows, uint8_t* mask);

/* ----- shortest paths ----- */

/* Single-source shortest distances (Dijkstra) over an n x n row-major byte adjacency matrix
 * (1 = edge) and weight matrix of type weightType: 0 int8, 1 int16, 2 int32, 3 float,
 * 4 double (other codes: no edges). Writes n distances (1.7e308 when unreachable) and n
 * reached flags. A source outside 0..n-1 writes all zeros; count < 1 writes nothing.
 * reserved is ignored. */
GONION_API void zoGraphSP(int32_t source, int32_t count, int32_t reserved,
                          const uint8_t* adjacency, int32_t weightType, const void* weights,
                          double* distances, uint8_t* reached);

/* ----- colour ramp ----- */

/* Colour 0x00BBGGRR of value within [minimum, maximum]. mode 0 blue-cyan-green-yellow-red,
 * 1 grey, 2 magenta-blue-cyan-green-yellow-red. 0 when minimum >= maximum or mode > 2. */
GONION_API uint32_t zoR2RGB(double minimum, double maximum, double value, uint32_t mode);

/* ----- matrices (row-major doubles) ----- */

/* Determinant of an order x order matrix; 0.0 for order < 1. */
GONION_API double zoGetDeterminant(const double* matrix, int32_t order);
/* destination (columns x rows) = transpose of source (rows x columns). */
GONION_API void zoGetTranspose(const double* source, double* destination, int32_t rows,
                               int32_t columns);
/* Transposes a square matrix in place. */
GONION_API void zoGetTransposeSquare(double* matrix, int32_t order);
/* destination = inverse of source by the adjugate, divided by the given determinant
 * (a zero determinant gives non-finite elements). Order 1 gives the reciprocal. */
GONION_API void zoGetInverseMatrix(const double* source, double* destination, int32_t order,
                                   double determinant);

/* ----- location tables -----
 * A table is an ascending int32 array from lower to upper. *table holds null or an earlier
 * table, which the builder frees (with free()) before building; the new table is allocated
 * with malloc() and may be released by passing it back with invalid bounds or with free(). */

/* Fixed step from lower; the remainder is shared by the two end gaps. 1 built; 0 bad bounds
 * (upper < lower or step <= 0: count 0, table freed and null). */
GONION_API int32_t zoBuildLoc1D(int32_t lower, int32_t upper, int32_t step, int32_t* outCount,
                                int32_t** table);
/* Positions origin + k*step within the bounds, upper last. 1 built (possibly no table);
 * 0 bad bounds (step 0 or upper < lower). */
GONION_API int32_t zoBuildLoc1DA(int32_t origin, int32_t lower, int32_t upper, int32_t step,
                                 int32_t* outCount, int32_t** table);
/* zoneCount zones split at zoneCount-1 breaks (snapped in place), each with its own step.
 * zoneEnds receives the index of each zone's last position. 1 built; 0 bad arguments. */
GONION_API int32_t zoBuildLoc1DB(int32_t zoneCount, int32_t* breaks, int32_t lower,
                                 int32_t upper, const int32_t* steps, int32_t* outCount,
                                 int32_t** table, int32_t* zoneEnds);
/* Exactly count positions from lower to upper. 1 built; 0 bad bounds (upper < lower). */
GONION_API int32_t zoBuildLoc1DC(int32_t lower, int32_t upper, int32_t count, int32_t* outCount,
                                 int32_t** table);


/* ---- polygon boolean operations and kernel ---- */

/* A point of a polygon handed across the boundary. */
typedef struct zoPoint {
    double x;
    double y;
} zoPoint;

/* A closed polygon owning its points (null and 0 when empty); index i means point i mod count. */
typedef struct zoPolygon {
    zoPoint* points;
    int32_t count;
} zoPolygon;

/* A growable list of polygons: capacity starts at 16 and doubles when full. */
typedef struct zoPolygonList {
    zoPolygon* items;
    int32_t count;
    int32_t capacity;
} zoPolygonList;

/* An outline with holes. */
typedef struct zoRegion {
    zoPolygon outline;
    zoPolygonList holes;
} zoRegion;

/* Union of two polygons (either orientation), written into *region (outline replaced, holes emptied
 * first; traced counter-clockwise rings become the outline, clockwise ones holes).
 * 1 done; 0 bad arguments, disjoint polygons or an outline of fewer than 3 points. */
GONION_API int32_t zoPolyUnion(const zoPolygon* first, const zoPolygon* second, zoRegion** region);

/* Intersection pieces in a new list stored in *result (allocated even on failure; release it
 * with zoPolyPointsFree). 1 at least one piece; 0 bad arguments or no piece. */
GONION_API int32_t zoPolyIntersection(const zoPolygon* first, const zoPolygon* second,
                                      zoPolygonList** result);

/* first minus second, pieces in a new list stored in *result (allocated even on failure).
 * 0 bad arguments, disjoint or nothing traced; 1 nothing left; 2 traced pieces;
 * 3 the second lies inside the first: the list holds the outline then the hole. */
GONION_API int32_t zoPolySubtract(const zoPolygon* first, const zoPolygon* second,
                                  zoPolygonList** result);

/* Union of two regions with holes into a new region stored in *result (release it with
 * zoPolyOpenFree). 1 done; 0 failure (*result is set to null then). */
GONION_API int32_t zoPolyOpenUnion(const zoRegion* first, const zoRegion* second,
                                   zoRegion** result);

/* Releases a list from zoPolyIntersection or zoPolySubtract: its polygons and the list. */
GONION_API void zoPolyPointsFree(zoPolygonList* list);

/* Releases a region from zoPolyOpenUnion: outline, holes and the region. */
GONION_API void zoPolyOpenFree(zoRegion* region);

/* Kernel of a polygon of count points (packed xs, ys; counter-clockwise, a clockwise one is
 * taken in reverse). The out arrays must hold count values. 0 empty kernel or bad arguments (or a kernel that would not fit);
 * 1 kernel written; 2 no reflex vertex: the polygon itself written. */
GONION_API int32_t zoGetPolyKernel(int32_t count, const double* xs, const double* ys,
                                   int32_t* outCount, double* outXs, double* outYs);

#ifdef __cplusplus
}
#endif

#endif /* GONION_GONION_H */
