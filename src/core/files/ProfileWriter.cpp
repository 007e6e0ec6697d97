// Profile file set: texts and the all-or-nothing write.
#include "core/files/ProfileWriter.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "core/common/NumStringFormat.h"
#include "core/hydro/HydrStat.h"
#include "core/run/IntegralValues.h"
#include "core/run/MainForm.h"
#include "core/run/ResultsTable.h"
#include "core/session/Session.h"

namespace tarvex {

namespace {

constexpr const char* kEol = "\r\n";

// The reason part of a write failure message ("Cannot write file \"x\": reason").
std::string ReasonOf(const std::string& message) {
  const size_t k = message.rfind("\": ");
  return k == std::string::npos ? message : message.substr(k + 3);
}

}  // namespace

std::string Sci23(Real x) {
  if (!std::isfinite(x)) return std::isnan(x) ? "NAN" : (x < 0 ? "-INF" : " INF");
  std::array<char, 64> buf;
  const auto r =
      std::to_chars(buf.data(), buf.data() + buf.size(), x, std::chars_format::scientific, 14);
  std::string s(buf.data(), r.ptr);  // "-2.70000000000000e+00"
  const size_t e = s.find('e');
  std::string mantissa = s.substr(0, e);
  if (mantissa[0] != '-') mantissa.insert(0, 1, ' ');
  const char sign = s[e + 1];
  std::string digits = s.substr(e + 2);
  if (digits.size() < 4) digits.insert(0, 4 - digits.size(), '0');
  return mantissa + "E" + sign + digits;
}

std::string ExactReal(Real x) {
  std::array<char, 64> buf;
  const auto r = std::to_chars(buf.data(), buf.data() + buf.size(), x);
  return std::string(buf.data(), r.ptr);
}

std::string RestartLine(const Session& s) {
  const StepControlState r{
      true,
      s.visc.ViscKind,
      s.visc.ViscRef,
      s.conv.R1,
      s.conv.R2,
      {s.conv.V.Floor, s.conv.V.Max,   s.conv.V.Num,   s.conv.V.SumSq, s.conv.X.Floor,
       s.conv.X.Max,   s.conv.X.Num,   s.conv.X.SumSq, s.conv.E.Floor, s.conv.E.Max,
       s.conv.E.Num,   s.conv.E.SumSq, s.conv.T.Floor, s.conv.T.Max,   s.conv.T.Num,
       s.conv.T.SumSq, s.conv.p.Floor, s.conv.p.Max,   s.conv.p.Num,   s.conv.p.SumSq}};
  std::string out(kRestartKey);
  auto field = [&out](const char* name, Real v) {
    out.append(name);
    out.append(ExactReal(v));
  };
  field(" t = ", s.sim.SimTime);
  field("  Step = ", s.run.StepInUse);
  out.append("  Visc = ").append(std::to_string(r.ViscKind));
  field(" ", r.ViscRef);
  field("  R = ", r.R1);
  field(" ", r.R2);
  out.append("  Conv =");
  for (Real c : r.conv) field(" ", c);
  return out;
}

std::string TableFileText(const TResultsTable& table) {
  const int32_t rows = table.RowCount();
  const int32_t C = table.ColumnCount();
  std::string out;
  if (C < 3) return out;
  out.reserve(static_cast<size_t>(rows) * static_cast<size_t>(C) * 17);
  const bool moving = !table.FrozenGrid();
  auto padInto = [&out](const std::string& text, size_t width) {
    if (text.size() < width) out.append(width - text.size(), ' ');
    out += text;
  };
  for (int32_t r = 0; r < rows; ++r) {
    const bool nodeRow = moving && r == rows - 1 && r > 0;
    padInto(table.Cell(r, 0), 6);
    out += '\t';
    padInto(table.Cell(r, 1), 10);
    for (int32_t c = 2; c <= C - 2; ++c) {
      if (nodeRow && table.Cell(r, c).empty()) break;
      out += '\t';
      padInto(table.Cell(r, c), 15);
    }
    if (!nodeRow) {
      out += '\t';
      out += table.Cell(r, C - 1);
    }
    out += kEol;
  }
  return out;
}

std::string HeaderFileText(const Session& s, const TMainForm& form, const TResultsTable& table,
                           const TIntegralValues& iv, const ProfileHeaderExtras& extras) {
  const SimParams& sp = s.sim;
  const TNumStringFormat& fmt = *form.tableFormat;
  const int32_t N = s.StateA != nullptr ? s.StateA->CellCount() : form.Dimension;
  const Real x1 = form.x1Edit.StoredValue() != 0 ? form.x1Edit.StoredValue() : 1;
  const bool moving = !table.FrozenGrid();
  const int32_t nFrom = table.nFrom;
  std::string out;
  if (sp.Dspc != 1) out += std::to_string(sp.Dspc) + "D" + kEol;
  out += (extras.EosLabel != nullptr ? *extras.EosLabel : form.EosInfo) + kEol;

  out += "L0 = " + form.Len.Text() + " x " + form.x1Edit.Text() + "  Div " + std::to_string(N);
  if (nFrom > 0) out += " from " + std::to_string(nFrom);
  if (sp.InGlass != 0) {
    out += sp.InGlass > 0 ? " x0shift " : " InGlass ";
    out += fmt.FormatValue(std::fabs(sp.x0shift) / x1);
    out += " div " + std::to_string(sp.InGlass);
  }
  if (sp.InGlass >= 1 && nFrom >= 1) {
    out += "; " + std::to_string(sp.InGlass) + " + " + std::to_string(nFrom) + " = " +
           std::to_string(sp.InGlass + nFrom);
  }
  out += kEol;

  out += "rho0 = " + Sci23(sp.rho0);
  if (sp.InGlass != 0) {
    out += ", glass " + Sci23(sp.rho0l);
    if (extras.GlassEosDensity > 0) {
      const Real ratio = sp.rho0l / extras.GlassEosDensity;
      if (std::fabs(ratio - 1) > 0.01L) {
        out += '/';
        out += fmt.FormatValue(ratio);
      }
    }
  }
  out += kEol;

  if (moving) {
    out += "Int P dt = " + iv.Ipdt.Text() + "   rho0 * Int v dx = " + iv.Ivdx.Text() + kEol;
  }
  out += "Etherm = " + iv.Et.Text();
  if (moving) out += "   Ekin = " + iv.Ek.Text() + "   Esumm = " + iv.Es.Text();
  out += "   Eadd = " + iv.Eadd.Text() + kEol;
  if (table.TwoTemperature()) {
    out +=
        "Ei = " + iv.Ei.Text() + "   Ee = " + iv.Ee.Text() + "   Ee-add = " + iv.Ed.Text() + kEol;
  }
  if (iv.RCPanelVisible) out += "x(rho = " + iv.Rho_C.Text() + ") - L = " + iv.x_rc.Text() + kEol;
  if (iv.RefrVisible && !extras.RefractText.empty()) {
    out += "Refract = " + extras.RefractText + kEol;
    if (extras.RefractTini > 0) out += kOpticalReferenceKey + ExactReal(extras.RefractTini) + kEol;
  }
  if (s.StateA != nullptr) out += RestartLine(s) + kEol;
  return out;
}

std::string TnegFileText(Real SimTime, std::span<const Real> Tneg) {
  std::string out = Sci23(SimTime) + kEol;
  for (Real t : Tneg) out += Sci23(t) + kEol;
  return out;
}

bool IsStagingName(const std::string& name) {
  // "." + target + ".~set" (a staged part of a set) or "." + target + ".~" + digits (the
  // temporary file of an atomic write, also of a staged part).
  if (name.size() < 4 || name[0] != '.') return false;
  const size_t mark = name.rfind(".~");
  if (mark == std::string::npos || mark < 2) return false;
  const std::string tail = name.substr(mark + 2);
  if (tail == "set") return true;
  return !tail.empty() && tail.size() <= 9 &&
         std::all_of(tail.begin(), tail.end(), [](char c) { return c >= '0' && c <= '9'; });
}

void RemoveStaleStaging(const std::vector<std::string>& targets) {
  namespace fs = std::filesystem;
  // Staging files of the names about to be written are stale whatever their age (a
  // write of the same name in another process would conflict anyway); those of other
  // names once nobody can still be writing them.
  constexpr auto kStaleAfter = std::chrono::hours(1);
  std::vector<fs::path> folders;
  std::vector<std::string> own;
  for (const std::string& t : targets) {
    const fs::path target(t);
    fs::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    if (std::find(folders.begin(), folders.end(), folder) == folders.end()) {
      folders.push_back(folder);
    }
    const std::string name = target.filename().string();
    std::string prefix(1, '.');
    prefix.append(name).append(".~");
    own.push_back(prefix);
    prefix.assign(2, '.');
    prefix.append(name).append(".~set.~");
    own.push_back(prefix);
  }
  const auto now = fs::file_time_type::clock::now();
  for (const fs::path& folder : folders) {
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
      const std::string name = it->path().filename().string();
      if (!IsStagingName(name)) continue;
      std::error_code fileEc;
      if (!it->is_regular_file(fileEc) || it->is_symlink(fileEc)) continue;
      bool stale = std::any_of(own.begin(), own.end(), [&](const std::string& prefix) {
        return name.compare(0, prefix.size(), prefix) == 0;
      });
      if (!stale) {
        const auto written = it->last_write_time(fileEc);
        stale = !fileEc && now - written > kStaleAfter;
      }
      if (stale) fs::remove(it->path(), fileEc);
    }
  }
}

