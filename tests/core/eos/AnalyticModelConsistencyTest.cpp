// Thermodynamic consistency of every analytic equation of state, for every material preset,
// on a grid of states inside the domain each model states (AnalyticEosModels; a new model
// is covered by adding it there):
//  - inverses: T -> E -> T and T -> P -> T to 1e-10 relative;
//  - derivative slots: Cv = dE/dT and dP/dT against central differences to 1e-6 relative;
//  - mechanical stability: c^2 = dP/drho|_T + T (dP/dT)^2/(rho^2 Cv) positive and finite
//    (from finite differences of E and P only; P GPa, rho g/cm3, E kJ/g give c^2 in
//    (km/s)^2 with no factor, since 1 GPa cm3/g = 1 kJ/g);
//  - the identity (dE/dV)_T = T (dP/dT)_V - P of a free energy, to 1e-6 relative, except
//    for the models listed in kIdentityExempt;
//  - no arithmetic fault anywhere in the domain, phase codes and fractions in range.
// Near a phase boundary a central difference straddles two phases; such points are
// skipped for the derivative checks (the phase code differs among the neighbours).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "core/common/FpGuard.h"
#include "support/AnalyticModelCases.h"

namespace tarvex {
namespace {

using testing::AnalyticCase;

struct State {
  Real rho;
  Real T;
};

// 9 x 9 states: rho evenly, T geometrically spaced over the domain.
std::vector<State> DomainGrid(const EosDomain& d) {
  constexpr int kN = 9;
  std::vector<State> g;
  for (int i = 0; i < kN; ++i) {
    const Real rho = d.rhoMin + (d.rhoMax - d.rhoMin) * i / (kN - 1);
    for (int j = 0; j < kN; ++j) {
      const Real T = d.TMin * std::pow(d.TMax / d.TMin, static_cast<Real>(j) / (kN - 1));
      g.push_back({rho, T});
    }
  }
  return g;
}

// Models whose E and P do not derive from one free energy, and why.
struct Exemption {
  const char* caseName;  // a case name, or a prefix ending in '_' for every preset
  const char* why;
};
constexpr Exemption kIdentityExempt[] = {
    {"Comb_L_S_", "E and P of two phases mixed with T-dependent weights, not a mixed free energy"},
    {"TConduct_", "P is the outer pressure of the run, not a function of the state"},
    {"PGlass", "separable form: E = c T with P(rho) only, (dE/dV)_T = 0 but P != 0"},
    {"Water_a", "separable form: E = c T with P(rho) only"},
    {"LinEOS_", "E = C T while P has the thermal part rho G C (T - Tr): not one free energy"},
    {"Ti", "the cold pressure's p0 is fitted apart from E0 rho0 (0.4 % with the defaults)"},
    {"LiF",
     "the liquid cold pressure P00l differs from rho0 E00l by 4 %, and the melting band "
     "interpolates E linearly in x"},
    {"MieGrun_Sn",
     "with etPanel the thermal energy depends on x; the Mie-Grueneisen thermal "
     "pressure Gr rho E_th is then not the volume derivative of a free energy"},
};

bool IdentityExempt(const std::string& name) {
  for (const Exemption& e : kIdentityExempt) {
    const std::string key = e.caseName;
    if (name == key || (key.back() == '_' && name.rfind(key, 0) == 0)) return true;
  }
  return false;
}

// Water2MG: the identity holds in each single phase; the coexistence region follows
// the fitted saturation curves instead.
bool SinglePhase(PhaseCode code) {
  return code == kPhaseNone || code == kPhaseLiquid || code == kPhaseGas || code == kPhaseSolid;
}

Real Rel(Real a, Real b) {
  const Real s = std::max(std::fabs(a), std::fabs(b));
  return s == 0 ? 0 : std::fabs(a - b) / s;
}

class AnalyticModelConsistency : public ::testing::TestWithParam<AnalyticCase> {
 protected:
  const AnalyticCase& C() const { return GetParam(); }
  bool Has(EosSlotMask bit) const { return (C().slotMask & bit) != 0; }

