// Readers, splines, the energy integral and its inverse for the electron data files.
#include "core/electron/ElectronTables.h"

#include <algorithm>
#include <cerrno>
#include <cfenv>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <limits>
#include <sstream>

#include "core/common/FpGuard.h"
#include "core/common/NewtonCycle.h"
#include "core/electron/ElectronCommon.h"

namespace tarvex {

// ---- splines ------------------------------------------------------------------------------

void BuildNaturalSpline(ElSpline& s) {
  const size_t n = s.X.size();
  s.S.assign(n, 0);
  s.I.assign(n, 0);
  if (n < 2) return;
  // Slopes of the natural cubic spline: for each inner node continuity of the second
  // derivative, (1/h0) S[k-1] + 2 (1/h0 + 1/h1) S[k] + (1/h1) S[k+1]
  //   = 3 ((Y[k] - Y[k-1])/h0^2 + (Y[k+1] - Y[k])/h1^2),
  // and at the ends a zero second derivative: 2 S[0] + S[1] = 3 (Y[1] - Y[0])/h, likewise.
  // Solved by elimination down the diagonal (the system is diagonally dominant).
  std::vector<Real> diag(n), upper(n), rhs(n);
  for (size_t k = 0; k < n; ++k) {
    Real lower = 0;
    diag[k] = 0;
    upper[k] = 0;
    rhs[k] = 0;
    if (k > 0) {
      const Real h = s.X[k] - s.X[k - 1];
      lower = 1 / h;
      diag[k] += 2 / h;
      rhs[k] += 3 * (s.Y[k] - s.Y[k - 1]) / (h * h);
    }
    if (k + 1 < n) {
      const Real h = s.X[k + 1] - s.X[k];
      upper[k] = 1 / h;
      diag[k] += 2 / h;
      rhs[k] += 3 * (s.Y[k + 1] - s.Y[k]) / (h * h);
    }
    if (k > 0) {
      const Real m = lower / diag[k - 1];
      diag[k] -= m * upper[k - 1];
      rhs[k] -= m * rhs[k - 1];
    }
  }
  s.S[n - 1] = rhs[n - 1] / diag[n - 1];
  for (size_t k = n - 1; k-- > 0;) s.S[k] = (rhs[k] - upper[k] * s.S[k + 1]) / diag[k];
  for (size_t k = 1; k < n; ++k) {
    const Real H = s.X[k] - s.X[k - 1];
    const Real sl = (s.Y[k] - s.Y[k - 1]) / H;
    const Real w = s.S[k] - sl - (sl - s.S[k - 1]);
    // The integral of the Hermite cubic over the whole interval.
    s.I[k] =
        s.I[k - 1] + H * (s.Y[k - 1] + H * (s.S[k - 1] / 2 + (sl - s.S[k - 1] - w) / 3 + w / 4));
  }
}

namespace {

// The Hermite cubic on [X[c-1], X[c]] at u = x - X[c-1]: Y0 + S0 u + c2 u^2/H + w u^3/H^2.
struct Segment {
  Real x0, H, Y0, S0, c2, w, I0;

