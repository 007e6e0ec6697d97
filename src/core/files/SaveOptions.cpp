// Save options: output names from times and times from names.
#include "core/files/SaveOptions.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <memory>
#include <system_error>

#include "core/common/FormSchema.h"
#include "core/common/Prompter.h"

namespace tarvex {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

std::string_view FileNameOf(std::string_view path) {
  const size_t slash = path.find_last_of("/\\");
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string_view WithoutExtension(std::string_view name) {
  const size_t dot = name.find_last_of('.');
  return dot == std::string_view::npos ? name : name.substr(0, dot);
}

}  // namespace

TSaveFileOptions::TSaveFileOptions()
    : Scal(std::make_shared<TNumStringFormat>(TFloatFormat::ffGeneral, 6)),
      NameStr(TFloatFormat::ffGeneral, 4) {
  Scal.SetValue(1);
  NameStr.SetDecSeparator('p');
}

void TSaveFileOptions::LeaveScal() {
  Real scal = 0;
  if (!Scal.TryGetValue(scal)) return;
  struct Unit {
    Real factor;
    const char* suffix;
  };
  static constexpr std::array<Unit, 5> kUnits{
      {{1e3L, "ms"}, {1e6L, "mks"}, {1e9L, "ns"}, {1e12L, "ps"}, {1e15L, "fs"}}};
  for (const Unit& u : kUnits) {
    if (std::fabs(scal - u.factor) <= 1e-12L * u.factor) AddStr = u.suffix;
  }
}

bool TSaveFileOptions::DirButton(Prompter& prompter) {
  const std::optional<std::string> dir = prompter.ChooseDirectory("Directory", SaveDir);
  if (!dir || dir->empty()) return false;
  std::error_code ec;
  std::filesystem::create_directories(*dir, ec);
  if (ec || !std::filesystem::is_directory(*dir, ec)) {
    prompter.Inform("Cannot create directory " + *dir + ": " + ec.message(), MessageKind::Error);
    return false;
  }
  SaveDir = WithTrailingSeparator(*dir);
  return true;
}

void TSaveFileOptions::SetPress(int32_t p) {
  Press = std::clamp(p, kPressMin, kPressMax);
}

void TSaveFileOptions::SetFWidth(int32_t w) {
  FWidth = std::clamp(w, 0, kFWidthMax);
}

std::string NameSuffixRefusal(std::string_view AddStr) {
  if (const std::string c = ControlCharacterIn(AddStr); !c.empty()) {
    return "the suffix is part of a file name and may hold no control character (" + c + ")";
  }
  if (AddStr.find_first_of("/\\:") != std::string_view::npos) {
    return "the suffix is part of a file name: no \"/\", \"\\\" or \":\" (the directory is "
           "SaveDir)";
  }
  return {};
}

std::string OutputNameRefusal(const std::string& base) {
  // "_opt.dat" is the longest ending of a set; a staged part is written as
  // ".." + name + ".~set.~NN" first.
  constexpr size_t kLongestEnding = 8;
  constexpr size_t kStagingExtra = 11;
  constexpr size_t kNameMax = 255;
  constexpr size_t kPathMax = 4095;
  if (const std::string c = ControlCharacterIn(base); !c.empty()) {
    return "the file name " + base + " holds a control character (" + c + ")";
  }
  const size_t slash = base.find_last_of('/');
  const size_t name = base.size() - (slash == std::string::npos ? 0 : slash + 1);
  if (name == 0) return "the file name is empty";
  if (name + kLongestEnding + kStagingExtra > kNameMax) {
    return "the file name " + base.substr(base.size() - name) + " has " + std::to_string(name) +
           " characters; with its endings a name may have at most " +
           std::to_string(kNameMax - kLongestEnding - kStagingExtra);
  }
  if (base.size() + kLongestEnding + kStagingExtra > kPathMax) {
    return "the path " + base + " is longer than the system allows (" + std::to_string(kPathMax) +
           " bytes with its endings)";
  }
  return {};
}

std::string WithTrailingSeparator(std::string dir) {
  if (dir.empty()) return dir;
  const char last = dir.back();
  if (last != ':' && last != '/' && last != '\\') dir += '/';
  return dir;
}

std::string TSaveFileOptions::NumberText(Real t) const {
  const Real v = t * Scal.StoredValue();
  TNumStringFormat f;
  if (RadioGroup1 == kNameAuto) {
    // The layout follows the time itself, before the scaling.
    if (t < 0.01L || t >= 999.999L) {
      f = TNumStringFormat(TFloatFormat::ffGeneral, 4, 0);
    } else {
      f = TNumStringFormat(TFloatFormat::ffFixed, 3, 8);
    }
  } else {
    const TFloatFormat type = FormatType == 1   ? TFloatFormat::ffExponent
                              : FormatType == 2 ? TFloatFormat::ffFixed
                                                : TFloatFormat::ffGeneral;
    const uint8_t precision =
        Press < 0 ? TNumStringFormat::kNoPressigion : static_cast<uint8_t>(Press);
    f = TNumStringFormat(type, precision, static_cast<int8_t>(std::clamp(FWidth, 0, kFWidthMax)));
  }
  f.SetDecSeparator('p');
  std::string s = f.FormatValue(v);

  // Exponent as a plain integer: E+003 -> E3, E-012 -> E-12.
  const size_t e = s.find('E');
  if (e != std::string::npos) {
    std::string exp = s.substr(e + 1, 5);
    std::string tail = s.substr(std::min(s.size(), e + 1 + exp.size()));
    bool negative = false;
    size_t k = 0;
    if (k < exp.size() && (exp[k] == '+' || exp[k] == '-')) negative = exp[k++] == '-';
    while (k + 1 < exp.size() && exp[k] == '0') ++k;
    s = s.substr(0, e + 1) + (negative ? "-" : "") + exp.substr(k) + tail;
  }
  // Minus sign as "#", the blanks before it and all other leading blanks as "0".
  const size_t minus = s.find('-');
  const size_t mantissaEnd = e != std::string::npos ? s.find('E') : s.size();
  if (minus != std::string::npos && minus < mantissaEnd) s[minus] = '#';
  for (char& c : s) {
    if (c != ' ') break;
    c = '0';
  }
  return s;
}

std::string TSaveFileOptions::MakeOutputName(Real t) const {
  return SaveDir + NumberText(t) + AddStr;
}

std::optional<Real> TimeFromName(std::string_view path, const TNumStringFormat& NameStr) {
  std::string name(WithoutExtension(FileNameOf(path)));
  const size_t hash = name.find('#');
  if (hash != std::string::npos && hash + 1 < name.size() && IsDigit(name[hash + 1])) {
    // "00#002ns" -> "-2ns": the zeros padding the sign go.
    size_t after = hash + 1;
    while (after + 1 < name.size() && name[after] == '0' && IsDigit(name[after + 1])) ++after;
    size_t before = hash;
    while (before > 0 && name[before - 1] == '0') --before;
    name = name.substr(0, before) + "-" + name.substr(after);
  } else {
    size_t k = 0;
    while (k + 1 < name.size() && name[k] == '0' && IsDigit(name[k + 1])) ++k;
    name.erase(0, k);
  }

  // The leading number: sign, digits, "p" and digits, exponent.
  size_t k = 0;
  if (k < name.size() && (name[k] == '-' || name[k] == '+')) ++k;
  size_t digits = 0;
  while (k < name.size() && IsDigit(name[k])) ++k, ++digits;
  bool pointLast = false;  // the number ends with its point ("15p" of "15ps")
  if (k < name.size() && name[k] == 'p') {
    ++k;
    pointLast = true;
    while (k < name.size() && IsDigit(name[k])) {
      ++k;
      ++digits;
      pointLast = false;
    }
  }
  if (digits == 0) return std::nullopt;
  if (k < name.size() && (name[k] == 'E' || name[k] == 'e')) {
    size_t m = k + 1;
    if (m < name.size() && (name[m] == '-' || name[m] == '+')) ++m;
    if (m < name.size() && IsDigit(name[m])) {
      while (m < name.size() && IsDigit(name[m])) ++m;
      k = m;
      pointLast = false;
    }
  }
  Real value = 0;
  if (NameStr.Parse(std::string_view(name).substr(0, k), value) != TConvertStatus::Ok) {
    return std::nullopt;
  }
  const std::string_view rest = std::string_view(name).substr(k);
  Real scale = 1;
  if (pointLast && !rest.empty() && rest[0] == 's') {
    scale = 1e-12L;  // "15ps": the "p" was read as the number's point
  } else if (rest.rfind("mks", 0) == 0) {
    scale = 1e-6L;
  } else if (rest.size() >= 2 && rest[1] == 's') {
    switch (rest[0]) {
      case 'f':
        scale = 1e-15L;
        break;
      case 'p':
        scale = 1e-12L;
        break;
      case 'n':
        scale = 1e-9L;
        break;
      case 'm':
        scale = 1e-3L;
        break;
      default:
        break;
    }
  }
  return value * scale;
}

std::string PictureCaption(std::string_view path, bool hashRule) {
  std::string s(WithoutExtension(FileNameOf(path)));
  if (hashRule) {
    const size_t hash = s.find('#');
    if (hash != std::string::npos && hash + 1 < s.size() && IsDigit(s[hash + 1])) {
      s.replace(hash, 1, " - ");
    }
  }
  for (size_t k = 0; k + 1 < s.size(); ++k) {
    if (s[k] == 'p' && IsDigit(s[k + 1])) {
      s.replace(k, 1, " ,");
      break;
    }
  }
  return s;
}

}  // namespace tarvex
