// Text formats of tabulated equations of state: description, grid files, real and
// phase-code tables.
#include "core/eos/EosTableFiles.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fstream>
#include <system_error>

#include "core/numerics/GridFunctions.h"

namespace tarvex {

namespace {

const TNumStringFormat& Reader() {
  static const TNumStringFormat format;  // the default format: '.' and ',' both decimal
  return format;
}

// The lines of a text; CR LF, LF and a lone CR all end a line.
std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\n' && text[i] != '\r') continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

std::string_view Trim(std::string_view s) {
  const size_t a = s.find_first_not_of(" \t");
  if (a == std::string_view::npos) return {};
  const size_t b = s.find_last_not_of(" \t");
  return s.substr(a, b - a + 1);
}

// A quoted excerpt of a line for a message: printable characters only, at most 40.
std::string Excerpt(std::string_view s) {
  std::string out = "\"";
  for (size_t i = 0; i < s.size() && i < 40; ++i) {
    const auto c = static_cast<unsigned char>(s[i]);
    out += (c >= 32 && c < 127) ? static_cast<char>(c) : '?';
  }
  if (s.size() > 40) out += "...";
  return out + "\"";
}

bool Fail(TableFileError& err, const std::string& file, int32_t line, std::string message) {
  err.file = file;
  err.line = line;
  err.message = std::move(message);
  return false;
}

// The first number of a line and, when present, the second, both before a unit in
// square brackets (a unit such as "cm3/g" holds digits that are no multiplier).
struct LineNumbers {
  int32_t count = 0;
  Real first = 0;
  Real second = 0;
};

LineNumbers NumbersOf(std::string_view line) {
  const size_t bracket = line.find('[');
  std::string_view rest = line.substr(0, bracket);
  LineNumbers n;
  size_t end = 0;
  if (!Reader().ExtractFloat(rest, n.first, nullptr, 0, &end)) return n;
  n.count = 1;
  if (Reader().ExtractFloat(rest.substr(end), n.second)) n.count = 2;
  return n;
}

std::string UnitOf(std::string_view line) {
  const size_t open = line.find('[');
  if (open == std::string_view::npos) return {};
  const size_t close = line.find(']', open + 1);
  if (close == std::string_view::npos) return {};
  return std::string(Trim(line.substr(open + 1, close - open - 1)));
}

// Reads the number of a description line (initial/final temperature or volume): the
// first number, multiplied by a non-zero second one, which also becomes the multiplier.
bool ReadScaled(const std::vector<std::string_view>& lines, int32_t index, const char* what,
                const std::string& file, Real& value, Real& mult, TableFileError& err) {
  if (index >= static_cast<int32_t>(lines.size())) {
    return Fail(err, file, index + 1, std::string("the description ends before the ") + what);
  }
  const LineNumbers n = NumbersOf(lines[static_cast<size_t>(index)]);
  if (n.count == 0) {
    return Fail(err, file, index + 1,
                std::string("no number for the ") + what + " in " +
                    Excerpt(lines[static_cast<size_t>(index)]));
  }
  value = n.first;
  if (n.count == 2 && n.second != 0) {
    mult = n.second;
    value *= n.second;
  }
  if (!std::isfinite(value)) {
    return Fail(err, file, index + 1,
                std::string("the ") + what + " is beyond the range of numbers");
  }
  return true;
}

bool ReadInt(const std::vector<std::string_view>& lines, int32_t index, const char* what,
             const std::string& file, int32_t& value, TableFileError& err) {
  if (index >= static_cast<int32_t>(lines.size())) {
    return Fail(err, file, index + 1, std::string("the description ends before the ") + what);
  }
  if (!Reader().ExtractInt(lines[static_cast<size_t>(index)], value)) {
    return Fail(err, file, index + 1,
                std::string("no integer for the ") + what + " in " +
                    Excerpt(lines[static_cast<size_t>(index)]));
  }
  return true;
}

// Step and label of a generated grid (the label shows the ratio of neighbours for a
// logarithmic grid).
void GridStep(Real first, Real last, int32_t n, bool logarithmic, Real& step, std::string& label) {
  step = 0;
  if (!logarithmic) {
    label = "Lin";
    if (n >= 2) step = (last - first) / (n - 1);
    return;
  }
  label = "Log";
  if (n >= 2 && first > 0 && last > 0) {
    step = std::log(last / first) / (n - 1);
    label +=
        " " +
        std::string(Trim(TNumStringFormat(TFloatFormat::ffGeneral, 8).FormatValue(std::exp(step))));
  }
}

std::string InvertUnit(const std::string& unit) {
  const size_t slash = unit.find('/');
  if (slash == std::string::npos) return "1/" + unit;
  return unit.substr(slash + 1) + "/" + unit.substr(0, slash);
}

bool IsTableSeparator(char c) {
  return c == ' ' || c == '\t' || c == ',';
}

// Reads the values of one field of a real table into `out` (more than one when numbers
// of 15 characters stand without a blank between them). False when the field is not a
// number; `outOfRange` tells a number beyond the range of the type.
bool ReadField(std::string_view field, RealArray& out, bool& outOfRange) {
  outOfRange = false;
  Real v = 0;
  const TConvertStatus whole = Reader().Parse(field, v);
  if (whole == TConvertStatus::Ok) {
    if (!std::isfinite(v)) return false;
    out.push_back(v);
    return true;
  }
  if (whole == TConvertStatus::OutOfRange) {
    outOfRange = true;
    return false;
  }
  std::string_view rest = field;
  while (!rest.empty()) {
    std::string number;
    size_t end = 0;
    if (!Reader().ExtractFloat(rest, v, &number, kTableFieldWidth, &end)) return false;
    if (end != number.size() || !std::isfinite(v)) return false;  // must start the field
    out.push_back(v);
    rest = rest.substr(end);
    if (!rest.empty() && rest.front() != '-' && rest.front() != '+') return false;
  }
  return true;
}

void AppendCrLf(std::string& s) {
  s += "\r\n";
}

}  // namespace

std::string TableFileError::Text() const {
  if (line > 0) return file + ":" + std::to_string(line) + ": " + message;
  return file + ": " + message;
}

bool ParseTableDescription(std::string_view text, const std::string& fileName,
                           TTableDescription& out, TableFileError& err) {
  TTableDescription d;
  const std::vector<std::string_view> lines = SplitLines(text);
  d.lines.reserve(lines.size());
  for (std::string_view l : lines) d.lines.emplace_back(l);

  const auto count = static_cast<int32_t>(lines.size());
  for (int32_t i = 1; i < count; ++i) {
    const std::string_view l = lines[static_cast<size_t>(i)];
    if (l.find("material") != std::string_view::npos || l.find(".eos") != std::string_view::npos) {
      d.materialLine = i;
      break;
    }
  }
  if (d.materialLine < 0) {
    return Fail(err, fileName, 0,
                "no line names the material (a line holding \"material\" or \".eos\" after the "
                "title)");
  }
  const int32_t M = d.materialLine;
  const std::string_view mline = lines[static_cast<size_t>(M)];
  if (const size_t eos = mline.find(".eos"); eos != std::string_view::npos) {
    size_t start = eos;
    while (start > 0 && mline[start - 1] >= '0' && mline[start - 1] <= 'z') --start;
    d.eosFile = std::string(mline.substr(start, eos + 4 - start));
  }
  std::string digits;
  if (Reader().ExtractInt(mline, d.materialNumber, &digits)) d.Material = digits;

  if (!ReadScaled(lines, M + 1, "initial temperature", fileName, d.TIni, d.TMult, err))
    return false;
  if (!ReadScaled(lines, M + 2, "final temperature", fileName, d.TFin, d.TMult, err)) return false;
  d.TUnit = UnitOf(lines[static_cast<size_t>(M + 2)]);
  if (d.TUnit == "kK") {
    d.TMult = 1000;
    d.TIni *= 1000;
    d.TFin *= 1000;
    d.TUnit = "K";
  }
  if (!ReadScaled(lines, M + 3, "initial volume", fileName, d.VIni, d.VMult, err)) return false;
  if (!ReadScaled(lines, M + 4, "final volume", fileName, d.VFin, d.VMult, err)) return false;
  const std::string vunit = UnitOf(lines[static_cast<size_t>(M + 4)]);
  d.VUnit = vunit == "-" ? "V0" : vunit;
  d.RhoUnit = InvertUnit(d.VUnit);

  if (!ReadInt(lines, M + 5, "number of temperatures", fileName, d.NT, err)) return false;
  if (!ReadInt(lines, M + 6, "number of volumes", fileName, d.NV, err)) return false;
  int32_t tKind = 0;
  int32_t vKind = 0;
  if (!ReadInt(lines, M + 7, "temperature grid kind", fileName, tKind, err)) return false;
  if (!ReadInt(lines, M + 8, "volume grid kind", fileName, vKind, err)) return false;
  d.TLog = tKind != 0;
  d.VLog = vKind != 0;
  GridStep(d.TIni, d.TFin, d.NT, d.TLog, d.TStep, d.TGridLabel);
  GridStep(d.VIni, d.VFin, d.NV, d.VLog, d.VStep, d.VGridLabel);

  for (int32_t i = M + 9; i < count; ++i) {
    if (lines[static_cast<size_t>(i)].find("List of materials") == std::string_view::npos) continue;
    const int64_t entry = int64_t{i} + d.materialNumber;
    if (d.materialNumber >= 0 && entry < count) {
      const std::string_view name = Trim(lines[static_cast<size_t>(entry)]);
      if (!name.empty()) d.Material += (d.Material.empty() ? "" : " ") + std::string(name);
    }
    break;
  }
  out = std::move(d);
  return true;
}

bool MakeTableGrid(Real first, Real last, int32_t n, bool logarithmic, RealArray& grid,
                   std::string& message) {
  if (n < 2 || n > kMaxTableAxisPoints) {
    message = "a grid needs 2 to " + std::to_string(kMaxTableAxisPoints) + " points, not " +
              std::to_string(n);
    return false;
  }
  if (!std::isfinite(first) || !std::isfinite(last) || first == last) {
    message = "the first and the last grid value must be different finite numbers";
    return false;
  }
  if (logarithmic && (first <= 0 || last <= 0)) {
    message = "a logarithmic grid needs positive first and last values";
    return false;
  }
  TableAxis axis;
  axis.kind = logarithmic ? AxisKind::Exponential : AxisKind::Linear;
  axis.x0 = first;
  axis.h = logarithmic ? std::log(last / first) / (n - 1) : (last - first) / (n - 1);
  grid.resize(static_cast<size_t>(n));
  for (int32_t i = 0; i < n; ++i) grid[static_cast<size_t>(i)] = axis.ValueAtIndex(i);
  return true;
}

bool ParseGridFile(std::string_view text, const std::string& fileName, Real multiplier,
                   RealArray& values, TableFileError& err) {
  RealArray v;
  const std::vector<std::string_view> lines = SplitLines(text);
  for (size_t li = 0; li < lines.size(); ++li) {
    const std::string_view line = lines[li];
    const auto lineNo = static_cast<int32_t>(li + 1);
    size_t i = 0;
    while (i < line.size()) {
      const char c = line[i];
      if (c == ' ' || c == '\t' || c == ',' || c == ';') {
        ++i;
        continue;
      }
      size_t j = i;
      while (j < line.size() && line[j] != ' ' && line[j] != '\t' && line[j] != ',' &&
             line[j] != ';') {
        ++j;
      }
      const std::string_view token = line.substr(i, j - i);
      i = j;
      Real x = 0;
      const TConvertStatus status = Reader().Parse(token, x);
      if (status != TConvertStatus::Ok || !std::isfinite(x)) {
        return Fail(err, fileName, lineNo,
                    Excerpt(token) + (status == TConvertStatus::OutOfRange
                                          ? " is beyond the range of numbers"
                                          : " is not a number"));
      }
      if (x == 0) continue;  // zeros are no grid values
      x *= multiplier;
      if (!std::isfinite(x)) {
        return Fail(err, fileName, lineNo, Excerpt(token) + " is beyond the range of numbers");
      }
      if (static_cast<int64_t>(v.size()) >= kMaxTableAxisPoints) {
        return Fail(err, fileName, lineNo,
                    "more than " + std::to_string(kMaxTableAxisPoints) + " grid values");
      }
      v.push_back(x);
    }
  }
  if (v.size() < 2) {
    return Fail(
        err, fileName, 0,
        "a grid needs at least 2 non-zero values, the file holds " + std::to_string(v.size()));
  }
  values = std::move(v);
  return true;
}

bool ParseRealTable(std::string_view text, const std::string& fileName, int32_t NT, int32_t NV,
                    const TAllowWord& allow, RealArray& values, TableFileError& err) {
  if (NT < 1 || NV < 1 || int64_t{NT} * NV > kMaxTablePoints) {
    return Fail(err, fileName, 0,
                "a table of " + std::to_string(NT) + " x " + std::to_string(NV) +
                    " values is beyond the limits");
  }
  const auto total = static_cast<size_t>(int64_t{NT} * NV);
  RealArray v;
  v.reserve(std::min(total, text.size() + 1));
  std::vector<char> allowedColumns(static_cast<size_t>(NV), 0);
  const std::vector<std::string_view> lines = SplitLines(text);
  int32_t lastLine = 0;
  for (size_t li = 0; li < lines.size(); ++li) {
    const std::string_view line = lines[li];
    const auto lineNo = static_cast<int32_t>(li + 1);
    bool afterTabOrComma = true;  // the start of a line counts as one
    size_t i = 0;
    while (i < line.size()) {
      const char c = line[i];
      if (c == ' ') {
        ++i;
        continue;
      }
      if (c == '\t' || c == ',') {
        if (afterTabOrComma) {
          if (v.size() >= total) {
            return Fail(err, fileName, lineNo,
                        "more values than the " + std::to_string(NT) + " x " + std::to_string(NV) +
                            " of the grid");
          }
          v.push_back(0);  // empty field
          lastLine = lineNo;
        }
        afterTabOrComma = true;
        ++i;
        continue;
      }
      size_t j = i;
      while (j < line.size() && !IsTableSeparator(line[j])) ++j;
      const std::string_view field = line.substr(i, j - i);
      i = j;
      afterTabOrComma = false;
      if (v.size() >= total) {
        return Fail(err, fileName, lineNo,
                    "more values than the " + std::to_string(NT) + " x " + std::to_string(NV) +
                        " of the grid");
      }
      const size_t before = v.size();
      bool outOfRange = false;
      if (!ReadField(field, v, outOfRange)) {
        v.resize(before);
        const auto column = static_cast<int32_t>(before % static_cast<size_t>(NV)) + 1;
        if (outOfRange) {
          return Fail(err, fileName, lineNo, Excerpt(field) + " is beyond the range of numbers");
        }
        char& allowed = allowedColumns[static_cast<size_t>(column - 1)];
        if (!allowed && allow) allowed = allow(std::string(field), column) ? 1 : 0;
        if (!allowed) {
          return Fail(err, fileName, lineNo,
                      Excerpt(field) + " in column " + std::to_string(column) + " is not a number");
        }
        v.push_back(0);
      }
      if (v.size() > total) {
        return Fail(err, fileName, lineNo,
                    "more values than the " + std::to_string(NT) + " x " + std::to_string(NV) +
                        " of the grid");
      }
      lastLine = lineNo;
    }
  }
  if (v.size() < total) {
    const size_t rows = v.size() / static_cast<size_t>(NV);
    const size_t inRow = v.size() % static_cast<size_t>(NV);
    if (inRow != 0) {
      return Fail(err, fileName, lastLine,
                  "the file ends inside row " + std::to_string(rows + 1) + " (" +
                      std::to_string(inRow) + " of " + std::to_string(NV) + " values)");
    }
    return Fail(err, fileName, lastLine,
                "the file holds " + std::to_string(rows) + " rows, the grid has " +
                    std::to_string(NT) + " temperatures");
  }
  values = std::move(v);
  return true;
}

bool ParsePhaseTable(std::string_view text, const std::string& fileName, int32_t NT, int32_t NV,
                     std::vector<PhaseCode>& codes, TableFileError& err) {
  if (NT < 1 || NV < 1 || int64_t{NT} * NV > kMaxTablePoints) {
    return Fail(err, fileName, 0,
                "a table of " + std::to_string(NT) + " x " + std::to_string(NV) +
                    " codes is beyond the limits");
  }
  std::vector<PhaseCode> c(static_cast<size_t>(int64_t{NT} * NV), 0);
  const std::vector<std::string_view> lines = SplitLines(text);
  int32_t row = 0;
  int32_t col = 0;
  for (size_t li = 0; li < lines.size() && row < NT; ++li) {
    const std::string_view line = lines[li];
    size_t i = 0;
    while (row < NT) {
      while (i < line.size() && !std::isdigit(static_cast<unsigned char>(line[i]))) ++i;
      if (i >= line.size()) break;
      const bool negative = i > 0 && line[i - 1] == '-';
      int32_t value = 0;
      for (int32_t k = 0;
           k < 2 && i < line.size() && std::isdigit(static_cast<unsigned char>(line[i]));
           ++k, ++i) {
        value = value * 10 + (line[i] - '0');
      }
      c[static_cast<size_t>(row) * static_cast<size_t>(NV) + static_cast<size_t>(col)] =
          negative ? -value : value;
      if (++col == NV) {
        col = 0;
        ++row;
      }
    }
  }
  if (row < NT) {
    // Ended early: the rest of the row copies the row above, missing rows the last one.
    if (col > 0) {
      for (int32_t j = col; j < NV; ++j) {
        c[static_cast<size_t>(row) * static_cast<size_t>(NV) + static_cast<size_t>(j)] =
            row > 0
                ? c[static_cast<size_t>(row - 1) * static_cast<size_t>(NV) + static_cast<size_t>(j)]
                : 0;
      }
      ++row;
    }
    for (int32_t r = std::max(row, 1); r < NT; ++r) {
      std::copy_n(c.begin() + static_cast<ptrdiff_t>(r - 1) * NV, NV,
                  c.begin() + static_cast<ptrdiff_t>(r) * NV);
    }
  }
  (void)fileName;
  (void)err;
  codes = std::move(c);
  return true;
}

TNumStringFormat TableValueFormat() {
  TNumStringFormat f(TFloatFormat::ffGeneral, 8, static_cast<int8_t>(kTableFieldWidth));
  f.SetDecSeparator('.');
  f.SetDefaultDec(false);
  return f;
}

TNumStringFormat TableGridFormat() {
  TNumStringFormat f(TFloatFormat::ffFixed, 8, static_cast<int8_t>(kTableFieldWidth));
  f.SetDecSeparator('.');
  f.SetDefaultDec(false);
  return f;
}

std::string FormatGridFile(const RealArray& values, const TNumStringFormat& format) {
  std::string s;
  for (size_t i = 0; i < values.size(); ++i) {
    const std::string text = format.FormatValue(values[i]);
    if (text.empty() || text.front() != ' ') s += ' ';  // never glue two values
    s += text;
    if ((i + 1) % kTableValuesPerLine == 0) AppendCrLf(s);
  }
  return s;
}

std::string FormatRealTable(int32_t NT, int32_t NV, const RealArray& values,
                            const TNumStringFormat& format) {
  std::string s;
  s.reserve(static_cast<size_t>(int64_t{NT} * NV) * (kTableFieldWidth + 1));
  for (int32_t i = 0; i < NT; ++i) {
    for (int32_t j = 0; j < NV; ++j) {
      std::string text(Trim(format.FormatValue(
          values[static_cast<size_t>(i) * static_cast<size_t>(NV) + static_cast<size_t>(j)])));
      // Right-aligned in 15 characters, with a blank before a text that fills the field.
      const size_t width = static_cast<size_t>(kTableFieldWidth);
      s.append(text.size() < width ? width - text.size() : 1, ' ');
      s += text;
      if ((j + 1) % kTableValuesPerLine == 0 || j + 1 == NV) AppendCrLf(s);
    }
  }
  return s;
}

bool FormatPhaseTable(int32_t NT, int32_t NV, const std::vector<PhaseCode>& codes,
                      std::string& text, std::string& message) {
  std::string s;
  s.reserve(static_cast<size_t>(int64_t{NT} * NV) * 2 + static_cast<size_t>(NT) * 4);
  for (int32_t i = 0; i < NT; ++i) {
    for (int32_t j = 0; j < NV; ++j) {
      const PhaseCode code =
          codes[static_cast<size_t>(i) * static_cast<size_t>(NV) + static_cast<size_t>(j)];
      if (code < -99 || code > 99) {
        message = "the phase code " + std::to_string(code) + " (row " + std::to_string(i + 1) +
                  ", column " + std::to_string(j + 1) + ") does not fit the two-digit field";
        return false;
      }
      const std::string digits = std::to_string(code);
      if (digits.size() < 2) s += ' ';
      s += digits;
      if ((j + 1) % kPhaseCodesPerLine == 0 || j + 1 == NV) AppendCrLf(s);
    }
  }
  text = std::move(s);
  return true;
}

bool PhaseTextToSavedCode(std::string_view text, PhaseCode& code) {
  std::string_view s = Trim(text);
  if (s.empty()) {
    code = 0;
    return true;
  }
  bool negative = false;
  if (s.front() == 'm' || s.front() == '-') {
    negative = true;
    s = Trim(s.substr(1));
  }
  PhaseCode c = -1;
  if (s == "o") c = 0;
  if (s == "S") c = 1;
  if (s == "SL" || s == "LS") c = 2;
  if (s == "L") c = 3;
  if (s == "LG" || s == "GL") c = 4;
  if (s == "G") c = 5;
  if (s == "SG" || s == "GS") c = 6;
  if (s.starts_with("Sa")) c = 7;
  if (s == "Se") c = 8;
  if (s.size() > 2 && s.starts_with("Se")) c = 9;
  if (c < 0 && !s.empty() && s.size() <= 2 && std::all_of(s.begin(), s.end(), [](char ch) {
        return std::isdigit(static_cast<unsigned char>(ch));
      })) {
    c = 0;
    for (char ch : s) c = c * 10 + (ch - '0');
  }
  if (c < 0) return false;
  code = negative ? -c : c;
  return true;
}

bool ReadTableFile(const std::filesystem::path& path, std::string& content, std::string& message) {
  std::error_code ec;
  const auto status = std::filesystem::status(path, ec);
  if (ec || !std::filesystem::exists(status)) {
    message = path.string() + ": no such file";
    return false;
  }
  if (!std::filesystem::is_regular_file(status)) {
    message = path.string() + ": not a regular file";
    return false;
  }
  const auto size = std::filesystem::file_size(path, ec);
  if (ec) {
    message = path.string() + ": " + ec.message();
    return false;
  }
  if (size > static_cast<uintmax_t>(kMaxTableFileBytes)) {
    message = path.string() + ": " + std::to_string(size) +
              " bytes, more than a table set holds (" + std::to_string(kMaxTableFileBytes >> 20) +
              " MB)";
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    message = path.string() + ": cannot open: " + std::strerror(errno);
    return false;
  }
  std::string s(static_cast<size_t>(size), '\0');
  in.read(s.data(), static_cast<std::streamsize>(size));
  if (in.gcount() != static_cast<std::streamsize>(size)) {
    message = path.string() + ": read error";
    return false;
  }
  content = std::move(s);
  return true;
}

std::filesystem::path FindTableFile(const std::filesystem::path& folder, std::string_view name) {
  std::error_code ec;
  const std::filesystem::path exact = folder / std::string(name);
  if (std::filesystem::is_regular_file(exact, ec)) return exact;
  const auto lower = [](std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
  };
  const std::string wanted = lower(name);
  std::filesystem::directory_iterator it(folder, ec);
  if (ec) return {};
  int32_t seen = 0;
  for (const std::filesystem::directory_iterator end; it != end && seen < 100000;
       it.increment(ec), ++seen) {
    if (ec) return {};
    const std::string entry = it->path().filename().string();
    if (lower(entry) == wanted && it->is_regular_file(ec)) return it->path();
  }
  return {};
}

}  // namespace tarvex
