// The table writer: a model's slots tabulated into a table set and its files.
#include "core/eos/EosTableWriter.h"

#include <algorithm>
#include <cmath>

#include "core/common/FpGuard.h"

namespace tarvex {

namespace {

std::string OneLine(std::string s) {
  for (char& c : s) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return s;
}

std::string Num(Real v) {
  const TNumStringFormat f(TFloatFormat::ffGeneral, 12);
  return f.FormatValue(v);
}

// The value a grid node has after it was written with the grid format and read back.
bool AsWritten(Real x, Real& written) {
  Real v = 0;
  const std::string text = TableGridFormat().FormatValue(x);
  if (TNumStringFormat().Parse(text, v) != TConvertStatus::Ok) return false;
  written = v;
  return true;
}

std::string NodeText(Real rho, Real T) {
  return "rho = " + Num(rho) + " g/cm3, T = " + Num(T) + " K";
}

}  // namespace

bool MakeEosTableGrid(Real Tmin, Real Tmax, int32_t NT, bool TLog, Real rhoMin, Real rhoMax,
                      int32_t Nrho, bool VLog, TEosTableGrid& grid, std::string& message) {
  TEosTableGrid g;
  g.TLog = TLog;
  g.VLog = VLog;
  if (!MakeTableGrid(Tmin, Tmax, NT, TLog, g.T, message)) {
    message = "temperatures: " + message;
    return false;
  }
  if (!(rhoMin > 0) || !(rhoMax > rhoMin) || !std::isfinite(rhoMax)) {
    message = "densities: need 0 < rho min < rho max, finite";
    return false;
  }
  RealArray V;
  if (!MakeTableGrid(1 / rhoMax, 1 / rhoMin, Nrho, VLog, V, message)) {
    message = "densities: " + message;
    return false;
  }
  g.rho.resize(V.size());
  for (size_t j = 0; j < V.size(); ++j) g.rho[j] = 1 / V[j];
  grid = std::move(g);
  return true;
}

TEosTableWrite TabulateEos(const TEosTableModel& model, const TEosTableGrid& grid,
                           const std::string& title, const std::string& material) {
  TEosTableWrite out;
  if (!model.E || !model.P) {
    out.message = "the model has no energy or no pressure function";
    return out;
  }
  const Real TMult = grid.kK ? Real(1000) : Real(1);
  RealArray T(grid.T.size());
  for (size_t i = 0; i < T.size(); ++i) {
    Real written = 0;
    if (!std::isfinite(grid.T[i]) || !AsWritten(grid.T[i] / TMult, written) || written == 0) {
      out.message = "temperature " + Num(grid.T[i]) + " K cannot be written as a grid value";
      return out;
    }
    T[i] = written * TMult;
  }
  RealArray V(grid.rho.size());
  for (size_t j = 0; j < V.size(); ++j) {
    const Real v = 1 / grid.rho[j];
    Real written = 0;
    if (!(grid.rho[j] > 0) || !std::isfinite(v) || !AsWritten(v, written) || written == 0) {
      out.message = "density " + Num(grid.rho[j]) + " g/cm3 cannot be written as a grid volume";
      return out;
    }
    V[j] = written;
  }
  std::sort(V.begin(), V.end());
  auto set = std::make_shared<TEosTableSet>();
  if (!set->SetGrids(std::move(T), std::move(V), out.message)) {
    out.message = "grid as written: " + out.message;
    return out;
  }

  // The description: numbers first on their lines, comments without digits.
  const RealArray& Tg = set->TGrid();
  const RealArray& Vg = set->VGrid();
  out.manLines = {
      OneLine(title),
      "material 1",
      Num(Tg.front() / TMult) + "    initial temperature",
      Num(Tg.back() / TMult) + (grid.kK ? " [kK]" : " [K]") + "    final temperature",
      Num(Vg.front()) + "    initial volume",
      Num(Vg.back()) + " [cm3/g]    final volume",
      std::to_string(Tg.size()) + "    number of temperatures",
      std::to_string(Vg.size()) + "    number of volumes",
      std::string(grid.TLog ? "1" : "0") + "    temperature grid kind (not zero: logarithmic)",
      std::string(grid.VLog ? "1" : "0") + "    volume grid kind (not zero: logarithmic)",
      "List of materials",
      OneLine(material.empty() ? std::string("generated") : material),
  };
  std::string man;
  for (const std::string& l : out.manLines) man += l + "\r\n";
  TableFileError err;
  if (!ParseTableDescription(man, "data.man", set->description, err)) {
    out.message = "the description does not read back: " + err.Text();
    return out;
  }
  set->label = "generated";

  const size_t cells = set->Cells();
  const auto tabulate = [&](const Slot2& f, Real scale, RealArray& values) {
    values.resize(cells);
    const RealArray& rho = set->RhoGrid();
    for (int32_t i = 0; i < set->NT(); ++i) {
      for (int32_t j = 0; j < set->NV(); ++j) {
        FpGuard guard;
        const Real v = scale * f(rho[static_cast<size_t>(j)], Tg[static_cast<size_t>(i)]);
        if (guard.Faulted() || !std::isfinite(v)) {
          guard.Reset();
          out.message = "the model gives no finite value at " +
                        NodeText(rho[static_cast<size_t>(j)], Tg[static_cast<size_t>(i)]);
          return false;
        }
        values[set->Index(i, j)] = v;
      }
    }
    return true;
  };
  if (!tabulate(model.E, 1, set->Energy) || !tabulate(model.P, 1, set->Pressure)) return out;
  // The heat-capacity table is in J/g/K.
  if (model.Cv && !tabulate(model.Cv, 1000, set->HeatCapacity)) return out;
  if (model.SoundSpeed && !tabulate(model.SoundSpeed, 1, set->SoundVelocity)) return out;
  if (model.PhaseMix && !tabulate(model.PhaseMix, 1, set->PhaseMix)) return out;
  if (model.Entropy) {
    TEosDisplayTable s{"entrop", "e&ntropy", {}};
    if (!tabulate(model.Entropy, 1, s.values)) return out;
    set->Others.push_back(std::move(s));
  }
  if (model.PhaseId) {
    set->PhaseId.resize(cells);
    const RealArray& rho = set->RhoGrid();
    for (int32_t i = 0; i < set->NT(); ++i) {
      for (int32_t j = 0; j < set->NV(); ++j) {
        const PhaseCode c = model.PhaseId(rho[static_cast<size_t>(j)], Tg[static_cast<size_t>(i)]);
        if (c < -99 || c > 99) {
          out.message = "phase code " + std::to_string(c) + " at " +
                        NodeText(rho[static_cast<size_t>(j)], Tg[static_cast<size_t>(i)]) +
                        " does not fit the two-digit field";
          return out;
        }
        set->PhaseId[set->Index(i, j)] = c;
      }
    }
  }
  out.set = std::move(set);
  out.ok = true;
  return out;
}

TEosTableWrite WriteEosTable(const TEosTableModel& model, const TEosTableGrid& grid,
                             const std::string& title, const std::string& material,
                             const std::filesystem::path& folder, const std::string& manName) {
  TEosTableWrite out = TabulateEos(model, grid, title, material);
  if (!out.ok) return out;
  out.set->folder = folder.string();
  const TEosTableSave saved = SaveEosTableSet(*out.set, out.manLines, folder / manName, nullptr);
  if (!saved.ok) {
    out.ok = false;
    out.message = saved.message;
  }
  return out;
}

}  // namespace tarvex
