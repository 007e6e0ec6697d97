// Elementary functions for the analytic equations of state, in the 80-bit Real.
//
// The library's expl and logl take about 65 ns each here and powl about 550 ns, while an
// equation of state is called per cell and pass; ExpR and LogR give the same accuracy
// (within 2 ulp of the 64-bit mantissa) in a fraction of the time, so a fractional power
// x^a is ExpR(a LogR(x)) with the logarithm shared between the powers of one x.
//
// ExpR: x = (32 n + j) ln2/32 + r with |r| <= ln2/64; e^x = 2^n 2^(j/32) e^r, e^r by its
// Taylor polynomial to r^7 (remainder below 5e-21 relative).
// LogR: x = 2^e m with m in [0.75, 1.5); c = j/64 the grid point nearest to m;
// ln x = e ln2 + ln c + 2 atanh s, s = (m - c)/(m + c), |s| <= 0.0053, the series to s^9.
// Near x = 1 the grid point is c = 1 exactly, so the result keeps its relative accuracy.
// AtanR (below) works the same way with a table of atan(j/16).
//
// Arguments outside the fast range (|x| >= 700 for ExpR; x <= 0, x outside 2^-1000..2^1000,
// infinities, NaN for LogR) go to
// expl/logl, which raise the IEEE flags the step's FpGuard reads: an equation of state
// evaluated outside its domain makes the pass fail instead of passing a NaN on silently.
#pragma once

#include <bit>
#include <cfenv>
#include <cmath>
#include <cstdint>
#include <limits>

#include "core/common/Real.h"