  Real Value(Real u) const {
    const Real t = u / H;
    return (t * (c2 + t * w) + S0) * u + Y0;
  }
  Real Integral(Real u) const {
    const Real t = u / H;
    return u * (Y0 + u * (S0 / 2 + t * (c2 / 3 + t * w / 4)));
  }
};

Segment SegmentOf(const ElSpline& s, size_t c) {
  const Real H = s.X[c] - s.X[c - 1];
  const Real sl = (s.Y[c] - s.Y[c - 1]) / H;
  const Real w = s.S[c] - sl - (sl - s.S[c - 1]);
  return {s.X[c - 1], H, s.Y[c - 1], s.S[c - 1], sl - s.S[c - 1] - w, w, s.I[c - 1]};
}

// The interval c (1..n-1) with X[c-1] <= x < X[c]; x inside the table.
size_t IntervalOf(const ElSpline& s, Real x) {
  const auto it = std::upper_bound(s.X.begin(), s.X.end(), x);
  const size_t c = static_cast<size_t>(it - s.X.begin());
  return std::clamp<size_t>(c, 1, s.X.size() - 1);
}

// An energy the inverse cannot reach: an invalid operation the caller's FpGuard sees.
Real RangeFault() {
  std::feraiseexcept(FE_INVALID);
  return std::numeric_limits<Real>::quiet_NaN();
}

}  // namespace

Real SplineValue(const ElSpline& s, Real x) {
  const size_t n = s.X.size();
  if (x <= s.X[0]) return s.Y[0] + (x - s.X[0]) * s.S[0];
  if (x >= s.X[n - 1]) return s.Y[n - 1] + (x - s.X[n - 1]) * s.S[n - 1];
  const Segment g = SegmentOf(s, IntervalOf(s, x));
  return g.Value(x - g.x0);
}

Real SplineIntegral(const ElSpline& s, Real x) {
  const size_t n = s.X.size();
  if (x <= s.X[0]) return 0;
  if (x >= s.X[n - 1]) {
    const Real dx = x - s.X[n - 1];
    return s.I[n - 1] + dx * (s.Y[n - 1] + s.S[n - 1] * dx / 2);
  }
  const Segment g = SegmentOf(s, IntervalOf(s, x));
  return g.I0 + g.Integral(x - g.x0);
}

// ---- the models -----------------------------------------------------------------------------

namespace {

// The analytic heat capacities of kinds 27 and 197 [kJ/g/K^2 ...].
constexpr Real kAlEe = 5.995897422e-7L;
constexpr Real kAlCe = 1.1991794844e-6L;
constexpr Real kAlInv = 1667807.0514195664638L;  // 1/kAlEe
constexpr Real kAuEe = 3.4494663467e-07L;
constexpr Real kAuCe = 6.8989326934e-07L;
constexpr Real kAuTe = 8500;  // [K]
// The analytic couplings [kW/g/K].
constexpr Real kAlG = 0.00299794871111L;
constexpr Real kAuGd = 0.004388374346373L;
constexpr Real kAuG0 = 0.000204110434715L;
constexpr Real kBeVCoupling = 8.617333262145177e-05L;  // [eV/K]

// p/(p + 1) with p = (Te/8500)^3, and 1/(p + 1).
struct AuShape {
  Real q, inv;
};
AuShape AuShapeAt(Real Te) {
  const Real r = Te / kAuTe;
  const Real p = r * r * r;
  const Real inv = 1 / (p + 1);
  return {p * inv, inv};
}

Real AuEe(Real Te) {
  return kAuEe * Te * Te * (1 + 1.25L * AuShapeAt(Te).q);
}

Real AuCe(Real Te) {
  const AuShape a = AuShapeAt(Te);
  return kAuCe * Te * (1 + 1.25L * a.q * (1 + 1.5L * a.inv));
}

Real TableInverse(const ElSpline& s, Real Ee) {
  const size_t n = s.X.size();
  if (!(Ee > 0)) return s.X[0];  // no energy: at or below the first temperature
  if (Ee > s.I[n - 1]) {
    // Above the table the energy is I[n-1] + Y dx + S dx^2/2: the root that the rising
    // energy reaches first.
    const Real R = Ee - s.I[n - 1];
    const Real Y = s.Y[n - 1];
    const Real S = s.S[n - 1];
    const Real disc = Y * Y + 2 * S * R;
    if (!(disc >= 0)) return RangeFault();
    const Real den = Y + std::sqrt(disc);
    if (!(den > 0)) return RangeFault();
    return s.X[n - 1] + 2 * R / den;
  }
  // The first node a >= 1 whose integral reaches Ee: the root lies in [X[a-1], X[a]].
  const auto it = std::lower_bound(s.I.begin() + 1, s.I.end(), Ee);
  const size_t a = static_cast<size_t>(it - s.I.begin());
  const Segment g = SegmentOf(s, a);
  const Real R = Ee - g.I0;
  // Start where the energy of a heat capacity linear between the nodes reaches Ee:
  // R = Y0 u + k u^2/2 with k = (Y1 - Y0)/H, the root that grows from u = 0.
  const Real k = (s.Y[a] - g.Y0) / g.H;
  const Real disc = g.Y0 * g.Y0 + 2 * k * R;
  const Real den = g.Y0 + std::sqrt(std::max(disc, Real(0)));
  Real u0 = den > 0 ? 2 * R / den : g.H * R / (s.I[a] - g.I0);
  if (!(u0 >= 0 && u0 <= g.H)) u0 = g.H * R / (s.I[a] - g.I0);
  const Real T0 = g.x0 + u0;
  const Real T = NewtonWithCycleGuard(T0, [&](Real Te) {
    const Real u = Te - g.x0;
    return Te - (g.Integral(u) - R) / g.Value(u);
  });
  const Real u = T - g.x0;
  const Real tol = 1e-9L * g.H;
  if (!(u >= -tol && u <= g.H + tol && std::fabs(g.Integral(u) - R) <= 1e-9L * Ee)) {
    return RangeFault();
  }
  return T;
}

}  // namespace

Real TableCe(const CeModel& m, Real, Real Te) {
  switch (m.kind) {
    case kElTableRows:
      return SplineValue(m.spline, Te);
    case kElTableLinear:
      return m.gamma * Te;
    case kElTableAl:
      return kAlCe * Te;
    case kElTableAu:
      return AuCe(Te);
    default:
      return 0;
  }
}

Real TableEe(const CeModel& m, Real, Real Te) {
  switch (m.kind) {
    case kElTableRows:
      return SplineIntegral(m.spline, Te);
    case kElTableLinear:
      return m.halfGamma * Te * Te;
    case kElTableAl:
      return kAlEe * Te * Te;
    case kElTableAu:
      return AuEe(Te);
    default:
      return 0;
  }
}

Real TableTeOfEe(const CeModel& m, Real, Real Ee) {
  switch (m.kind) {
    case kElTableRows:
      return TableInverse(m.spline, Ee);
    case kElTableLinear:
      return Ee > 0 ? std::sqrt(Ee * m.twoOverGamma) : 0;
    case kElTableAl:
      return Ee > 0 ? std::sqrt(Ee * kAlInv) : 0;
    case kElTableAu: {
      if (!(Ee > 0)) return 0;
      // Ee/kAuEe lies between Te^2 and 2.25 Te^2: start inside and let Newton finish.
      const Real T0 = std::sqrt(Ee / kAuEe) / 1.25L;
      return NewtonWithCycleGuard(T0, [&](Real Te) { return Te - (AuEe(Te) - Ee) / AuCe(Te); });
    }
    default:
      return 0;
  }
}

Real TableCoupling(const GeModel& m, Real rho, Real Te) {
  const Real F = m.fOverR0 * rho + (1 - m.f);
  switch (m.kind) {
    case kElTableRows:
      return SplineValue(m.spline, Te) * F;
    case kElTableLinear:
      return m.G0 * F;
    case kElTableAl:
      return kAlG * F;
    case kElTableAu:
      return (kAuGd * DBandCouplingShape(Te * kBeVCoupling) + kAuG0) * F;
    default:
      return 0;
  }
}

// ---- readers ------------------------------------------------------------------------------

namespace {

// Free-format reading of numbers from a text, with the line of every token.
class TokenReader {
 public:
  explicit TokenReader(std::string_view text) : t_(text) {}