  // The phase code is the same at (rho, T) and at the neighbours a central difference
  // with steps hr, hT uses.
  bool SmoothAround(Real rho, Real T, Real hr, Real hT) const {
    if (!C().slots.PhaseId) return true;
    const IntSlot2 id = C().slots.PhaseId;
    const int32_t c = id(rho, T);
    return id(rho + hr, T) == c && id(rho - hr, T) == c && id(rho, T + hT) == c &&
           id(rho, T - hT) == c;
  }
};

TEST_P(AnalyticModelConsistency, DomainIsSound) {
  const EosDomain& d = C().domain;
  EXPECT_TRUE(std::isfinite(d.rhoMin) && std::isfinite(d.rhoMax) && d.rhoMin > 0);
  EXPECT_LT(d.rhoMin, d.rhoMax);
  EXPECT_TRUE(std::isfinite(d.TMin) && std::isfinite(d.TMax) && d.TMin > 0);
  EXPECT_LT(d.TMin, d.TMax);
  EXPECT_TRUE(Has(kSlotE) && Has(kSlotP) && Has(kSlotCv));
}

TEST_P(AnalyticModelConsistency, NoArithmeticFaultInsideTheDomain) {
  const EosModelSlots& s = C().slots;
  for (const State& st : DomainGrid(C().domain)) {
    FpGuard guard;
    Real sum = s.E(st.rho, st.T) + s.P(st.rho, st.T) + s.Cv(st.rho, st.T);
    if (s.dPdT) sum += s.dPdT(st.rho, st.T);
    if (s.Kappa) sum += s.Kappa(st.rho, st.T);
    if (s.TofE) sum += s.TofE(st.rho, s.E(st.rho, st.T));
    if (s.TofP) sum += s.TofP(st.rho, s.P(st.rho, st.T));
    if (s.LiquidFraction) sum += s.LiquidFraction(st.rho, st.T);
    if (s.SolidFraction) sum += s.SolidFraction(st.rho, st.T);
    EXPECT_TRUE(std::isfinite(sum)) << "rho " << st.rho << " T " << st.T;
    EXPECT_FALSE(guard.Faulted()) << "rho " << st.rho << " T " << st.T;
    guard.Reset();
  }
}

TEST_P(AnalyticModelConsistency, InversesReturnTheTemperature) {
  const EosModelSlots& s = C().slots;
  if (!s.TofE && !s.TofP) GTEST_SKIP() << "no inverse";
  for (const State& st : DomainGrid(C().domain)) {
    if (s.TofE) {
      const Real T = s.TofE(st.rho, s.E(st.rho, st.T));
      EXPECT_LE(Rel(T, st.T), 1e-10L) << "T(E) at rho " << st.rho << " T " << st.T << ": " << T;
    }
    if (s.TofP) {
      const Real T = s.TofP(st.rho, s.P(st.rho, st.T));
      EXPECT_LE(Rel(T, st.T), 1e-10L) << "T(P) at rho " << st.rho << " T " << st.T << ": " << T;
    }
  }
}

TEST_P(AnalyticModelConsistency, DerivativeSlotsMatchCentralDifferences) {
  const EosModelSlots& s = C().slots;
  int32_t checked = 0;
  for (const State& st : DomainGrid(C().domain)) {
    const Real hT = 1e-5L * st.T;
    if (!SmoothAround(st.rho, st.T, 1e-5L * st.rho, hT)) continue;
    ++checked;
    const Real dE = (s.E(st.rho, st.T + hT) - s.E(st.rho, st.T - hT)) / (2 * hT);
    EXPECT_LE(Rel(s.Cv(st.rho, st.T), dE), 1e-6L) << "Cv at rho " << st.rho << " T " << st.T;
    if (s.dPdT) {
      const Real dP = (s.P(st.rho, st.T + hT) - s.P(st.rho, st.T - hT)) / (2 * hT);
      EXPECT_LE(Rel(s.dPdT(st.rho, st.T), dP), 1e-6L) << "dP/dT at rho " << st.rho << " T " << st.T;
    }
  }
  EXPECT_GT(checked, 40);  // most of the grid is away from phase boundaries
}

TEST_P(AnalyticModelConsistency, SoundSpeedSquaredIsPositiveWhereStable) {
  const EosModelSlots& s = C().slots;
  if (C().index == TConductModel::kIndex) GTEST_SKIP() << "no mechanics: P is the outer pressure";
  for (const State& st : DomainGrid(C().domain)) {
    const Real hr = 1e-5L * st.rho;
    const Real hT = 1e-5L * st.T;
    if (s.PhaseId && s.PhaseId(st.rho, st.T) < 0) continue;  // metastable
    if (C().metastable && C().metastable(st.rho, st.T)) continue;
    if (!SmoothAround(st.rho, st.T, hr, hT)) continue;
    const Real dPdrho = (s.P(st.rho + hr, st.T) - s.P(st.rho - hr, st.T)) / (2 * hr);
    const Real dPdT = (s.P(st.rho, st.T + hT) - s.P(st.rho, st.T - hT)) / (2 * hT);
    const Real Cv = (s.E(st.rho, st.T + hT) - s.E(st.rho, st.T - hT)) / (2 * hT);
    const Real c2 = dPdrho + st.T * dPdT * dPdT / (st.rho * st.rho * Cv);
    EXPECT_TRUE(std::isfinite(c2) && c2 > 0)
        << "c^2 = " << c2 << " at rho " << st.rho << " T " << st.T;
  }
}

TEST_P(AnalyticModelConsistency, FreeEnergyIdentityHolds) {
  if (IdentityExempt(C().name)) GTEST_SKIP() << "exempt (see kIdentityExempt)";
  const EosModelSlots& s = C().slots;
  int32_t checked = 0;
  for (const State& st : DomainGrid(C().domain)) {
    const Real hr = 1e-5L * st.rho;
    const Real hT = 1e-5L * st.T;
    if (!SmoothAround(st.rho, st.T, hr, hT)) continue;
    if (s.PhaseId && !SinglePhase(s.PhaseId(st.rho, st.T))) continue;
    ++checked;
    // (dE/dV)_T = -rho^2 (dE/drho)_T
    const Real dEdV =
        -st.rho * st.rho * (s.E(st.rho + hr, st.T) - s.E(st.rho - hr, st.T)) / (2 * hr);
    const Real P = s.P(st.rho, st.T);
    const Real TdPdT = st.T * (s.P(st.rho, st.T + hT) - s.P(st.rho, st.T - hT)) / (2 * hT);
    const Real scale = std::max({std::fabs(P), std::fabs(TdPdT), std::fabs(dEdV)});
    EXPECT_LE(std::fabs(dEdV - (TdPdT - P)), 1e-6L * scale)
        << "rho " << st.rho << " T " << st.T << ": (dE/dV)_T " << dEdV << ", T dP/dT - P "
        << TdPdT - P;
  }
  EXPECT_GT(checked, 20);
}

TEST_P(AnalyticModelConsistency, PhaseFunctionsStayInRange) {
  const EosModelSlots& s = C().slots;
  for (const State& st : DomainGrid(C().domain)) {
    if (s.PhaseId) {
      const int32_t c = s.PhaseId(st.rho, st.T);
      EXPECT_TRUE(c >= -9 && c <= 9) << c;
    }
    if (s.PhaseColor) {
      const int32_t col = s.PhaseColor(st.rho, st.T);
      EXPECT_TRUE(col >= 0 && col <= 0xFFFFFF) << col;
    }
    for (const Slot2* f : {&s.LiquidFraction, &s.SolidFraction}) {
      if (!*f) continue;
      const Real v = (*f)(st.rho, st.T);
      EXPECT_TRUE(v >= 0 && v <= 1) << v;
    }
    if (s.LiquidFraction && s.SolidFraction) {
      EXPECT_LE(s.LiquidFraction(st.rho, st.T) + s.SolidFraction(st.rho, st.T), 1 + 1e-15L);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(AllModels, AnalyticModelConsistency,
                         ::testing::ValuesIn(testing::AllAnalyticCases()),
                         [](const ::testing::TestParamInfo<AnalyticCase>& p) {
                           return p.param.name;
                         });

// Every model of the list is in the suite, with every preset that sets values.
TEST(AnalyticModelConsistencyCoverage, EveryModelAndPresetIsACase) {
  const std::vector<AnalyticCase> cases = testing::AllAnalyticCases();
  for (int32_t index = 3; index <= 17; ++index) {
    EXPECT_TRUE(std::any_of(cases.begin(), cases.end(),
                            [index](const AnalyticCase& c) { return c.index == index; }))
        << "model " << index;
  }
  auto count = [&cases](int32_t index) {
    return std::count_if(cases.begin(), cases.end(),
                         [index](const AnalyticCase& c) { return c.index == index; });
  };
  EXPECT_EQ(count(MieGrunModel::kIndex), 6);  // and Ta with the alternative coefficients
  EXPECT_EQ(count(RoseModel::kIndex), 2);
  EXPECT_EQ(count(SilGlassModel::kIndex), 2);
  EXPECT_EQ(count(MetalModel::kIndex), 3);  // and Al with the anharmonic lattice
  EXPECT_EQ(count(MetalVapourModel::kIndex), 3);
}

}  // namespace
}  // namespace tarvex