namespace tarvex::eosmath {

static_assert(std::numeric_limits<Real>::digits == 64, "x87 extended precision expected");

// 2^n for |n| <= 1022, built as a double in an integer register (moving 80-bit values
// through memory as integers would stall the store forwarding) and widened exactly.
inline Real Pow2(int32_t n) {
  return static_cast<Real>(std::bit_cast<double>(static_cast<uint64_t>(n + 1023) << 52));
}

// 2^(j/32), j = 0..31, correctly rounded.
inline constexpr Real kExp2Table[32] = {
    0x8000000000000000p-63L, 0x82CD8698AC2BA1D7p-63L, 0x85AAC367CC487B15p-63L,
    0x88980E8092DA8527p-63L, 0x8B95C1E3EA8BD6E7p-63L, 0x8EA4398B45CD53C0p-63L,
    0x91C3D373AB11C336p-63L, 0x94F4EFA8FEF70961p-63L, 0x9837F0518DB8A96Fp-63L,
    0x9B8D39B9D54E5539p-63L, 0x9EF5326091A111AEp-63L, 0xA27043030C496819p-63L,
    0xA5FED6A9B15138EAp-63L, 0xA9A15AB4EA7C0EF8p-63L, 0xAD583EEA42A14AC6p-63L,
    0xB123F581D2AC2590p-63L, 0xB504F333F9DE6484p-63L, 0xB8FBAF4762FB9EE9p-63L,
    0xBD08A39F580C36BFp-63L, 0xC12C4CCA66709456p-63L, 0xC5672A115506DADDp-63L,
    0xC9B9BD866E2F27A3p-63L, 0xCE248C151F8480E4p-63L, 0xD2A81D91F12AE45Ap-63L,
    0xD744FCCAD69D6AF4p-63L, 0xDBFBB797DAF23755p-63L, 0xE0CCDEEC2A94E111p-63L,
    0xE5B906E77C8348A8p-63L, 0xEAC0C6E7DD24392Fp-63L, 0xEFE4B99BDCDAF5CBp-63L,
    0xF5257D152486CC2Cp-63L, 0xFA83B2DB722A033Ap-63L,
};

// ln(j/64), j = 48..96 (entry j - 48), correctly rounded; entry 16 is ln 1 = 0.
inline constexpr Real kLogTable[49] = {
    -0x934B1089A6DC93C2p-65L,
    -0x88BC74113F23DEF2p-65L,
    -0xFCC8E3659D9BCBEDp-66L,
    -0xE881BF932AF3DAC1p-66L,
    -0xD49F69E456CF1B79p-66L,
    -0xC11E0B2A8D1E0DDCp-66L,
    -0xADFA035AA1ED8FDCp-66L,
    -0x9B2FE580AC80B17Dp-66L,
    -0x88BC74113F23DEF2p-66L,
    -0xED393B1C22351280p-67L,
    -0xC99AF2EACA4C4571p-67L,
    -0xA6988AE903F562EDp-67L,
    -0x842CC5ACF1D03445p-67L,
    -0xC4A550A4FD9A19A9p-68L,
    -0x820AEC4F3A222381p-68L,
    -0x8102B2C49AC23A50p-69L,
    0.0L,
    0xFE054587E01F1E7Dp-70L,
    0xFC14D873C1980268p-69L,
    0xBBA2C7B196E7E232p-68L,
    0xF85186008B15330Cp-68L,
    0x9A0EBCB0DE8E8495p-67L,
    0xB78694572B5A5CDFp-67L,
    0xD49369D256AB1B28p-67L,
    0xF1383B7157972F4Fp-67L,
    0x86BBF3E68472CB35p-66L,
    0x94AA97C0FFA91A60p-66L,
    0xA2695B665BE8F33Fp-66L,
    0xAFF983853C9E9E44p-66L,
    0xBD5C481086C848DFp-66L,
    0xCA92D4E7A2B5A3B2p-66L,
    0xD79E4A7405FF96C6p-66L,
    0xE47FBE3CD4D10D61p-66L,
    0xF1383B7157972F4Fp-66L,
    0xFDC8C36AF1F1546Bp-66L,
    0x851927139C871AFCp-65L,
    0x8B3AE55D5D30701Dp-65L,
    0x914A0FDE7BCB2D12p-65L,
    0x974715D708E984E1p-65L,
    0x9D3262AB4A2F4E39p-65L,
    0xA30C5E10E2F613E8p-65L,
    0xA8D56C396FC1684Ep-65L,
    0xAE8DEDFAC04E5284p-65L,
    0xB43640F4D8A57622p-65L,
    0xB9CEBFB5DE8034E7p-65L,
    0xBF57C1DC157E1B26p-65L,
    0xC4D19C360A12D5ADp-65L,
    0xCA3CA0E108B7D5D2p-65L,
    0xCF991F65FCC25F96p-65L,
};

inline constexpr Real kInvLn2x32 = 0xB8AA3B295C17F0BCp-58L;  // 32 / ln 2
// ln2/32 split so that k * hi is exact for |k| < 2^24.
inline constexpr Real kLn2by32Hi = 0xB17217F7D2000000p-69L;
inline constexpr Real kLn2by32Lo = -0xC21950D871319FF0p-111L;
// ln 2 split so that e * hi is exact for every binary exponent e.
inline constexpr Real kLn2Hi = 0xB17217F7D1CF0000p-64L;
inline constexpr Real kLn2Lo = 0xF35793C7673007E6p-113L;

// e^x.
inline Real ExpR(Real x) {
  // Beyond |x| = 700 the scale 2^n leaves the double range used below; the library takes
  // these (and overflow, underflow and NaN, raising their flags).
  if (!(std::fabs(x) < 700)) return expl(x);
  // k = x 32/ln2 rounded to an integer (to the nearest but for ties, which is enough:
  // the polynomial below holds with margin for |r| slightly above ln2/64). The double
  // conversion truncates in an SSE register, without the x87 rounding-mode switch.
  const Real y = x * kInvLn2x32;
  const int64_t k = static_cast<int64_t>(static_cast<double>(y) + (y > 0 ? 0.5 : -0.5));
  const Real kf = static_cast<Real>(k);
  const Real r = (x - kf * kLn2by32Hi) - kf * kLn2by32Lo;
  const Real r2 = r * r;
  // 1 + r + r^2/2 + ... + r^7/7!, grouped in pairs (shorter dependency chain).
  const Real p = (1 + r) + r2 * ((Real(1) / 2 + r * (Real(1) / 6)) +
                                 r2 * ((Real(1) / 24 + r * (Real(1) / 120)) +
                                       r2 * (Real(1) / 720 + r * (Real(1) / 5040))));
  return (kExp2Table[k & 31] * p) * Pow2(static_cast<int32_t>(k >> 5));
}

// ln x.
inline Real LogR(Real x) {
  // Zero, negatives, magnitudes beyond the double range, infinity and NaN: the library
  // (and its flags).
  if (!(x >= 0x1p-1000L && x <= 0x1p1000L)) return logl(x);
  // Exponent and leading mantissa bits from the double nearest to x; its rounding may
  // move m to just below 1 or 2, which the grid below still covers.
  const uint64_t bits = std::bit_cast<uint64_t>(static_cast<double>(x));
  int32_t e = static_cast<int32_t>(bits >> 52) - 1023;
  const uint64_t frac = bits & ((uint64_t{1} << 52) - 1);
  // Grid point c = j/64 nearest to m, with m = x 2^-e in [0.75, 1.5).
  int32_t j;
  if (frac < (uint64_t{1} << 51)) {  // m in [1, 1.5)
    j = 64 + static_cast<int32_t>((frac + (uint64_t{1} << 45)) >> 46);
  } else {  // m in [0.75, 1): one binary exponent more
    ++e;
    j = 32 + static_cast<int32_t>((frac + (uint64_t{1} << 46)) >> 47);
  }
  const Real m = x * Pow2(-e);  // exact
  const Real c = static_cast<Real>(j) * (Real(1) / 64);
  const Real s = (m - c) / (m + c);  // m - c is exact: c and m are within 1/128
  const Real s2 = s * s;
  // 2 atanh s = 2 (s + s^3/3 + s^5/5 + s^7/7 + s^9/9)
  const Real series = 2 * s + 2 * s * s2 *
                                  ((Real(1) / 3 + s2 * (Real(1) / 5)) +
                                   s2 * s2 * (Real(1) / 7 + s2 * (Real(1) / 9)));
  const Real eR = static_cast<Real>(e);
  return (eR * kLn2Hi + kLogTable[j - 48]) + (series + eR * kLn2Lo);
}

// x^a for x > 0 (x <= 0 raises the invalid-operation or division flag through LogR).
inline Real PowR(Real x, Real a) {
  return ExpR(a * LogR(x));
}

// x^(1/3) for x > 0: the double cube root refined by one Newton step (error 1e-16 ->
// below 1 ulp of the 80-bit result).
inline Real CbrtR(Real x) {
  const Real y = static_cast<Real>(std::cbrt(static_cast<double>(x)));
  return y - (y * y * y - x) / (3 * y * y);
}

// atan(j/16), j = 0..16, correctly rounded.
inline constexpr Real kAtanTable[17] = {
    0.0L,
    0xFFAADDB967EF4E37p-68L,
    0xFEADD4D5617B6E33p-67L,
    0xBDCBDA5E72D81134p-66L,
    0xFADBAFC96406EB15p-66L,
    0x9B13B9B83F5E5E6Ap-65L,
    0xB7B0CA0F26F78474p-65L,
    0xD327761E611FE5B6p-65L,
    0xED63382B0DDA7B45p-65L,
    0x832BF4A6D9867E2Ap-64L,
    0x8F005D5EF7F59F9Bp-64L,
    0x9A2F80E671BDDA20p-64L,
    0xA4BC7D1934F70924p-64L,
    0xAEAC4C38B4D8C080p-64L,
    0xB8053E2BC2319E74p-64L,
    0xC0CE85B8AC526641p-64L,
    0xC90FDAA22168C235p-64L,
};
inline constexpr Real kPiHalfHi = 0xC90FDAA22168C235p-63L;  // pi/2 = hi + lo
inline constexpr Real kPiHalfLo = -0xECE675D1FC8F8CBBp-129L;

// atan z: |z| > 1 through pi/2 - atan(1/|z|); then c = j/16 nearest to |z| and
// atan |z| = atan c + atan u, u = (|z| - c)/(1 + |z| c), |u| <= 1/32, by the series to u^13
// (remainder below 1e-21 relative).
inline Real AtanR(Real z) {
  if (!(std::fabs(z) <= 0x1p1000L)) return atanl(z);  // huge, infinite, NaN
  Real a = std::fabs(z);
  const bool inverted = a > 1;
  if (inverted) a = 1 / a;
  const int32_t j = static_cast<int32_t>(static_cast<double>(a * 16) + 0.5);
  const Real c = static_cast<Real>(j) * (Real(1) / 16);
  const Real u = (a - c) / (1 + a * c);
  const Real u2 = u * u;
  const Real u4 = u2 * u2;
  // u (1 - u^2/3 + u^4/5 - u^6/7 + u^8/9 - u^10/11 + u^12/13)
  const Real series =
      u +
      u * u2 *
          ((-Real(1) / 3 + u2 * (Real(1) / 5)) +
           u4 * ((-Real(1) / 7 + u2 * (Real(1) / 9)) + u4 * (-Real(1) / 11 + u2 * (Real(1) / 13))));
  Real r = kAtanTable[j] + series;
  if (inverted) r = (kPiHalfHi - r) + kPiHalfLo;
  return z < 0 ? -r : r;
}

// Logistic weights of two states across a smooth switch at z = 0: lower = 1/(1 + e^z),
// upper = e^z/(1 + e^z), lower * upper = their product. Finite for every finite z: the
// exponential is taken of -|z| only, so it never overflows.
struct LogisticPair {
  Real lower;
  Real upper;
};
inline LogisticPair LogisticWeights(Real z) {
  const Real q = ExpR(-std::fabs(z));  // in (0, 1]
  const Real small = q / (1 + q);
  const Real large = 1 / (1 + q);
  return z > 0 ? LogisticPair{small, large} : LogisticPair{large, small};
}

// The value of a function evaluated outside the states its formula covers: a quiet NaN
// with the invalid-operation flag raised, so that the step's FpGuard fails the pass.
inline Real DomainFault() {
  std::feraiseexcept(FE_INVALID);
  return std::numeric_limits<Real>::quiet_NaN();
}

}  // namespace tarvex::eosmath
