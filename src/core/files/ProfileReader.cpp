// The profile reader: titles, header, rows, coordinate rebuild, then the state.
#include "core/files/ProfileReader.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string_view>
#include <system_error>
#include <vector>

#include "core/common/NumStringFormat.h"
#include "core/common/Prompter.h"
#include "core/files/ProfileWriter.h"
#include "core/files/SaveOptions.h"
#include "core/hydro/HydrStat.h"
#include "core/optics/ComplexField.h"
#include "core/run/MainForm.h"
#include "core/run/ResultsTable.h"
#include "core/session/Session.h"
#include "core/session/SolverCatalog.h"
#include "core/setup/InitialConditions.h"
#include "core/spall/TensionRecord.h"

namespace tarvex {

namespace {

namespace fs = std::filesystem;

// ---- text helpers ---------------------------------------------------------------------

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r')) {
    s.remove_prefix(1);
  }
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) {
    s.remove_suffix(1);
  }
  return s;
}

std::string Upper(std::string_view s) {
  std::string u(s);
  for (char& c : u) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return u;
}

bool StartsWith(std::string_view s, std::string_view prefix) {
  return s.substr(0, prefix.size()) == prefix;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

std::vector<std::string_view> SplitWhite(std::string_view s) {
  std::vector<std::string_view> out;
  size_t k = 0;
  while (k < s.size()) {
    while (k < s.size() && (s[k] == ' ' || s[k] == '\t')) ++k;
    const size_t start = k;
    while (k < s.size() && s[k] != ' ' && s[k] != '\t') ++k;
    if (k > start) out.push_back(s.substr(start, k - start));
  }
  return out;
}

// Fields of a table row: TAB-separated when the line has TABs (a phase text may start
// with a blank), else separated by blanks.
void SplitFields(std::string_view line, std::vector<std::string_view>& out) {
  out.clear();
  if (line.find('\t') == std::string_view::npos) {
    out = SplitWhite(line);
    return;
  }
  size_t start = 0;
  for (;;) {
    const size_t tab = line.find('\t', start);
    out.push_back(Trim(line.substr(start, tab == std::string_view::npos ? tab : tab - start)));
    if (tab == std::string_view::npos) break;
    start = tab + 1;
  }
}

bool ReadWholeFile(const fs::path& path, std::string& content) {
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return false;
  const std::uintmax_t size = fs::file_size(path, ec);
  if (ec || size > kMaxProfileFileBytes) return false;
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  content.resize(static_cast<size_t>(size));
  in.read(content.data(), static_cast<std::streamsize>(size));
  content.resize(static_cast<size_t>(in.gcount()));
  return !in.bad();
}

bool ParseInt(std::string_view tok, int64_t& v) {
  tok = Trim(tok);
  if (!tok.empty() && tok.front() == '+') tok.remove_prefix(1);
  const auto r = std::from_chars(tok.data(), tok.data() + tok.size(), v);
  return r.ec == std::errc{} && r.ptr == tok.data() + tok.size();
}

// The unit in the last place of a number text ("0.0500" -> 1e-4, "1.25E-05" -> 1e-7):
// how finely the text can place its value.
Real LastPlace(std::string_view tok) {
  tok = Trim(tok);
  int32_t decimals = 0;
  int64_t exponent = 0;
  const size_t e = tok.find_first_of("Ee");
  const std::string_view mantissa = tok.substr(0, e);
  const size_t point = mantissa.find_first_of(".,p");
  if (point != std::string_view::npos) {
    decimals = static_cast<int32_t>(mantissa.size() - point - 1);
  }
  if (e != std::string_view::npos && !ParseInt(tok.substr(e + 1), exponent)) exponent = 0;
  exponent = std::clamp<int64_t>(exponent - decimals, -4900, 4900);
  Real place = 1;
  const Real base = exponent < 0 ? Real{0.1L} : Real{10};
  for (int64_t k = 0; k < (exponent < 0 ? -exponent : exponent); ++k) place *= base;
  return place;
}

// Significant digits of a number text ("0.01250" -> 4; "0" -> 0). A general format
// drops trailing zeros, so the precision a column was written with is the most digits
// of its texts.
int32_t SignificantDigits(std::string_view tok) {
  tok = Trim(tok);
  const std::string_view mantissa = tok.substr(0, tok.find_first_of("Ee"));
  int32_t digits = 0;
  bool leading = true;
  for (char c : mantissa) {
    if (c < '0' || c > '9') continue;
    if (leading && c == '0') continue;
    leading = false;
    ++digits;
  }
  return digits;
}

std::string RealText(Real x) {
  return TNumStringFormat().FormatValue(x);
}

// Significant digits that read an extended real back exactly.
constexpr int32_t kFullDigits = 21;

// ---- what the files say ----------------------------------------------------------------

struct TitleInfo {
  bool radial = false;
  bool frozen = false;
  bool twoT = false;
  bool nonMetal = false;
  bool elastic = false;
  int32_t depthSign = 0;
  int32_t iRho = -1, iV = -1, iP = -1, iE = -1, iT = -1;
  std::vector<std::string> titles;  // upper-cased, in column order
};

// A column of the file that holds an array of the solver class beyond x, v, P, T, E.
struct ArrayColumn {
  const SolverArrayInfo* array;
  int32_t column;
  std::vector<Real> values;  // one per cell row
};

struct HeaderInfo {
  bool present = false;
  bool hasDspc = false;
  int32_t Dspc = 1;
  Real Len = 0;
  Real x1 = 1;
  int32_t Div = 0;
  int32_t nFrom = 0;
  int32_t InGlass = 0;
  Real glassLen = 0;  // user units
  std::optional<Real> rho0, rho0l, glassDivisor, Ipdt;
  std::optional<Real> Eadd;  // energy added since the run's initial state [the header's unit]
  std::optional<Real> RefractPhase;  // imaginary part of "Refract = R +_i* h" [nm]
  std::optional<Real> RefractTini;   // its cold reference temperature [K]
  // The restart line: exact time, step in use, step-control state.
  std::optional<Real> exactTime;
  Real StepInUse = 0;
  StepControlState resume;
};

struct RowData {
  std::vector<Real> xList, rho, v, P, E, T;
  std::vector<Real> xPlace, rhoPlace;  // last places of the listed x and rho texts
  int32_t xDigits = 0;              // most significant digits of an x text: the precision written
  std::vector<ArrayColumn> arrays;  // the class's further arrays found in the titles
  bool nodeRow = false;
  Real xN = 0, vN = 0, Pout = 0, xNPlace = 0;
  std::optional<Real> Ipdt;
};

// Everything the load will set, computed before anything is set.
struct LoadPlan {
  SolverClass cls = SolverClass::None;
  const SolverClassInfo* info = nullptr;
  int32_t N = 0;
  int32_t Dspc = 1;
  bool frozen = false;
  bool twoT = false;
  bool nonMetal = false;
  Real x1 = 1;
  Real Len = 0;  // user units, Len * x1 = L0 = N h0
  Real h0 = 0;   // [cm]
  Real rho0 = 1;
  Real rho0l = 1;
  int32_t InGlass = 0;
  Real x0shift = 0;  // [cm]
  int32_t nFrom = 0;
  std::vector<Real> x, v, P, E, T;  // cm, cm/s, GPa, kJ/g, K; P has N + 1 entries
  std::optional<Real> Ipdt;
  std::optional<Real> glassEosDensity;
  Real SimTime = 0;
};

class Loader {
 public:
  Loader(const ProfileLoadTarget& t, std::string path, bool silent)
      : t_(t), s_(t.session), path_(std::move(path)), silent_(silent) {}

  ProfileLoadResult Run();

 private:
  // A refusal: the message is shown unless silent and returned.
  bool Refuse(std::string message) {
    result_.message = std::move(message);
    if (!silent_) s_.prompter.Inform(result_.message, MessageKind::Error);
    return false;
  }
  bool Cancelled() {
    result_.message.clear();
    return false;
  }
  bool LineError(size_t lineNo, std::string_view line) {
    std::string shown(line.substr(0, 30));
    return Refuse("Unexpected file format on line " + std::to_string(lineNo) + "\r" + shown +
                  "...");
  }
  bool Num(std::string_view tok, Real& v) const {
    tok = Trim(tok);
    if (tok.empty()) return false;
    Real r = 0;
    if (fmt_.Parse(tok, r) != TConvertStatus::Ok || !std::isfinite(r)) return false;
    v = r == 0 ? 0 : r;  // "-0" reads as 0
    return true;
  }

  bool BadHeader() { return Refuse("Unexpected format of file " + headerName_); }
  bool Titles(std::string_view line);
  bool Header();
  bool HeaderDimension(const std::vector<std::string_view>& lines, size_t& k);
  bool HeaderLength(const std::vector<std::string_view>& lines, size_t& k);
  bool HeaderGlass(const std::vector<std::string_view>& tok, size_t p);
  bool HeaderValues(const std::vector<std::string_view>& lines, size_t k);
  void RestartValues(std::string_view body);
  bool ChooseSolver();
  void FindArrayColumns();
  bool Rows();
  bool Build();
  bool PlanFromHeader();
  void FrozenGrid();
  bool MovingGrid();
  bool PlanarCoordinates();
  bool OneCellMass(const std::vector<Real>& r, const std::vector<Real>& listed, Real a,
                   Real b) const;
  void CurvedCoordinates();
  void Apply();

  const ProfileLoadTarget& t_;
  Session& s_;
  std::string path_;
  std::string headerName_;
  bool silent_;
  TNumStringFormat fmt_;
  ProfileLoadResult result_;
  std::vector<std::string_view> lines_;
  size_t firstRowLine_ = 0;
  bool closedLastLine_ = true;  // the content ends with a line end
  TitleInfo ti_;
  HeaderInfo hi_;
  RowData rows_;
  LoadPlan plan_;
};

bool Loader::Titles(std::string_view line) {
  const std::string upper = Upper(Trim(line));
  const std::vector<std::string_view> titles = SplitWhite(upper);
  auto secondOk = [&](std::string_view t) {
    return (t[0] == 'X' || t[0] == 'R') && (t.size() == 1 || t[1] == '(');
  };
  if (titles.size() < 3 || titles[0][0] != 'N' || !secondOk(titles[1])) {
    return Refuse("Unexpected file format");
  }
  for (std::string_view t : titles) ti_.titles.emplace_back(t);
  ti_.radial = titles[1][0] == 'R';
  const bool gridExists = s_.StateA != nullptr;
  if (!ti_.radial && s_.sim.Dspc != 1) return Refuse("1D data");
  if (ti_.radial && s_.sim.Dspc == 1 && gridExists) return Refuse("1D data");

  const std::string_view third = titles[2];
  const std::string rest =
      upper.substr(static_cast<size_t>(third.data() - upper.data()) + third.size());
  if (StartsWith(third, "T")) {
    ti_.frozen = true;
    ti_.twoT = StartsWith(third, "TI");
    ti_.nonMetal = rest.find('Z') != std::string::npos;
    ti_.iT = 2;
    // The total energy: the first "E" column that is not the ion or electron part.
    for (size_t c = 3; c < titles.size(); ++c) {
      const std::string_view tt = titles[c];
      if (tt[0] == 'E' && !StartsWith(tt, "EI") && !StartsWith(tt, "EE")) {
        ti_.iE = static_cast<int32_t>(c);
        break;
      }
    }
    if (ti_.iE < 0) return Refuse("Unexpected format of file " + path_);
  } else if (StartsWith(third, "RHO")) {
    if (titles.size() < 7 || titles[3][0] != 'V' || titles[4][0] != 'P') {
      return Refuse("Unexpected format of file " + path_);
    }
    ti_.iRho = 2;
    ti_.iV = 3;
    ti_.iP = 4;
    if (titles[5][0] == 'T' && titles[6][0] == 'E') {
      ti_.iT = 5;
      ti_.iE = 6;
    } else if (titles[5][0] == 'E' && titles[6][0] == 'T') {
      ti_.iE = 5;
      ti_.iT = 6;
    } else {
      return Refuse("Unexpected format of file " + path_);
    }
    ti_.twoT = StartsWith(titles[static_cast<size_t>(ti_.iT)], "TI");
    for (size_t c = 5; c < titles.size(); ++c) {
      if (StartsWith(titles[c], "Z")) ti_.nonMetal = true;
      if (StartsWith(titles[c], "SXX")) ti_.elastic = true;
    }
  } else {
    return Refuse("Unexpected format of file " + path_);
  }
  const std::string_view last = titles.back();
  if (StartsWith(last, "L-X") || StartsWith(last, "XGR0-X")) {
    ti_.depthSign = -1;
  } else if (last.find("-L") != std::string_view::npos) {
    ti_.depthSign = 1;
  }
  return true;
}

// The header file B + ".TXT": optional in planar geometry, required otherwise.
bool Loader::Header() {
  const fs::path table(path_);
  fs::path base = table;
  base.replace_extension();
  fs::path headerPath;
  for (const char* ext : {".TXT", ".txt", ".Txt"}) {
    fs::path candidate = base;
    candidate += ext;
    std::error_code ec;
    if (fs::exists(candidate, ec)) {
      headerPath = candidate;
      break;
    }
  }
  const bool planar = !ti_.radial && s_.sim.Dspc == 1;
  if (headerPath.empty()) {
    if (!planar) return Refuse("Cannot find " + base.string());
    // Only the header knows a substrate layer, the cell width and the densities: the
    // table alone loads as one film, which the person has to agree to.
    if (s_.prompter.Ask(
            std::string(kAskWithoutHeader) + base.string() + ".TXT" + kAskWithoutHeaderTail,
            AnswerSet::OkCancel()) != Answer::Ok) {
      return Cancelled();
    }
    return true;
  }
  std::string content;
  if (!ReadWholeFile(headerPath, content)) return Refuse("Cannot open file " + headerPath.string());
  headerName_ = headerPath.string();
  const std::vector<std::string_view> lines = SplitLines(content);
  hi_.present = true;
  size_t k = 0;
  if (!HeaderDimension(lines, k)) return false;
  ++k;  // the equation-of-state line
  if (!HeaderLength(lines, k)) return false;
  if (s_.StateA != nullptr && hi_.InGlass != s_.sim.InGlass) {
    return Refuse("Glass layer mismatch " + std::to_string(hi_.InGlass) + " - " +
                  std::to_string(s_.sim.InGlass));
  }
  return HeaderValues(lines, k);
}

// The optional first line: a digit followed by "D", the geometry of the file.
bool Loader::HeaderDimension(const std::vector<std::string_view>& lines, size_t& k) {
  if (k < lines.size()) {
    const std::string_view first = Trim(lines[k]);
    if (first.size() == 2 && first[0] >= '0' && first[0] <= '9' &&
        (first[1] == 'D' || first[1] == 'd')) {
      hi_.hasDspc = true;
      hi_.Dspc = first[0] - '0';
      ++k;
    }
  }
  if (hi_.Dspc < 1 || hi_.Dspc > 3) return BadHeader();
  if (s_.StateA != nullptr && hi_.Dspc != s_.sim.Dspc) return Refuse("Dimension mismatch");
  if (ti_.radial != (hi_.Dspc != 1)) return Refuse("Dimension mismatch");
  return true;
}

// "L0 = Len x x1  Div N [from nFrom] [x0shift|InGlass length div count] [; ...]": the
// first line that begins with "L0" from k on; k ends after it.
bool Loader::HeaderLength(const std::vector<std::string_view>& lines, size_t& k) {
  for (; k < lines.size(); ++k) {
    const std::string_view line = Trim(lines[k]);
    if (!StartsWith(Upper(line.substr(0, 2)), "L0")) continue;
    std::string_view body = line.substr(2);
    const size_t semicolon = body.find(';');
    if (semicolon != std::string_view::npos) body = body.substr(0, semicolon);
    const std::vector<std::string_view> tok = SplitWhite(body);
    size_t p = 0;
    if (p < tok.size() && tok[p] == "=") ++p;
    if (p >= tok.size() || !Num(tok[p], hi_.Len) || !(hi_.Len > 0)) return BadHeader();
    ++p;
    if (p < tok.size() && Upper(tok[p]) == "X") {
      if (p + 1 >= tok.size() || !Num(tok[p + 1], hi_.x1) || !(hi_.x1 > 0)) return BadHeader();
      p += 2;
    }
    int64_t div = 0;
    if (p + 1 >= tok.size() || Upper(tok[p]) != "DIV" || !ParseInt(tok[p + 1], div) || div < 1 ||
        div > TMainForm::kDimensionMax) {
      return BadHeader();
    }
    hi_.Div = static_cast<int32_t>(div);
    p += 2;
    if (p < tok.size() && Upper(tok[p]) == "FROM") {
      int64_t from = 0;
      if (p + 1 >= tok.size() || !ParseInt(tok[p + 1], from) || from < 0 || from > 1000000000) {
        return BadHeader();
      }
      hi_.nFrom = static_cast<int32_t>(from);
      p += 2;
    }
    if (p < tok.size() && !HeaderGlass(tok, p)) return false;
    ++k;
    return true;
  }
  return BadHeader();
}

// The glass part of the "L0 =" line: the key word, the glass length, " div " and the
// glass cell count (without it the count follows from the lengths).
bool Loader::HeaderGlass(const std::vector<std::string_view>& tok, size_t p) {
  const std::string key = Upper(tok[p]);
  if (p + 1 >= tok.size() || !Num(tok[p + 1], hi_.glassLen)) return BadHeader();
  p += 2;
  int64_t count = 0;
  if (p < tok.size() && Upper(tok[p]) == "DIV") {
    if (p + 1 >= tok.size() || !ParseInt(tok[p + 1], count)) return BadHeader();
  } else {
    const Real c = std::round(static_cast<Real>(hi_.Div) * std::fabs(hi_.glassLen) / hi_.Len);
    if (!(c <= TMainForm::kDimensionMax)) return BadHeader();
    count = static_cast<int64_t>(c);
    if (key == "INGLASS") count = -count;
  }
  if (count <= -TMainForm::kDimensionMax || count >= TMainForm::kDimensionMax) return BadHeader();
  hi_.InGlass = static_cast<int32_t>(count);
  if (hi_.InGlass == 0) hi_.glassLen = 0;
  return true;
}

// "rho0 = value[, glass value[/m]]" and "Int P dt = value ..." from k on.
// "t = T  Step = S  Visc = kind ref  R = R1 R2  Conv = 20 values": exact texts. A line
// that does not read whole is ignored (the set then loads as one without it).
void Loader::RestartValues(std::string_view body) {
  const std::vector<std::string_view> tok = SplitWhite(body);
  auto exact = [](std::string_view t, Real& v) {
    const auto r = std::from_chars(t.data(), t.data() + t.size(), v);
    return r.ec == std::errc{} && r.ptr == t.data() + t.size() && std::isfinite(v);
  };
  Real t = 0, step = 0;
  StepControlState r;
  int64_t kind = 0;
  size_t p = 0;
  auto key = [&](std::string_view name) {
    if (p + 1 < tok.size() && tok[p] == name && tok[p + 1] == "=") {
      p += 2;
      return true;
    }
    return false;
  };
  if (!key("t") || p >= tok.size() || !exact(tok[p++], t)) return;
  if (!key("Step") || p >= tok.size() || !exact(tok[p++], step) || step < 0) return;
  if (!key("Visc") || p + 1 >= tok.size() || !ParseInt(tok[p++], kind) ||
      !exact(tok[p++], r.ViscRef)) {
    return;
  }
  if (!key("R") || p + 1 >= tok.size() || !exact(tok[p++], r.R1) || !exact(tok[p++], r.R2)) return;
  if (!key("Conv") || p + r.conv.size() != tok.size()) return;
  for (Real& c : r.conv) {
    if (!exact(tok[p++], c)) return;
  }
  r.ViscKind = static_cast<int32_t>(kind);
  r.pending = true;
  hi_.exactTime = t;
  hi_.StepInUse = step;
  hi_.resume = r;
}

bool Loader::HeaderValues(const std::vector<std::string_view>& lines, size_t k) {
  for (; k < lines.size(); ++k) {
    const std::string_view line = Trim(lines[k]);
    const std::string upper = Upper(line);
    if (StartsWith(upper, "RHO0")) {
      const size_t eq = line.find('=');
      Real v = 0;
      std::string_view after = eq == std::string_view::npos ? line.substr(4) : line.substr(eq + 1);
      const size_t comma = after.find(',');
      if (!Num(after.substr(0, comma), v) || !(v > 0)) return BadHeader();
      hi_.rho0 = v;
      const size_t glass = upper.find("GLASS");
      if (glass != std::string::npos) {
        std::string_view g = line.substr(glass + 5);
        const size_t slash = g.find('/');
        Real r = 0;
        if (!Num(g.substr(0, slash), r) || !(r > 0)) return BadHeader();
        hi_.rho0l = r;
        Real m = 0;
        if (slash != std::string_view::npos && Num(g.substr(slash + 1), m) && m > 0) {
          hi_.glassDivisor = m;
        }
      }
    } else if (StartsWith(line, kRestartKey)) {
      RestartValues(line.substr(std::string_view(kRestartKey).size()));
    } else if (StartsWith(upper, "INT P DT")) {
      const size_t eq = line.find('=');
      if (eq == std::string_view::npos) continue;
      const std::vector<std::string_view> tok = SplitWhite(line.substr(eq + 1));
      Real v = 0;
      if (!tok.empty() && Num(tok[0], v)) hi_.Ipdt = v;
    } else if (StartsWith(upper, "ETHERM")) {
      // "Etherm = a   Ekin = b   Esumm = c   Eadd = d": the energy the run added so far,
      // which a continued run keeps counting from.
      const size_t at = upper.find("EADD");
      const size_t eq = at == std::string::npos ? at : line.find('=', at);
      if (eq == std::string_view::npos) continue;
      const std::vector<std::string_view> tok = SplitWhite(line.substr(eq + 1));
      Real v = 0;
      if (!tok.empty() && Num(tok[0], v) && std::isfinite(v)) hi_.Eadd = v;
    } else if (StartsWith(upper, "REFRACT")) {
      if (const std::optional<Complex> refr = ReadRefractLine(line, fmt_);
          refr && std::isfinite(refr->im)) {
        hi_.RefractPhase = refr->im;
      }
    } else if (StartsWith(line, kOpticalReferenceKey)) {
      Real t = 0;
      if (Num(line.substr(std::string_view(kOpticalReferenceKey).size()), t) && t > 0) {
        hi_.RefractTini = t;
      }
    }
  }
  return true;
}

bool Loader::ChooseSolver() {
  if (s_.StateA != nullptr) {
    plan_.cls = s_.stateClass;
    plan_.info = s_.stateInfo;
    FindArrayColumns();
    return true;
  }
  ProfileSignature file;
  file.frozen = ti_.frozen;
  file.twoT = ti_.twoT;
  file.nonMetal = ti_.nonMetal;
  file.elastic = ti_.elastic;
  const std::optional<SolverClass> cls = DeduceSolverClass(file, s_.prompter);
  if (!cls) return Cancelled();
  if (!SolverClassOf(*cls).Available()) {
    return Refuse(std::string("The solver class ") + SolverClassName(*cls) +
                  " is not available in this build");
  }
  plan_.cls = *cls;
  plan_.info = &SolverClassOf(*cls);
  FindArrayColumns();
  return true;
}

// The column title's name: what stands before "(" or "[" ("TE(N+1/2)[K]" -> "TE").
std::string_view TitleStem(std::string_view title) {
  return title.substr(0, title.find_first_of("(["));
}

void Loader::FindArrayColumns() {
  if (plan_.info == nullptr) return;
  const int32_t used[] = {0, 1, ti_.iRho, ti_.iV, ti_.iP, ti_.iE, ti_.iT};
  for (const SolverArrayInfo* a : ClassArrays(*plan_.info)) {
    const std::string stem = Upper(TitleStem(Trim(a->plainTitle)));
    for (size_t c = 0; c < ti_.titles.size(); ++c) {
      const int32_t col = static_cast<int32_t>(c);
      if (std::find(std::begin(used), std::end(used), col) != std::end(used)) continue;
      if (TitleStem(ti_.titles[c]) == stem) {
        rows_.arrays.push_back({a, col, {}});
        break;
      }
    }
  }
}

bool Loader::Rows() {
  const int32_t nFrom = hi_.nFrom;
  std::vector<std::string_view> f;
  int32_t index = 0;
  int32_t need = std::max(ti_.iE, ti_.iT);
  for (const ArrayColumn& a : rows_.arrays) need = std::max(need, a.column);
  for (size_t ln = firstRowLine_; ln < lines_.size(); ++ln) {
    const std::string_view line = lines_[ln];
    if (Trim(line).empty()) continue;
    const size_t lineNo = ln + 1;
    // The writer ends every line; a last line without its end was cut off while it was
    // written or copied, and its row (or node row) may have lost fields.
    if (ln + 1 == lines_.size() && !closedLastLine_ && !rows_.nodeRow) {
      return Refuse("Unexpected format of file " + path_ + ": the file ends inside line " +
                    std::to_string(lineNo) + " (cut off)");
    }
    if (rows_.nodeRow) {
      // A table row after the node row: the "node row" was a damaged cell row, and what
      // follows would be lost.
      SplitFields(line, f);
      int64_t number = 0;
      if (!f.empty() && ParseInt(f[0], number)) return LineError(lineNo, line);
      const std::string upper = Upper(line);
      const size_t at = upper.find("INT PDT");
      if (at != std::string::npos) {
        const std::string_view after = std::string_view(line).substr(at + 7);
        const size_t eq = after.find('=');
        const std::vector<std::string_view> tok =
            SplitWhite(eq == std::string_view::npos ? after : after.substr(eq + 1));
        Real v = 0;
        if (!tok.empty() && Num(tok[0], v)) rows_.Ipdt = v;
      }
      continue;
    }
    SplitFields(line, f);
    int64_t number = 0;
    if (f.empty() || !ParseInt(f[0], number) || number != static_cast<int64_t>(index) + nFrom) {
      return LineError(lineNo, line);
    }
    if (!ti_.frozen) {
      int32_t lastSet = 0;
      int32_t filled = 0;
      for (size_t c = 1; c < f.size(); ++c) {
        if (!f[c].empty()) {
          lastSet = static_cast<int32_t>(c);
          ++filled;
        }
      }
      if (filled == 3 && lastSet == 3) {  // short node row: x, v, P
        if (!Num(f[1], rows_.xN) || !Num(f[2], rows_.vN) || !Num(f[3], rows_.Pout)) {
          return LineError(lineNo, line);
        }
        rows_.xNPlace = LastPlace(f[1]);
        rows_.xDigits = std::max(rows_.xDigits, SignificantDigits(f[1]));
        rows_.nodeRow = true;
        continue;
      }
      if (filled == 4 && lastSet == 4) {  // the writer's node row: x, "0", v, Pout
        Real zero = 1;
        if (!Num(f[1], rows_.xN) || !Num(f[2], zero) || zero != 0 || !Num(f[3], rows_.vN) ||
            !Num(f[4], rows_.Pout)) {
          return LineError(lineNo, line);
        }
        rows_.xNPlace = LastPlace(f[1]);
        rows_.xDigits = std::max(rows_.xDigits, SignificantDigits(f[1]));
        rows_.nodeRow = true;
        continue;
      }
    }
    if (index >= TMainForm::kDimensionMax) {
      return Refuse("Unexpected format of file " + path_ + ": more than " +
                    std::to_string(TMainForm::kDimensionMax) + " cells");
    }
    if (static_cast<int32_t>(f.size()) <= need) return LineError(lineNo, line);
    Real x = 0, T = 0, E = 0;
    if (!Num(f[1], x) || !Num(f[static_cast<size_t>(ti_.iT)], T) ||
        !Num(f[static_cast<size_t>(ti_.iE)], E)) {
      return LineError(lineNo, line);
    }
    for (ArrayColumn& a : rows_.arrays) {
      Real value = 0;
      if (!Num(f[static_cast<size_t>(a.column)], value)) return LineError(lineNo, line);
      a.values.push_back(value);
    }
    rows_.xList.push_back(x);
    rows_.xPlace.push_back(LastPlace(f[1]));
    rows_.xDigits = std::max(rows_.xDigits, SignificantDigits(f[1]));
    rows_.T.push_back(T);
    rows_.E.push_back(E);
    if (!ti_.frozen) {
      Real rho = 0, v = 0, P = 0;
      if (!Num(f[static_cast<size_t>(ti_.iRho)], rho) || !(rho > 0) ||
          !Num(f[static_cast<size_t>(ti_.iV)], v) || !Num(f[static_cast<size_t>(ti_.iP)], P)) {
        return LineError(lineNo, line);
      }
      rows_.rho.push_back(rho);
      rows_.rhoPlace.push_back(LastPlace(f[static_cast<size_t>(ti_.iRho)]));
      rows_.v.push_back(v);
      rows_.P.push_back(P);
    }
    ++index;
  }
  const int32_t rowsRead = index + (rows_.nodeRow ? 1 : 0);
  if (rowsRead < 3 || (!ti_.frozen && !rows_.nodeRow)) {
    return Refuse("Unexpected format of file " + path_);
  }
  return true;
}

// Coordinates, units and layer constants of the new state.
bool Loader::Build() {
  LoadPlan& p = plan_;
  const int32_t N = static_cast<int32_t>(rows_.T.size());
  p.N = N;
  p.frozen = ti_.frozen;
  p.twoT = ti_.twoT;
  p.nonMetal = ti_.nonMetal;
  p.nFrom = hi_.nFrom;
  p.Dspc = hi_.present ? hi_.Dspc : s_.sim.Dspc;
  if (hi_.present) {
    if (!PlanFromHeader()) return false;
  } else {
    p.x1 = t_.main.x1Edit.StoredValue() > 0 ? t_.main.x1Edit.StoredValue() : 1;
    p.rho0 = s_.sim.rho0 > 0 ? s_.sim.rho0 : 1;
    p.rho0l = s_.sim.rho0l;
    p.InGlass = 0;
    p.x0shift = 0;
  }
  if (std::abs(p.InGlass) >= N) return Refuse("Unexpected format of file " + path_);

  const size_t n = static_cast<size_t>(N);
  p.x.assign(n + 1, 0);
  p.v.assign(n + 1, 0);
  p.P.assign(n + 1, 0);
  p.E = rows_.E;
  p.T = rows_.T;
  if (ti_.frozen) {
    FrozenGrid();
    // The substrate of a frozen grid stays where the set-up put it: its cells span the
    // length the header gives. A header whose substrate cell count is not the table's
    // would make film of substrate cells or the reverse.
    if (hi_.present && p.InGlass != 0 && hi_.glassLen != 0) {
      const int32_t g = std::abs(p.InGlass);
      const int32_t a = p.InGlass > 0 ? 0 : N - g;  // first node of the substrate
      const Real length = p.x[static_cast<size_t>(a + g)] - p.x[static_cast<size_t>(a)];
      const Real expected = std::fabs(hi_.glassLen) * p.x1;
      if (!(std::fabs(length - expected) <= 0.25L * std::fabs(length) / g)) {
        return Refuse("Unexpected format of file " + path_ + ": its header " + headerName_ +
                      " gives the substrate " + std::to_string(g) + " cells of " +
                      RealText(std::fabs(hi_.glassLen)) + " in all, its table's " +
                      std::to_string(g) + " cells there span " + RealText(length / p.x1) +
                      " (a header of another set)");
      }
    }
  } else if (!MovingGrid()) {
    return false;
  }
  for (size_t j = 0; j <= n; ++j) {
    if (!std::isfinite(p.x[j]) || (j > 0 && !(p.x[j] > p.x[j - 1]))) {
      return Refuse("Unexpected format of file " + path_ + ": the coordinates do not increase");
    }
  }
  if (!(p.h0 > 0) || !std::isfinite(p.h0)) return Refuse("Unexpected format of file " + path_);
  p.Len = p.h0 * N / p.x1;
  p.Ipdt = rows_.Ipdt ? rows_.Ipdt : hi_.Ipdt;
  std::optional<Real> time = TimeFromName(path_, t_.options.NameStr);
  // The name carries the time rounded (an interrupted interval's 0.09985 is named 0.1);
  // the header's exact time is the state's, as long as the name still stands for it (a
  // renamed set keeps the time of its name).
  if (hi_.exactTime && time) {
    // Half a unit in the last digit of the name's number, relative.
    // Only the digits of the number count, not those of a suffix after it ("_break2").
    const std::string stem = fs::path(path_).stem().string();
    size_t end = 0;
    while (end < stem.size() && ((stem[end] >= '0' && stem[end] <= '9') || stem[end] == 'p' ||
                                 stem[end] == '#' || stem[end] == '-' || stem[end] == '+')) {
      ++end;
    }
    const int32_t digits = std::max(1, SignificantDigits(std::string_view(stem).substr(0, end)));
    Real tolerance = 0.5L;
    for (int32_t k = 1; k < digits; ++k) tolerance /= 10;
    if (std::fabs(*hi_.exactTime - *time) <= 1.001L * tolerance * std::fabs(*time)) {
      time = hi_.exactTime;
    }
  }
  p.SimTime = time.value_or(0);
  result_.time = time;
  result_.Eadd = hi_.Eadd;
  result_.RefractPhase = hi_.RefractPhase;
  result_.RefractTini = hi_.RefractTini;
  return true;
}

// What the header says: unit, cell width, layers and densities (a density differing by
// more than 1e-4 of the sum replaces the current one), the glass-density question.
bool Loader::PlanFromHeader() {
  LoadPlan& p = plan_;
  Prompter& pr = s_.prompter;
  // A frozen grid keeps every cell where the set-up put it: its table lists Div cells, and
  // fewer rows are a table cut at a line end (which, without a node row, reads whole), more
  // or fewer a header of another set. Loading it would drop the top of the film.
  if (ti_.frozen && p.N != hi_.Div) {
    return Refuse("Unexpected format of file " + path_ + ": its table has " + std::to_string(p.N) +
                  " cells, its header " + headerName_ + " says Div " + std::to_string(hi_.Div) +
                  " (a cut table, or a header of another set)");
  }
  if (!ti_.frozen && p.N != hi_.Div) {
    const Answer a =
        pr.Ask("Data dimension " + std::to_string(p.N) + " not equal " + std::to_string(hi_.Div),
               AnswerSet::OkCancel());
    if (a != Answer::Ok) return Cancelled();
  }
  p.x1 = hi_.x1;
  p.h0 = hi_.Len * hi_.x1 / hi_.Div;
  p.InGlass = hi_.InGlass;
  p.x0shift = -std::fabs(hi_.glassLen) * hi_.x1;
  const Real cur = s_.sim.rho0;
  p.rho0 = cur;
  if (hi_.rho0 && std::fabs(*hi_.rho0 - cur) > 1e-4L * (*hi_.rho0 + cur)) p.rho0 = *hi_.rho0;
  p.rho0l = s_.sim.rho0l;
  if (p.InGlass != 0 && hi_.rho0l) {
    const Real curl = s_.sim.rho0l;
    if (std::fabs(*hi_.rho0l - curl) > 1e-4L * (*hi_.rho0l + curl)) p.rho0l = *hi_.rho0l;
  }
  if (p.InGlass != 0 && hi_.glassDivisor) {
    const Real glassDensity = p.rho0l / std::round(*hi_.glassDivisor);
    const std::optional<Real> eosDensity = t_.initial.GlassEosDensity;
    if (!eosDensity || *eosDensity == 0) {
      p.glassEosDensity = glassDensity;
    } else if (std::fabs(*eosDensity - glassDensity) > 0.01L * glassDensity) {
      if (pr.Ask(std::string(kAskGlassDensity) + RealText(glassDensity) + "?", AnswerSet::OkNo()) ==
          Answer::Ok) {
        p.glassEosDensity = glassDensity;
      }
    }
  }
  return true;
}

// The nodes never moved: the listed coordinates are the grid; the last node is one cell
// width (as the one before) past the last listed node. Without a header the cell width
// follows from the node spacing.
void Loader::FrozenGrid() {
  LoadPlan& p = plan_;
  const int32_t N = p.N;
  const size_t n = static_cast<size_t>(N);
  for (int32_t j = 0; j < N; ++j) p.x[j] = rows_.xList[j] * p.x1;
  p.x[n] = 2 * p.x[n - 1] - p.x[n - 2];
  if (!hi_.present) {
    const Real w0 = rows_.xList[1] - rows_.xList[0];
    bool even = true;
    for (int32_t j = 1; j < N; ++j) {
      const Real w = rows_.xList[j] - rows_.xList[j - 1];
      if (std::fabs(w - w0) > 1e-6L * std::fabs(w0)) even = false;
    }
    const Real length = even ? N * w0 : (p.x[n] - p.x[0]) / p.x1;
    p.h0 = length * p.x1 / N;
  }
  p.P[n] = s_.sim.Pout;
}

// A moving grid: velocities and pressures as listed, the coordinates rebuilt from the
// cell masses and densities so that every cell keeps its mass.
bool Loader::MovingGrid() {
  LoadPlan& p = plan_;
  const int32_t N = p.N;
  const size_t n = static_cast<size_t>(N);
  const Real vScale = s_.eos.EosScale != 0 ? s_.eos.EosScale : 1;
  for (int32_t j = 0; j < N; ++j) {
    p.v[j] = rows_.v[j] * vScale;
    p.P[j] = rows_.P[j];
  }
  p.v[n] = rows_.vN * vScale;
  p.P[n] = rows_.Pout;
  if (p.Dspc == 1) {
    if (!PlanarCoordinates()) return false;
  } else {
    CurvedCoordinates();
  }
  // A set this program wrote with full precision (an extended real needs 21 significant
  // digits to read back exactly; the restart line marks the writer): the listed nodes are the
  // nodes, to the last bit, and the cells keep their masses to rounding. A continued run then
  // repeats the steps of the uninterrupted one; rebuilt nodes would differ in the last bits, which
  // the step control's discrete choices can turn into differences of the truncation error.
  if (hi_.exactTime && rows_.xDigits >= kFullDigits) {
    for (int32_t j = 0; j < N; ++j) p.x[j] = rows_.xList[j] * p.x1;
    p.x[n] = rows_.xN * p.x1;
  }
  return true;
}

// Without a header every cell is taken to have one mass m: then the nodes rebuilt from
// the densities, a r_j + b, lie on the listed nodes within what the texts can resolve
// (the last place of x, and the last places of the densities summed over the widths).
// A substrate layer of another cell mass bends the line by whole cells.
bool Loader::OneCellMass(const std::vector<Real>& r, const std::vector<Real>& listed, Real a,
                         Real b) const {
  const size_t n = rows_.rho.size();
  Real rhoSpread = 0;  // accumulated position uncertainty from the density texts
  for (size_t j = 0; j <= n; ++j) {
    const Real xPlace = j < n ? rows_.xPlace[j] : rows_.xNPlace;
    if (j > 0) {
      const size_t i = j - 1;
      rhoSpread += (listed[j] - listed[i] > 0 ? listed[j] - listed[i] : 0) * rows_.rhoPlace[i] /
                   rows_.rho[i];
    }
    const Real tolerance = 2 * (xPlace + rhoSpread) + 1e-12L * std::fabs(listed[j]);
    if (std::fabs(a * r[j] + b - listed[j]) > tolerance) return false;
  }
  return true;
}

// Planar: x_{i+1} = x_i + m / rho_i, then the least-squares fit onto the listed nodes
// (offset only with a header; scale and offset without one, the scale giving the cell
// width and the density).
bool Loader::PlanarCoordinates() {
  LoadPlan& p = plan_;
  const int32_t N = p.N;
  const size_t n = static_cast<size_t>(N);
  const Real m = hi_.present ? p.h0 * p.rho0 / p.x1 : 1;  // in user length units
  std::vector<Real> r(n + 1, 0);
  for (int32_t i = 0; i < N; ++i) r[i + 1] = r[i] + m / rows_.rho[i];
  std::vector<Real> listed(rows_.xList);
  listed.push_back(rows_.xN);
  Real a = 1;
  Real b = 0;
  if (hi_.present) {
    Real sum = 0;
    for (size_t j = 0; j <= n; ++j) sum += listed[j] - r[j];
    b = sum / static_cast<Real>(n + 1);
  } else {
    Real sr = 0, sl = 0, srr = 0, srl = 0;
    for (size_t j = 0; j <= n; ++j) {
      sr += r[j];
      sl += listed[j];
      srr += r[j] * r[j];
      srl += r[j] * listed[j];
    }
    const Real cnt = static_cast<Real>(n + 1);
    const Real det = cnt * srr - sr * sr;
    a = det != 0 ? (cnt * srl - sr * sl) / det : 0;
    b = (sl - a * sr) / cnt;
    if (!(a > 0) || !std::isfinite(a) || !std::isfinite(b)) {
      return Refuse("Unexpected format of file " + path_);
    }
    if (!OneCellMass(r, listed, a, b)) {
      fs::path base(path_);
      base.replace_extension();
      return Refuse("Cannot find " + base.string() + ".TXT: the cells of " + path_ +
                    " differ in mass (a substrate layer?), which only the header file "
                    "describes");
    }
    // The initial cell width: rounded to a multiple of a power of ten (or of its half
    // below three of them), the length and density following from it.
    Real P = a / p.rho0;
    const Real Q = std::pow(Real{10}, std::floor(std::log10(P)));
    const Real step = P < 3 * Q ? Q / 2 : Q;
    P = std::max(step, std::round(P / step) * step);
    const Real rho0 = a / P;
    if (std::fabs(rho0 - p.rho0) > 1e-4L * p.rho0) p.rho0 = rho0;
    p.h0 = P * p.x1;
  }
  for (size_t j = 0; j <= n; ++j) p.x[j] = (a * r[j] + b) * p.x1;
  return true;
}

// Curved: x_{i+1}^D = x_i^D + D M_i / rho_i with the shell masses of the initial grid,
// starting at the listed radius of node 0.
void Loader::CurvedCoordinates() {
  LoadPlan& p = plan_;
  const int32_t N = p.N;
  const int32_t D = p.Dspc;
  const Real h0 = p.h0;
  Real R = std::pow(rows_.xList[0] * p.x1, static_cast<Real>(D));
  if (!(R >= 0)) R = 0;
  p.x[0] = rows_.xList[0] > 0 ? rows_.xList[0] * p.x1 : 0;
  for (int32_t i = 0; i < N; ++i) {
    const bool glass = IsSubstrateCell(i, N, p.InGlass);
    const Real density0 = glass ? p.rho0l : p.rho0;
    const Real mass = density0 * PowerDifference(D, i * h0, (i + 1) * h0) / D;
    R += D * mass / rows_.rho[i];
    p.x[static_cast<size_t>(i) + 1] = std::pow(R, 1 / static_cast<Real>(D));
  }
}

void Loader::Apply() {
  const LoadPlan& p = plan_;
  Session& s = s_;
  SimParams& sp = s.sim;
  const int32_t N = p.N;
  // Creates the instances of the file's class, or resizes the existing ones (whose class
  // ChooseSolver already took over into the plan).
  s.EnsureInstances(p.cls, N);
  // The file's cell width stays exact (resizing derived one from the old L0).
  SetGrid(s, {N, p.h0 * N, p.h0, p.rho0, p.rho0l, p.InGlass, p.Dspc});
  sp.x0shift = p.x0shift;
  // The loaded outer pressure is also the base of a ramp set up earlier.
  sp.Pout = sp.Pout0 = p.P[static_cast<size_t>(N)];
  sp.SimTime = p.SimTime;
  for (THydrStat* st : {s.StateA, s.StateB, s.StateC}) {
    std::copy(p.x.begin(), p.x.end(), st->x.begin());
    std::copy(p.v.begin(), p.v.end(), st->v.begin());
    std::copy(p.P.begin(), p.P.end(), st->P.begin());
    std::copy(p.T.begin(), p.T.end(), st->T.begin());
    std::copy(p.E.begin(), p.E.end(), st->E.begin());
  }
  // The class's further arrays, as the file lists them (a node array's last node, which
  // the node row does not carry, keeps what the instance holds).
  for (const ArrayColumn& a : rows_.arrays) {
    for (THydrStat* st : {s.StateA, s.StateB, s.StateC}) {
      if (RealArray* dst = st->ArrayByName(a.array->name)) {
        std::copy_n(a.values.begin(), std::min(a.values.size(), dst->size()), dst->begin());
      }
    }
  }
  if (p.frozen) {
    // A frozen-grid table holds no pressures: they follow from the equation of state of
    // each cell's medium at its density and temperature, so that the loaded cells are in
    // the state their T and E describe.
    const EosState& e = s.eos;
    for (int32_t i = 0; i < N; ++i) {
      const bool glass = IsSubstrateCell(i, N, p.InGlass);
      const Slot2& fp = (glass && e.LeftEos.P) ? e.LeftEos.P : e.ActiveEos.P;
      const Real P = fp ? fp(s.StateA->Density(i), p.T[static_cast<size_t>(i)]) : 0;
      const Real Pi = std::isfinite(P) ? P : 0;
      for (THydrStat* st : {s.StateA, s.StateB, s.StateC}) st->P[i] = Pi;
    }
  }
  s.bounds.NoMove = p.frozen;
  if (p.Ipdt) s.Ipdt = *p.Ipdt;
  // The step control of the run that wrote the set, for the next Calculate.
  s.run.StepInUse = hi_.exactTime ? hi_.StepInUse : 0;
  s.run.resume = hi_.resume;

  TMainForm& m = t_.main;
  m.x1Edit.SetValue(p.x1);
  m.Len.SetValue(p.Len);
  m.SetDimension(N);
  m.Rho0.SetValue(p.rho0);
  m.Pout.SetValue(sp.Pout);
  m.TotalTime.SetValue(p.SimTime);
  m.TotalTimeEdited = true;
  m.TimeLVEdited = false;
  m.LeaveTotalTime();
  m.CalculateEnabled = true;

  t_.table.nFrom = p.nFrom;

  TInitional& d = t_.initial;
  if (p.glassEosDensity) d.GlassEosDensity = *p.glassEosDensity;
  if (p.twoT) d.InitProfile = p.nonMetal ? kModelEq : std::max(d.InitProfile, kModelTiTeT0);
  d.DspcUpDown = p.Dspc;
  if (p.frozen) {
    d.MoveType = kMoveNone;
  } else if (d.MoveType == kMoveNone) {
    d.MoveType = kMoveFree;
  }
  if (p.InGlass != 0) d.rho0l.SetValue(p.rho0l);

  fs::path dir = fs::path(path_).parent_path();
  result_.LoadedDir = dir.empty() ? std::string("./") : WithTrailingSeparator(dir.string());
  t_.options.SaveDir = result_.LoadedDir;
}

ProfileLoadResult Loader::Run() {
  std::string content;
  if (!ReadWholeFile(fs::path(path_), content)) {
    Refuse("Cannot open file " + path_);
    return result_;
  }
  fmt_ = *t_.main.tableFormat;
  lines_ = SplitLines(content);
  closedLastLine_ = content.empty() || content.back() == '\n';
  size_t k = 0;
  while (k < lines_.size() && Trim(lines_[k]).empty()) ++k;
  if (k == lines_.size()) {
    Refuse("Unexpected file format");
    return result_;
  }
  firstRowLine_ = k + 1;
  if (!Titles(lines_[k]) || !Header() || !ChooseSolver() || !Rows() || !Build()) return result_;
  // The tension times of the film cells, "Tneg.dat" beside the table: part of the set, so
  // a file that does not read refuses the whole load; without one the record starts
  // afresh.
  TTensionRecord tension;
  const fs::path tnegPath = fs::path(path_).parent_path() / "Tneg.dat";
  std::error_code ec;
  if (fs::exists(tnegPath, ec)) {
    std::string text;
    if (!ReadWholeFile(tnegPath, text)) {
      Refuse("Cannot open file " + tnegPath.string());
      return result_;
    }
    const TTensionLoadResult r = tension.Load(text, plan_.N, tnegPath.string());
    if (!r) {
      Refuse(r.message);
      return result_;
    }
  }
  Apply();
  s_.tension = std::move(tension);
  result_.ok = true;
  return result_;
}

}  // namespace

ProfileLoadResult LoadProfile(const ProfileLoadTarget& target, const std::string& path,
                              bool silent) {
  Loader loader(target, path, silent);
  return loader.Run();
}

}  // namespace tarvex