  // The line the reader is on (1-based).
  int32_t Line() const { return line_; }
  bool AtEnd() const { return pos_ >= t_.size(); }

  // The next token, across line ends; false at the end of the text.
  bool Next(std::string_view& token) {
    while (pos_ < t_.size() && IsSpace(t_[pos_])) {
      if (t_[pos_] == '\n') ++line_;
      ++pos_;
    }
    if (pos_ >= t_.size()) return false;
    const size_t start = pos_;
    while (pos_ < t_.size() && !IsSpace(t_[pos_])) ++pos_;
    token = t_.substr(start, pos_ - start);
    return true;
  }

  // Discards the rest of the line.
  void SkipLine() {
    while (pos_ < t_.size() && t_[pos_] != '\n') ++pos_;
    if (pos_ < t_.size()) {
      ++pos_;
      ++line_;
    }
  }

 private:
  static bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
  }

  std::string_view t_;
  size_t pos_ = 0;
  int32_t line_ = 1;
};

std::string Shown(std::string_view token) {
  constexpr size_t kMax = 40;
  std::string s(token.substr(0, kMax));
  for (char& c : s) {
    if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7f) c = '?';
  }
  if (token.size() > kMax) s += "...";
  return s;
}

// "token" followed by `text` and `what` and a closing parenthesis (appended piecewise: g++ 12
// reports a false overlap for a chain of + on a string literal).
std::string Quoted(std::string_view token, const char* text, const char* what) {
  std::string s = "\"";
  s.append(Shown(token)).append("\"").append(text).append(what).append(")");
  return s;
}

