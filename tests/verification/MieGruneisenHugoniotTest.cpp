// Shock compression of the Mie-Grueneisen materials (the "MieGrun" presets, "Rose" Al and
// the "Metal" Al lattice) against the Rankine-Hugoniot relations, computed here:
//  - the Hugoniot of a Mie-Grueneisen solid in closed form: with the cold curve Ec(V),
//    Pc(V) (the model at T = 0) and its Grueneisen coefficient G = (P - Pc)/(E - Ec),
//    E - E0 = (P + P0)(V0 - V)/2 gives P_H = (E0 - Ec + Pc/G + P0 (V0 - V)/2)
//    / (1/G - (V0 - V)/2); the model's T(P) there must satisfy the energy jump condition;
//  - weak shocks travel at the thermodynamic sound speed of the initial state;
//  - the shock heats more than an isentropic compression to the same density (second
//    law), by a difference of third order in the compression.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/eos/AnalyticModels.h"

namespace tarvex {
namespace {

struct Material {
  std::string name;
  EosModelSlots eos;
  Real rho0;        // initial density [g/cm3]
  bool freeEnergy;  // E and P derive from one free energy
  std::shared_ptr<const void> block;
};

template <class M>
Material Make(const std::string& name, int32_t preset, Real rho0, bool freeEnergy) {
  auto p = std::make_shared<typename M::Params>();
  EXPECT_TRUE(MakeModelPreset<M>(preset, *p)) << name;
  return {name, BindModelSlots<M>(*p), rho0, freeEnergy, p};
}

std::vector<Material> Materials() {
  return {
      Make<MieGrunModel>("Mo", 0, 10.3099212935452609L, true),
      Make<MieGrunModel>("Ta", 2, 16.8070997018240788L, true),
      Make<MieGrunModel>("Ni", 4, 9.015923046858549L, true),
      // with the thermal-energy panel: still P - Pc = G (E - Ec), but no free energy
      Make<MieGrunModel>("Sn", 3, 7.2L, false),
      Make<RoseModel>("Rose Al", 0, 2.7757670319533582384L, true),
      Make<MetalModel>("Metal Al", 1, 2.70L, true),
  };
}

constexpr Real kT0 = 293.15L;

struct ShockState {
  Real P, T, Us, up;
};

// The closed-form Hugoniot point at rho from the initial state (rho0, kT0).
ShockState Hugoniot(const Material& m, Real rho) {
  const EosModelSlots& s = m.eos;
  const Real V0 = 1 / m.rho0, V = 1 / rho;
  const Real E0 = s.E(m.rho0, kT0), P0 = s.P(m.rho0, kT0);
  const Real Ec = s.E(rho, 0), Pc = s.P(rho, 0);
  const Real T1 = 2000;
  const Real G = (s.P(rho, T1) - Pc) / (s.E(rho, T1) - Ec);  // Grueneisen coefficient rho Gr
  const Real dV = V0 - V;
  const Real P = (E0 - Ec + Pc / G + P0 * dV / 2) / (1 / G - dV / 2);
  ShockState h;
  h.P = P;
  h.T = s.TofP(rho, P);
  h.Us = V0 * std::sqrt((P - P0) / dV);  // km/s: GPa cm3/g = (km/s)^2
  h.up = std::sqrt((P - P0) * dV);
  return h;
}

// Sound speed squared of the flow equations for P(rho, E), from finite differences of E
// and P [(km/s)^2]: c^2 = (dP/drho)_E + P/rho^2 (dP/dE)_rho. For a model derived from a
// free energy it equals dP/drho|_T + T (dP/dT)^2/(rho^2 Cv).
Real SoundSpeed2(const EosModelSlots& s, Real rho, Real T) {
  const Real hr = 1e-6L * rho, hT = 1e-5L * T;
  const Real dPdrho = (s.P(rho + hr, T) - s.P(rho - hr, T)) / (2 * hr);
  const Real dEdrho = (s.E(rho + hr, T) - s.E(rho - hr, T)) / (2 * hr);
  const Real dPdT = (s.P(rho, T + hT) - s.P(rho, T - hT)) / (2 * hT);
  const Real Cv = (s.E(rho, T + hT) - s.E(rho, T - hT)) / (2 * hT);
  return dPdrho + dPdT / Cv * (s.P(rho, T) / (rho * rho) - dEdrho);
}

// The temperature on the isentrope through (rho0, kT0) at rho: dT/dV|_S = -T (dP/dT)_V/Cv,
// by classical Runge-Kutta in V with finite-difference derivatives of E and P.
Real IsentropeT(const EosModelSlots& s, Real rho0, Real rho) {
  auto dTdV = [&s](Real V, Real T) {
    const Real r = 1 / V, hT = 1e-5L * T;
    const Real dPdT = (s.P(r, T + hT) - s.P(r, T - hT)) / (2 * hT);
    const Real Cv = (s.E(r, T + hT) - s.E(r, T - hT)) / (2 * hT);
    return -T * dPdT / Cv;
  };
  const int n = 400;
  const Real V0 = 1 / rho0, h = (1 / rho - V0) / n;
  Real V = V0, T = kT0;
  for (int i = 0; i < n; ++i) {
    const Real k1 = dTdV(V, T);
    const Real k2 = dTdV(V + h / 2, T + h * k1 / 2);
    const Real k3 = dTdV(V + h / 2, T + h * k2 / 2);
    const Real k4 = dTdV(V + h, T + h * k3);
    T += h * (k1 + 2 * k2 + 2 * k3 + k4) / 6;
    V += h;
  }
  return T;
}

TEST(MieGruneisenHugoniot, ModelStatesSatisfyTheEnergyJumpCondition) {
  for (const Material& m : Materials()) {
    const EosModelSlots& s = m.eos;
    const Real E0 = s.E(m.rho0, kT0), P0 = s.P(m.rho0, kT0);
    for (Real eta : {0.97L, 0.9L, 0.8L, 0.7L}) {  // V/V0
      const Real rho = m.rho0 / eta;
      const ShockState h = Hugoniot(m, rho);
      ASSERT_GT(h.T, kT0) << m.name << " " << eta;
      const Real jump = (h.P + P0) * (1 / m.rho0 - 1 / rho) / 2;
      EXPECT_NEAR(s.E(rho, h.T) - E0, jump, 1e-10L * jump) << m.name << " V/V0 = " << eta;
      EXPECT_NEAR(s.P(rho, h.T), h.P, 1e-12L * h.P) << m.name << " V/V0 = " << eta;
    }
  }
}

TEST(MieGruneisenHugoniot, WeakShocksTravelAtTheSoundSpeed) {
  for (const Material& m : Materials()) {
    const Real c0 = std::sqrt(SoundSpeed2(m.eos, m.rho0, kT0));
    const ShockState h = Hugoniot(m, m.rho0 / (1 - 1e-5L));
    EXPECT_NEAR(h.Us / c0, 1, 1e-4L) << m.name << ": c0 = " << c0 << " km/s";
    // Us grows with up at the slope of a solid (Us = c0 + s up, s about 1 to 2).
    const ShockState a = Hugoniot(m, m.rho0 / 0.95L);
    const ShockState b = Hugoniot(m, m.rho0 / 0.9L);
    const Real slope = (b.Us - a.Us) / (b.up - a.up);
    EXPECT_GT(slope, 0.8L) << m.name;
    EXPECT_LT(slope, 2.5L) << m.name;
  }
}

TEST(MieGruneisenHugoniot, ShockHeatsMoreThanIsentropicCompression) {
  for (const Material& m : Materials()) {
    if (!m.freeEnergy) continue;  // the isentrope needs the thermodynamic identity
    Real last = 0;
    for (Real eta : {0.98L, 0.96L, 0.9L, 0.8L}) {
      const Real rho = m.rho0 / eta;
      const Real TH = Hugoniot(m, rho).T;
      const Real TS = IsentropeT(m.eos, m.rho0, rho);
      EXPECT_GT(TH, TS) << m.name << " V/V0 = " << eta;
      if (eta == 0.96L) {
        // Third-order contact: halving the compression divides the excess by about 8.
        const Real ratio = (TH - TS) / last;
        EXPECT_GT(ratio, 6) << m.name;
        EXPECT_LT(ratio, 10) << m.name;
      }
      last = TH - TS;
    }
  }
}

}  // namespace
}  // namespace tarvex