FileWriteResult WriteFileSet(const std::vector<ProfileFilePart>& parts,
                             const std::function<void(const std::string&)>& published) {
  namespace fs = std::filesystem;
  {
    std::vector<std::string> targets;
    for (const ProfileFilePart& part : parts) targets.push_back(part.path);
    RemoveStaleStaging(targets);
  }
  std::vector<fs::path> staged;
  auto dropStaged = [&staged]() {
    for (const fs::path& p : staged) {
      std::error_code ignored;
      fs::remove(p, ignored);
    }
  };
  // A target that exists but is no regular file cannot be replaced: refuse before
  // anything is written.
  for (const ProfileFilePart& part : parts) {
    std::error_code ec;
    const fs::file_status st = fs::status(part.path, ec);
    if (fs::exists(st) && !fs::is_regular_file(st)) {
      return {false, "Cannot write file \"" + part.path +
                         "\": " + std::make_error_code(std::errc::is_a_directory).message()};
    }
  }
  for (const ProfileFilePart& part : parts) {
    const fs::path target(part.path);
    std::string stageName(1, '.');
    stageName += target.filename().string();
    stageName += ".~set";
    const fs::path stage = target.parent_path() / stageName;
    FileWriteResult r = WriteFileAtomically(stage, part.content);
    if (!r) {
      dropStaged();
      // Name the target, not the staging file.
      return {false, "Cannot write file \"" + part.path + "\": " + ReasonOf(r.message)};
    }
    staged.push_back(stage);
  }
  // The other parts first, the first part last: once it is visible, all of the set is.
  for (size_t n = 1; n <= parts.size(); ++n) {
    const size_t k = n % parts.size();
    std::error_code ec;
    fs::rename(staged[k], parts[k].path, ec);
    if (ec) {
      // What is still staged goes; the table was not published.
      for (size_t m = n; m <= parts.size(); ++m) {
        std::error_code ignored;
        fs::remove(staged[m % parts.size()], ignored);
      }
      return {false, "Cannot write file \"" + parts[k].path + "\": " + ec.message()};
    }
    if (published) published(parts[k].path);
  }
  return {};
}

}  // namespace tarvex