bool ParseReal(std::string_view token, Real& value) {
  if (!token.empty() && token.front() == '+') token.remove_prefix(1);
  if (!token.empty() && (token.front() == '+' || token.front() == '-') && token.size() > 1 &&
      (token[1] == '+' || token[1] == '-')) {
    return false;
  }
  // The library's reading of the 80-bit type runs past the given end to the next NUL: it
  // gets a terminated copy (no number needs more digits than this).
  char buf[128];
  if (token.size() >= sizeof buf) return false;
  token.copy(buf, token.size());
  buf[token.size()] = '\0';
  const char* end = buf + token.size();
  const auto r = std::from_chars(buf, end, value);
  return r.ec == std::errc() && r.ptr == end && std::isfinite(value);
}

bool ParseInt(std::string_view token, int32_t& value) {
  if (!token.empty() && token.front() == '+') token.remove_prefix(1);
  if (!token.empty() && token.front() == '+') return false;
  const char* end = token.data() + token.size();
  const auto r = std::from_chars(token.data(), end, value);
  return r.ec == std::errc() && r.ptr == end;
}

// Reading state of one file: the messages name the file and the line.
class FileReading {
 public:
  FileReading(std::string_view text, const std::string& fileName) : in_(text), file_(fileName) {}

  ElTableResult Fail(ElTableStatus status, std::string what) const {
    return FailAt(status, in_.Line(), std::move(what));
  }
  ElTableResult FailAt(ElTableStatus status, int32_t line, std::string what) const {
    ElTableResult r;
    r.status = status;
    r.code = CodeOf(status);
    r.message = file_ + ", line " + std::to_string(line) + ": " + what;
    return r;
  }

  // A real / an integer called `what`; on failure `error` is set.
  bool Real_(Real& v, const char* what, ElTableResult& error) {
    std::string_view tok;
    if (!in_.Next(tok)) {
      error = Fail(ElTableStatus::Malformed, std::string(what) + " is missing (the file ends)");
      return false;
    }
    if (!ParseReal(tok, v)) {
      error = Fail(ElTableStatus::Malformed, Quoted(tok, " is not a finite number (", what));
      return false;
    }
    return true;
  }
  bool Int_(int32_t& v, const char* what, ElTableResult& error) {
    std::string_view tok;
    if (!in_.Next(tok)) {
      error = Fail(ElTableStatus::Malformed, std::string(what) + " is missing (the file ends)");
      return false;
    }
    if (!ParseInt(tok, v)) {
      error = Fail(ElTableStatus::Malformed, Quoted(tok, " is not an integer (", what));
      return false;
    }
    return true;
  }

  TokenReader& In() { return in_; }

  static int32_t CodeOf(ElTableStatus s) {
    switch (s) {
      case ElTableStatus::Ok:
        return 0;
      case ElTableStatus::BadHeader:
        return 1;
      case ElTableStatus::TooManyRows:
        return 2;
      case ElTableStatus::NotIncreasing:
        return 3;
      case ElTableStatus::UnknownKind:
        return 4;
      default:
        return 5;
    }
  }

