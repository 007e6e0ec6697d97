// Electron heat capacity and electron-phonon coupling from data files: the readers of the
// heat-capacity file and of the coupling file, the natural cubic splines through their
// rows, the electron energy as the integral of the heat-capacity spline with its inverse,
// and the three built-in analytic kinds a file can name instead of a table.
//
// Heat-capacity file (plain text, numbers in free format, one record per line, the rest
// of a line ignored):
//   line 1  title
//   line 2  D            material density [kg/m3]
//   line 3  n            rows
//   n >= 3: n lines "Te Ce", Te [K] strictly increasing, Ce [J/(m3 K)] >= 0
//   n < 3:  "kCe [gamma]": kind 2 (Ce = gamma Te, gamma [J/(m3 K2)]), 27 or 197
// Coupling file:
//   line 1  title
//   line 2  D r0 f q     density [kg/m3], reference density [g/cm3], density fraction, q
//   line 3  m            rows
//   m >= 3: m lines "Te G", G [W/(m3 K)] >= 0
//   m < 3:  kGe on its own line; kind 2: G0 [W/(m3 K)] on the next; kGe <= 0: the file sets
//           no coupling
// Values are converted on reading: Ce, gamma, G, G0 times 1e-6/D give kJ/(g K) and
// kW/(g K); the file density in g/cm3 is D/1000. The coupling scales with density as
// F(rho) = f rho/r0 + (1 - f).
//
// The readers never trust the file: a file that cannot be opened, a header with a zero
// density or row count, more than 256 rows, non-increasing temperatures, an unknown kind,
// a missing or non-numeric value, a negative heat capacity or coupling, a heat capacity
// whose spline does not raise the energy: each gives a result code and a message naming
// the file and the line, and the model passed in is left as it was.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/Real.h"

namespace tarvex {

inline constexpr int32_t kMaxElTableRows = 256;

// A cubic Hermite spline through (X[k], Y[k]) with the slopes S[k] of a natural cubic
// spline (second derivative 0 at both ends), and the integrals I[k] from X[0] to X[k].
struct ElSpline {
  std::vector<Real> X, Y, S, I;
  int32_t Rows() const { return static_cast<int32_t>(X.size()); }
};

// Slopes and integrals for X, Y (at least two points, X strictly increasing).
void BuildNaturalSpline(ElSpline& s);
// The value: the cubic inside, the straight lines of the end slopes outside.
Real SplineValue(const ElSpline& s, Real x);
// The integral from X[0] to x: 0 at or below X[0], the end line's integral above.
Real SplineIntegral(const ElSpline& s, Real x);

// The kinds a file can name (0: its table).
enum ElTableKind : int32_t {
  kElTableNone = -1,  // nothing read (the coupling: the file sets none)
  kElTableRows = 0,
  kElTableLinear = 2,
  kElTableAl = 27,
  kElTableAu = 197,
};

struct CeModel {
  int32_t kind = kElTableNone;
  ElSpline spline;
  Real gamma = 0;         // kind 2 [kJ/g/K^2]
  Real halfGamma = 0;     // gamma/2
  Real twoOverGamma = 0;  // 2/gamma
  Real density = 0;       // the file's density [g/cm3]
  Real TeMax = 0;         // last temperature of the table [K]
};

struct GeModel {
  int32_t kind = kElTableNone;
  ElSpline spline;
  Real G0 = 0;       // kind 2 [kW/g/K]
  Real r0 = 0;       // reference density of the density factor [g/cm3]
  Real f = 0;        // density fraction
  Real fOverR0 = 0;  // f/r0 [cm3/g]
  Real qHalf = 0;    // the fourth header value, halved (kept, not used)
  Real density = 0;  // the file's density [g/cm3]
};

// The functions of the models (the density argument of the heat capacity is ignored, as
// the slots pass it).
Real TableCe(const CeModel& m, Real rho, Real Te);        // [kJ/g/K]
Real TableEe(const CeModel& m, Real rho, Real Te);        // [kJ/g]
Real TableTeOfEe(const CeModel& m, Real rho, Real Ee);    // [K]
Real TableCoupling(const GeModel& m, Real rho, Real Te);  // [kW/g/K]

enum class ElTableStatus : uint8_t {
  Ok,
  CannotOpen,     // code: the system's error number
  BadHeader,      // code 1: zero (or negative, or unusable) density or row count
  TooManyRows,    // code 2: "Rows num overlow"
  NotIncreasing,  // code 3: "TeCe not increase at k " / "TeGe not increase at k "
  UnknownKind,    // code 4: "INITCe: unknown kCe" / "INITGe: unknown kGe"
  Malformed,      // code 5: a value missing, not a number, or out of range
};

struct ElTableResult {
  ElTableStatus status = ElTableStatus::Ok;
  int32_t code = 0;     // 0 on success; see ElTableStatus
  std::string message;  // names the file and the line; empty on success

  explicit operator bool() const { return status == ElTableStatus::Ok; }
};

// Reads the text of a heat-capacity / coupling file named `fileName` (for the messages)
// into `out`; on failure `out` is unchanged.
ElTableResult ReadCeText(std::string_view text, const std::string& fileName, CeModel& out);
ElTableResult ReadGeText(std::string_view text, const std::string& fileName, GeModel& out);

// The same from a file.
ElTableResult INITCe(const std::string& path, CeModel& out);
ElTableResult INITGe(const std::string& path, GeModel& out);

// Reads a whole (small) text file; false with the system's error number when it cannot
// be opened or read. Files longer than `maxBytes` are refused (EFBIG).
bool ReadSmallTextFile(const std::string& path, std::string& text, int32_t& error,
                       size_t maxBytes = size_t(1) << 20);

// ---- sample files -------------------------------------------------------------------------

// The text of a heat-capacity file with the rows (Te, Ce(Te)) of `model` at the given
// temperatures, the density D [kg/m3] and `title` as its first line.
std::string CeFileText(const CeModel& model, Real D, const std::vector<Real>& Te,
                       std::string_view title);
// The text of a coupling file with the rows (Te, G(r0, Te)).
std::string GeFileText(const GeModel& model, Real D, Real r0, Real f, Real q,
                       const std::vector<Real>& Te, std::string_view title);
// An analytic model of a kind (2 with gamma [kJ/g/K^2] / G0 [kW/g/K], 27, 197).
CeModel AnalyticCe(int32_t kind, Real gamma = 0);
GeModel AnalyticGe(int32_t kind, Real r0, Real f, Real G0 = 0);

}  // namespace tarvex
