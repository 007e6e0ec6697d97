// The growth shapes of the initial profile: how the prescribed quantity Y (temperature or
// pressure) rises from its initial value Y0 in the initial region to the growth value Y1
// towards the end of the film.
//
// Coordinates are film-relative in user length units: s = 0 at the first node of the film,
// xf the end of the initial region, sEnd the end of the film (its thickness) and sLast the
// centre of the last film cell. Without a substrate these are the grid coordinates
// themselves (sEnd = Len). The distance d (field "d") is signed and never 0; it chooses
// which side a shape is anchored to:
//   Step            Y1 throughout;
//   Linear          d > 0: Y1 at the last cell, Y0 at d before it;
//                   d < 0: Y0 at the last cell, Y1 at |d| before it;
//                   held between Y0 and Y1 beyond that distance;
//   Poly            geometric from Y0 after xf to Y1 in the last cell (d unused);
//   Exp, Gauss      d > 0: Y0 at xf, tending to Y1 with the scale d;
//                   d < 0: Y1 at the film end, falling to Y0 within |d|;
//   Exp(-()^1.5)    d > 0: Y0 just after xf, rising to Y1 at the film end within about d;
//                   d < 0: Y0 at xf, tending to Y1 within about |d|.
#pragma once

#include <array>
#include <cstdint>

#include "core/common/Real.h"

namespace tarvex {

// Items of the list "Grouth &func".
inline constexpr int32_t kGrowthStep = 0;
inline constexpr int32_t kGrowthLinear = 1;
inline constexpr int32_t kGrowthPoly = 2;
inline constexpr int32_t kGrowthExp = 3;
inline constexpr int32_t kGrowthGauss = 4;
inline constexpr int32_t kGrowthExp15 = 5;
inline constexpr std::array<const char*, 6> kGrouthFuncItems{"Step", "L&near", "Poly",
                                                             "Exp",  "Gauss",  "Exp(-()^1.5)"};

struct GrowthProfile {
  int32_t shape = kGrowthStep;  // item of "Grouth &func"
  Real Y0 = 0;                  // value of the initial region
  Real Y1 = 0;                  // growth value
  Real xf = 0;                  // end of the initial region [user units]
  Real d = 0;                   // growth length [user units], signed, non-zero
  Real sLast = 0;               // centre of the last film cell [user units]
  Real sEnd = 0;                // end of the film [user units]
  int32_t kf = 0;               // last cell of the initial region
  int32_t n = 1;                // number of growth cells (last film cell - kf)
};

// Y in growth cell k (kf < k <= kf + n) whose centre lies at s.
Real GrowthValue(const GrowthProfile& g, int32_t k, Real s);

// Whether the shape can be formed from the values: Poly needs Y0 and Y1 of one sign and
// non-zero (it is a geometric progression).
bool GrowthShapeApplicable(int32_t shape, Real Y0, Real Y1);

}  // namespace tarvex