 private:
  TokenReader in_;
  const std::string& file_;
};

// Title line, then the density D [kg/m3] on the next line; returns false with `error`.
bool ReadTitle(FileReading& f, ElTableResult& error) {
  if (f.In().AtEnd()) {
    error = f.Fail(ElTableStatus::Malformed, "the file is empty");
    return false;
  }
  f.In().SkipLine();
  return true;
}

bool CheckDensity(FileReading& f, Real D, int32_t line, ElTableResult& error) {
  if (D == 0) {
    error = f.FailAt(ElTableStatus::BadHeader, line, "the material density D is 0");
    return false;
  }
  if (D < 0) {
    error = f.FailAt(ElTableStatus::BadHeader, line, "the material density D must be positive");
    return false;
  }
  return true;
}

bool ReadRowCount(FileReading& f, int32_t& n, ElTableResult& error) {
  if (!f.Int_(n, "the number of rows", error)) return false;
  const int32_t line = f.In().Line();
  f.In().SkipLine();
  if (n == 0) {
    error = f.FailAt(ElTableStatus::BadHeader, line, "the number of rows is 0");
    return false;
  }
  if (n < 0) {
    error = f.FailAt(ElTableStatus::BadHeader, line, "the number of rows must be positive");
    return false;
  }
  if (n > kMaxElTableRows) {
    error = f.FailAt(ElTableStatus::TooManyRows, line,
                     "Rows num overlow (" + std::to_string(n) + " rows, at most " +
                         std::to_string(kMaxElTableRows) + ")");
    return false;
  }
  return true;
}

// n rows "Te value" into X and Y (Y times `scale`); `label` is "TeCe" or "TeGe".
bool ReadRows(FileReading& f, int32_t n, Real scale, const char* label, const char* quantity,
              ElSpline& s, ElTableResult& error) {
  s.X.reserve(static_cast<size_t>(n));
  s.Y.reserve(static_cast<size_t>(n));
  for (int32_t k = 1; k <= n; ++k) {
    Real Te = 0, v = 0;
    if (!f.Real_(Te, "the temperature of a row", error)) return false;
    const int32_t line = f.In().Line();
    if (!f.Real_(v, quantity, error)) return false;
    f.In().SkipLine();
    if (Te < 0) {
      error = f.FailAt(ElTableStatus::Malformed, line,
                       "the temperature of row " + std::to_string(k) + " is negative");
      return false;
    }
    if (v < 0) {
      error = f.FailAt(ElTableStatus::Malformed, line,
                       std::string(quantity) + " of row " + std::to_string(k) + " is negative");
      return false;
    }
    if (k > 1 && !(Te > s.X.back())) {
      error = f.FailAt(ElTableStatus::NotIncreasing, line,
                       std::string(label) + " not increase at k " + std::to_string(k));
      return false;
    }
    if (!std::isfinite(v * scale)) {
      error = f.FailAt(ElTableStatus::Malformed, line,
                       std::string(quantity) + " of row " + std::to_string(k) + " is out of range");
      return false;
    }
    s.X.push_back(Te);
    s.Y.push_back(v * scale);
  }
  {
    FpGuard guard;  // faults of absurd magnitudes are caught below, not passed on
    BuildNaturalSpline(s);
    guard.Reset();
  }
  for (size_t k = 0; k < s.X.size(); ++k) {
    if (!(std::isfinite(s.S[k]) && std::isfinite(s.I[k]))) {
      error =
          f.Fail(ElTableStatus::Malformed, "the rows' values are out of range for a spline (row " +
                                               std::to_string(k + 1) + ")");
      return false;
    }
  }
  return true;
}

}  // namespace

