// The solver classes: entries, layouts of the results table, and the rules that choose a
// class for a new state and for a loaded profile.
#include "core/session/SolverCatalog.h"

#include <algorithm>

#include "core/hydro/HydrStat.h"
#include "core/session/Session.h"
#include "core/thermal/HydrTherm.h"
#include "core/thermal/Hydro2T.h"
#include "core/thermal/ThermState.h"

namespace tarvex {

namespace {

using K = TColumnKind;

// ---- the results-table columns -------------------------------------------------------------
// Titles of columns 1 (x or r) and of the depth column depend on the geometry and the
// length unit; their descriptors carry the planar nanometre form, the table picks the rest.

constexpr TColumnDesc kNo{K::No, "No(n)", "   No"};
constexpr TColumnDesc kX{K::X, "x(n)[nm]", "x(n)    "};
constexpr TColumnDesc kRho{K::Rho, "rho[g/cm3]", "rho     "};
constexpr TColumnDesc kV{K::V, "v(n)[km/s]", "v(n)/v1 "};
constexpr TColumnDesc kP{K::P, "P(n+1/2)[GPa]", "P(n+1/2)"};
constexpr TColumnDesc kE{K::E, "E(n+1/2)[kJ/g]", "E(n+1/2)"};
constexpr TColumnDesc kT{K::T, "T(n+1/2)[K]", "T(n+1/2)"};
constexpr TColumnDesc kPiFix{K::Pi, "Pi(n+1/2)", "Pi(n+1/2)"};
constexpr TColumnDesc kPeFix{K::Pe, "Pe(n+1/2)", "Pe(n+1/2)"};
constexpr TColumnDesc kPhase{K::Phase, "Phase", "Phase"};
constexpr TColumnDesc kInd{K::Ind, "Ind", "Ind"};
constexpr TColumnDesc kQx{K::Qx, "Qx(n)[kW/cm2]", "Qx(n)   "};
constexpr TColumnDesc kKappa{K::Kappa, "kappa[kW/cm/K]", "kappa   "};
constexpr TColumnDesc kDepth{K::Depth, "xGr0-x(n+1/2)[nm]", "L-x(n+1/2)"};

// THydrStat: pure hydrodynamics (NoConduct and NoThermo).
constexpr TColumnDesc kHydrStatMoving[] = {kNo, kX, kRho, kV, kP, kE, kT, kPhase, kInd, kDepth};
constexpr TColumnDesc kHydrStatMovingFixTe[] = {kNo, kX,     kRho,   kV,     kP,   kE,
                                                kT,  kPiFix, kPeFix, kPhase, kInd, kDepth};
constexpr TColumnDesc kHydrStatFrozen[] = {kNo, kX, kT, kE, kPhase, kInd, kDepth};
// THydrTherm: one temperature with heat conduction (only base-class quantities).
constexpr TColumnDesc kHydrThermMoving[] = {kNo, kX,     kRho, kV,  kP,     kE,
                                            kT,  kPhase, kInd, kQx, kKappa, kDepth};
constexpr TColumnDesc kHydrThermFrozen[] = {kNo, kX, kT, kE, kPhase, kInd, kQx, kKappa, kDepth};
// The two temperatures: Ti in the T column, the electrons' and the ions' own quantities,
// the one-temperature pressure at (rho, Ti) with its electron part, and the coupling.
constexpr TColumnDesc kTi{K::T, "Ti(n+1/2)[K]", "Ti(n+1/2)"};
constexpr TColumnDesc kTe{K::Array, "Te(n+1/2)[K]", "Te(n+1/2)", "Te"};
constexpr TColumnDesc kEi{K::Array, "Ei(n+1/2)[kJ/g]", "Ei(n+1/2)", "Ei"};
constexpr TColumnDesc kEe{K::Array, "Ee(n+1/2)[kJ/g]", "Ee(n+1/2)", "Ee"};
constexpr TColumnDesc kPi{K::Array, "Pi(n+1/2)[Gpa]", "Pi(n+1/2)", "Pi"};
constexpr TColumnDesc kPe{K::Array, "Pe(n+1/2)[GPa]", "Pe(n+1/2)", "Pe"};
constexpr TColumnDesc kP1T{K::P1T, "P1T(rho&Ti)  ", "P1T(rho&Ti)  "};
constexpr TColumnDesc kPeRhoTi{K::PeRhoTi, "Pe(rho&Ti)  ", "Pe(rho&Ti)  "};
constexpr TColumnDesc kAlpha{K::Alpha, "alpha[kW/cm3/K]", "alpha   "};
// TThermState: the frozen grid (13 columns).
constexpr TColumnDesc kThermStateFrozen[] = {kNo,    kX,   kTi, kTe,    kEi,    kEe,   kE,
                                             kPhase, kInd, kQx, kKappa, kAlpha, kDepth};
// THydro2T: the moving grid (20 columns).
constexpr TColumnDesc kHydro2TMoving[] = {kNo,    kX,   kRho, kV,     kP,     kE,    kTi,
                                          kTe,    kEi,  kEe,  kPi,    kPe,    kP1T,  kPeRhoTi,
                                          kPhase, kInd, kQx,  kKappa, kAlpha, kDepth};
// The elastic and non-metal classes add their arrays and layouts with their entries
// (column counts: 14 elastic one-temperature, 14 frozen non-metal).

// The arrays the two-temperature classes add, with their column titles and units.
constexpr SolverArrayInfo kThermStateArrays[] = {
    {"Te", false, "Te(n+1/2)[K]", "Te(n+1/2)", "K"},
    {"Ei", false, "Ei(n+1/2)[kJ/g]", "Ei(n+1/2)", "kJ/g"},
    {"Ee", false, "Ee(n+1/2)[kJ/g]", "Ee(n+1/2)", "kJ/g"},
};
constexpr SolverArrayInfo kHydro2TArrays[] = {
    {"Pi", false, "Pi(n+1/2)[Gpa]", "Pi(n+1/2)", "GPa"},
    {"Pe", false, "Pe(n+1/2)[GPa]", "Pe(n+1/2)", "GPa"},
};

// ---- the entries -----------------------------------------------------------------------------

std::unique_ptr<THydrStat> CreateHydrStat(Session& s, int32_t N) {
  return std::make_unique<THydrStat>(s, N);
}
std::unique_ptr<THydrStat> CreateHydrTherm(Session& s, int32_t N) {
  return std::make_unique<THydrTherm>(s, N);
}
std::unique_ptr<THydrStat> CreateThermState(Session& s, int32_t N) {
  return std::make_unique<TThermState>(s, N);
}
std::unique_ptr<THydrStat> CreateHydro2T(Session& s, int32_t N) {
  return std::make_unique<THydro2T>(s, N);
}

constexpr std::span<const SolverArrayInfo> kNoArrays{};
constexpr std::span<const TColumnDesc> kNoColumns{};

// Flags: thermal, two-temperature, elastic, non-metal, frozen grid.
const SolverClassInfo kCatalog[] = {
    {SolverClass::HydrStat, "THydrStat", SolverClass::None, &CreateHydrStat, kNoArrays, false,
     false, false, false, false, kHydrStatMoving, kHydrStatMovingFixTe, kHydrStatFrozen},
    {SolverClass::HydrTherm, "THydrTherm", SolverClass::HydrStat, &CreateHydrTherm, kNoArrays, true,
     false, false, false, false, kHydrThermMoving, kNoColumns, kHydrThermFrozen},
    {SolverClass::ThermState, "TThermState", SolverClass::HydrTherm, &CreateThermState,
     kThermStateArrays, true, true, false, false, true, kThermStateFrozen, kNoColumns,
     kThermStateFrozen},
    {SolverClass::Hydro2T, "THydro2T", SolverClass::ThermState, &CreateHydro2T, kHydro2TArrays,
     true, true, false, false, false, kHydro2TMoving, kNoColumns, kThermStateFrozen},
    {SolverClass::Hydro2Telast, "THydro2Telast", SolverClass::Hydro2T, nullptr, kNoArrays, true,
     true, true, false, false, kNoColumns, kNoColumns, kNoColumns},
    {SolverClass::NoMet, "TNoMet", SolverClass::Hydro2T, nullptr, kNoArrays, true, true, false,
     true, false, kNoColumns, kNoColumns, kNoColumns},
    {SolverClass::Hydro1elast, "THydro1elast", SolverClass::HydrTherm, nullptr, kNoArrays, true,
     false, true, false, false, kNoColumns, kNoColumns, kNoColumns},
};

}  // namespace

std::span<const SolverClassInfo> SolverCatalog() {
  return kCatalog;
}

const SolverClassInfo& SolverClassOf(SolverClass cls) {
  for (const SolverClassInfo& c : kCatalog) {
    if (c.cls == cls) return c;
  }
  return kCatalog[0];
}

const char* SolverClassName(SolverClass cls) {
  return cls == SolverClass::None ? "" : SolverClassOf(cls).name;
}

std::vector<const SolverArrayInfo*> ClassArrays(const SolverClassInfo& info) {
  std::vector<const SolverClassInfo*> chain;
  for (const SolverClassInfo* c = &info;;) {
    chain.push_back(c);
    if (c->parent == SolverClass::None) break;
    c = &SolverClassOf(c->parent);
  }
  std::vector<const SolverArrayInfo*> arrays;
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
    for (const SolverArrayInfo& a : (*it)->arrays) arrays.push_back(&a);
  }
  return arrays;
}