ElTableResult ReadCeText(std::string_view text, const std::string& fileName, CeModel& out) {
  FileReading f(text, fileName);
  ElTableResult error;
  Real D = 0;
  int32_t n = 0;
  if (!ReadTitle(f, error) || !f.Real_(D, "the material density D", error)) return error;
  const int32_t headerLine = f.In().Line();
  f.In().SkipLine();
  if (!CheckDensity(f, D, headerLine, error) || !ReadRowCount(f, n, error)) return error;
  const Real scale = 1e-6L / D;  // J/(m3 K) per kg/m3 -> kJ/(g K)
  CeModel m;
  m.density = D / 1000;
  if (n < 3) {
    int32_t kind = 0;
    if (!f.Int_(kind, "the heat-capacity kind kCe", error)) return error;
    const int32_t line = f.In().Line();
    if (kind == kElTableLinear) {
      Real gamma = 0;
      if (!f.Real_(gamma, "the coefficient gamma", error)) return error;
      if (!(gamma > 0 && std::isfinite(gamma * scale) && gamma * scale > 0)) {
        return f.FailAt(ElTableStatus::Malformed, line, "the coefficient gamma must be positive");
      }
      m = AnalyticCe(kElTableLinear, gamma * scale);
    } else if (kind == kElTableAl || kind == kElTableAu) {
      m = AnalyticCe(kind);
    } else {
      // Mended: an unknown kind ends the reading with a message, not the program.
      return f.FailAt(ElTableStatus::UnknownKind, line,
                      "INITCe: unknown kCe (" + std::to_string(kind) + "; known: 2, 27, 197)");
    }
    m.density = D / 1000;
    out = std::move(m);
    return {};
  }
  if (!ReadRows(f, n, scale, "TeCe", "the heat capacity Ce", m.spline, error)) return error;
  for (size_t k = 1; k < m.spline.I.size(); ++k) {
    if (!(m.spline.I[k] > m.spline.I[k - 1])) {
      return f.FailAt(ElTableStatus::Malformed, f.In().Line(),
                      "the heat capacity between rows " + std::to_string(k) + " and " +
                          std::to_string(k + 1) +
                          " does not raise the energy (the spline is not positive there)");
    }
  }
  m.kind = kElTableRows;
  m.TeMax = m.spline.X.back();
  out = std::move(m);
  return {};
}

ElTableResult ReadGeText(std::string_view text, const std::string& fileName, GeModel& out) {
  FileReading f(text, fileName);
  ElTableResult error;
  Real D = 0, r0 = 0, fr = 0, q = 0;
  int32_t n = 0;
  if (!ReadTitle(f, error) || !f.Real_(D, "the material density D", error) ||
      !f.Real_(r0, "the reference density r0", error) ||
      !f.Real_(fr, "the density fraction f", error) ||
      !f.Real_(q, "the fourth header value q", error)) {
    return error;
  }
  const int32_t headerLine = f.In().Line();
  f.In().SkipLine();
  if (!CheckDensity(f, D, headerLine, error)) return error;
  if (fr != 0 && !(r0 > 0)) {
    return f.FailAt(ElTableStatus::BadHeader, headerLine,
                    "the reference density r0 must be positive when f is not 0");
  }
  if (!ReadRowCount(f, n, error)) return error;
  const Real scale = 1e-6L / D;  // W/(m3 K) per kg/m3 -> kW/(g K)
  GeModel m;
  if (n < 3) {
    int32_t kind = 0;
    if (!f.Int_(kind, "the coupling kind kGe", error)) return error;
    const int32_t line = f.In().Line();
    f.In().SkipLine();
    if (kind == kElTableLinear) {
      Real G0 = 0;
      if (!f.Real_(G0, "the constant coupling G0", error)) return error;
      if (!(G0 >= 0 && std::isfinite(G0 * scale))) {
        return f.Fail(ElTableStatus::Malformed, "the constant coupling G0 must not be negative");
      }
      m = AnalyticGe(kElTableLinear, r0, fr, G0 * scale);
    } else if (kind == kElTableAl || kind == kElTableAu) {
      m = AnalyticGe(kind, r0, fr);
    } else if (kind <= 0) {
      m = AnalyticGe(kElTableNone, r0, fr);  // the file sets no coupling
    } else {
      // Mended: an unknown kind is a reading error, not an arithmetic fault.
      return f.FailAt(ElTableStatus::UnknownKind, line,
                      "INITGe: unknown kGe (" + std::to_string(kind) + "; known: 2, 27, 197)");
    }
  } else {
    m = AnalyticGe(kElTableRows, r0, fr);
    if (!ReadRows(f, n, scale, "TeGe", "the coupling G", m.spline, error)) return error;
  }
  m.qHalf = q / 2;
  m.density = D / 1000;
  out = std::move(m);
  return {};
}