SolverClass SelectSolverClass(const SolverChoice& c) {
  // The first entry whose kind the choice asks for.
  const bool twoT = c.thermalItem != 0;
  auto find = [](auto match) {
    for (const SolverClassInfo& e : kCatalog) {
      if (match(e)) return e.cls;
    }
    return SolverClass::None;
  };
  if (!twoT) {
    if (c.NoConduct && c.NoThermo) return SolverClass::HydrStat;
    return find([&](const SolverClassInfo& e) {
      return e.thermal && !e.twoTemperature && e.elastic == c.elastic;
    });
  }
  if (c.noMove) return find([](const SolverClassInfo& e) { return e.frozenGrid; });
  return find([&](const SolverClassInfo& e) {
    return e.twoTemperature && !e.frozenGrid && e.nonMetal == c.nonMetal &&
           e.elastic == (c.elastic && !c.nonMetal);
  });
}

std::optional<SolverClass> DeduceSolverClass(const ProfileSignature& file, Prompter& prompter) {
  const AnswerSet yn = AnswerSet::YesNoCancel();
  Answer a = Answer::No;
  auto ask = [&](const char* q) {
    a = prompter.Ask(q, yn);
    return a != Answer::Cancel;
  };
  if (file.twoT) {
    if (file.nonMetal) return SolverClass::NoMet;
    if (!ask("2 Temp")) return std::nullopt;
    if (a == Answer::Yes) {
      if (file.frozen) return SolverClass::ThermState;
      if (!ask("With Hydrodyn")) return std::nullopt;
      if (a != Answer::Yes) return SolverClass::ThermState;
      if (!file.elastic) return SolverClass::Hydro2T;
      if (!ask("Elast/plast")) return std::nullopt;
      return a == Answer::Yes ? SolverClass::Hydro2Telast : SolverClass::Hydro2T;
    }
  }
  if (file.frozen) return SolverClass::HydrTherm;
  if (!ask("With Thermocond")) return std::nullopt;
  if (a != Answer::Yes) return SolverClass::HydrStat;
  if (!file.elastic) return SolverClass::HydrTherm;
  if (!ask("Elast/plast")) return std::nullopt;
  return a == Answer::Yes ? SolverClass::Hydro1elast : SolverClass::HydrTherm;
}

}  // namespace tarvex