bool ReadSmallTextFile(const std::string& path, std::string& text, int32_t& error,
                       size_t maxBytes) {
  errno = 0;
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = errno != 0 ? errno : ENOENT;
    return false;
  }
  std::ostringstream s;
  char buf[4096];
  size_t total = 0;
  while (in.read(buf, sizeof buf) || in.gcount() > 0) {
    total += static_cast<size_t>(in.gcount());
    if (total > maxBytes) {
      error = EFBIG;
      return false;
    }
    s.write(buf, in.gcount());
  }
  if (in.bad()) {
    error = EIO;
    return false;
  }
  text = s.str();
  return true;
}

namespace {

ElTableResult CannotOpen(const std::string& path, int32_t err) {
  ElTableResult r;
  r.status = ElTableStatus::CannotOpen;
  r.code = err;
  r.message = "Cannot open " + path + ": " + std::strerror(err);
  return r;
}

}  // namespace

ElTableResult INITCe(const std::string& path, CeModel& out) {
  std::string text;
  int32_t err = 0;
  if (!ReadSmallTextFile(path, text, err)) return CannotOpen(path, err);
  return ReadCeText(text, path, out);
}

ElTableResult INITGe(const std::string& path, GeModel& out) {
  std::string text;
  int32_t err = 0;
  if (!ReadSmallTextFile(path, text, err)) return CannotOpen(path, err);
  return ReadGeText(text, path, out);
}

// ---- sample files -------------------------------------------------------------------------

CeModel AnalyticCe(int32_t kind, Real gamma) {
  CeModel m;
  m.kind = kind;
  if (kind == kElTableLinear) {
    m.gamma = gamma;
    m.halfGamma = gamma / 2;
    m.twoOverGamma = 2 / gamma;
  }
  return m;
}

GeModel AnalyticGe(int32_t kind, Real r0, Real f, Real G0) {
  GeModel m;
  m.kind = kind;
  m.G0 = G0;
  m.r0 = r0;
  m.f = f;
  m.fOverR0 = f != 0 ? f / r0 : 0;
  return m;
}

namespace {

std::string Number(Real v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.15Lg", v);
  return buf;
}

}  // namespace

std::string CeFileText(const CeModel& model, Real D, const std::vector<Real>& Te,
                       std::string_view title) {
  std::string s(title);
  s += "\r\n" + Number(D) + "\tD [kg/m3]\r\n" + std::to_string(Te.size()) +
       "\trows: Te [K], Ce [J/(m3 K)]\r\n";
  const Real toFile = D / 1e-6L;
  for (Real T : Te) s += Number(T) + "\t" + Number(TableCe(model, 0, T) * toFile) + "\r\n";
  return s;
}

std::string GeFileText(const GeModel& model, Real D, Real r0, Real f, Real q,
                       const std::vector<Real>& Te, std::string_view title) {
  std::string s(title);
  s += "\r\n" + Number(D) + "\t" + Number(r0) + "\t" + Number(f) + "\t" + Number(q) +
       "\tD [kg/m3], r0 [g/cm3], f, q\r\n" + std::to_string(Te.size()) +
       "\trows: Te [K], G [W/(m3 K)]\r\n";
  const Real toFile = D / 1e-6L;
  for (Real T : Te) s += Number(T) + "\t" + Number(TableCoupling(model, r0, T) * toFile) + "\r\n";
  return s;
}

}  // namespace tarvex
