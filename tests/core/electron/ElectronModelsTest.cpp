// Edge cases of the metal models: the free-electron gas and its limits, the density
// window and the phase-driven blend of the transition metals (the film's phase through a
// stand-in for the table lookups), gold at the d-band onset, and the collision rates of
// the "Simple metall" model.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/electron/FreeElectronBlend.h"
#include "core/electron/NobleMetal.h"
#include "core/electron/Silver.h"
#include "core/electron/SimpleMetal.h"
#include "core/electron/TransMetal.h"
#include "support/ElectronFixture.h"

namespace tarvex {
namespace {

using testing::ElectronFixture;

int32_t StandInCode(const int32_t& code, Real, Real) {
  return code;
}
Real StandInMixture(const Real& m, Real, Real) {
  return m;
}

// A film whose EOS table reports one phase code and one mixture fraction everywhere.
struct StandInTable {
  int32_t code = 1;
  Real m = 1;
  void Attach(FilmPhaseSource& s) {
    s.Tabulated = true;
    s.Code = MakeIntSlot<int32_t, &StandInCode>(code);
    s.Mixture = MakeSlot<Real, &StandInMixture>(m);
  }
};

// Accepts a page with a preset from code.
void Accept(ElectronFixture& f, const char* page, const char* material) {
  ASSERT_TRUE(f.dialog.ShowPage(page));
  ASSERT_TRUE(f.dialog.ChooseMaterial(material));
  const ElOkResult ok = f.dialog.Ok(f.targets, ElOkSource::Code);
  ASSERT_TRUE(ok) << ok.focus << ": " << ok.message;
}

TEST(FreeElectronGas, DegenerateAndClassicalLimits) {
  ElectronFixture f;
  Accept(f, "ag1", "Ag1");
  const FegParams& p = f.electron.Block<AgParams>().feg;
  const Real rho = 10.49L;
  const Real g = FegGamma(p, rho);
  const Real c = p.ccl;
  // Te small: Ee = gamma Te^2/2 (next term -(gamma Te/c)^2/4 relative).
  const Real Tlow = 1;
  EXPECT_NEAR(FegEnergy(p, rho, Tlow), g * Tlow * Tlow / 2, 1e-9L * g * Tlow * Tlow);
  // Te large: Ee = c Te - c^2/gamma + c^3/(2 gamma^2 Te) - ...
  const Real Thigh = 1e12L;
  const Real classical = c * Thigh - c * c / g + c * c * c / (2 * g * g * Thigh);
  EXPECT_NEAR(FegEnergy(p, rho, Thigh), classical, 1e-6L * (c * c / g));
  EXPECT_NEAR(FegHeatCap(p, rho, Thigh), c, 1e-9L * c);
}

TEST(FreeElectronGas, EnergyIsSmoothWhereTheTwoBranchFormJumped) {
  // y = gamma Te = 1e-4 kJ/g/K, where a series with the wrong second term met the closed
  // form: the energy must have no step there.
  ElectronFixture f;
  Accept(f, "ag1", "Ag1");
  const FegParams& p = f.electron.Block<AgParams>().feg;
  const Real rho = 10.49L;
  const Real Te = 1e-4L / FegGamma(p, rho);
  const Real h = 1e-12L * Te;
  const Real step = FegEnergy(p, rho, Te + h) - FegEnergy(p, rho, Te - h);
  // The change across 2h is the heat capacity times 2h, not a jump of the energy.
  EXPECT_NEAR(step / (2 * h * FegHeatCap(p, rho, Te)), 1, 1e-5L);
}

TEST(FreeElectronGas, NothingAtOrBelowTheCutOffDensity) {
  ElectronFixture f;
  Accept(f, "trans_metal", "Ni");
  const TransMetParams& p = f.electron.Block<TransMetParams>();
  const Real rhoMd = p.blend.feg.RhoMd;
  ASSERT_NEAR(rhoMd, 1 / 0.574L, 1e-15L);
  for (Real rho : {rhoMd, 0.5L * rhoMd}) {
    EXPECT_EQ(FegEnergy(p.blend.feg, rho, 1e4L), 0);
    EXPECT_EQ(BlendEe(p, rho, 1e4L), 0);
    EXPECT_EQ(BlendCe(p, rho, 1e4L), 0);
    EXPECT_EQ(BlendPe(p, rho, 1e4L), 0);
  }
}

TEST(TransitionMetalBlend, DensityWindowOfNickel) {
  ElectronFixture f;
  Accept(f, "trans_metal", "Ni");
  const TransMetParams& p = f.electron.Block<TransMetParams>();
  const Real Te = 2e4L;
  // rho = 2.0: x = 1.148, d = 2 s(1.148) = 2 (1 - 0.852^2).
  const Real d = 2 * (1 - 0.852L * 0.852L);
  EXPECT_NEAR(BlendEe(p, 2, Te),
              0.148L * SolidEe(p, d, Te) + 0.852L * FegEnergy(p.blend.feg, 2, Te),
              1e-15L * BlendEe(p, 2, Te));
  // rho = 1.5: x = 0.861, below the window: no electron energy or pressure.
  EXPECT_EQ(BlendEe(p, 1.5L, Te), 0);
  EXPECT_EQ(BlendPe(p, 1.5L, Te), 0);
  EXPECT_EQ(BlendPeDT(p, 1.5L, Te), 0);
  // In the window the pressure is a weighted harmonic mean, never above the solid one.
  const Real Ps = SolidPe(p, d, Te), Pf = FegPressure(p.blend.feg, 2, Te);
  const Real H = 1 / (0.148L / Ps + 0.852L / Pf);
  EXPECT_NEAR(BlendPe(p, 2, Te), std::min(Ps, H), 1e-15L * Ps);
}

TEST(TransitionMetalBlend, TabulatedFilmDecidesByPhaseBelowTeC) {
  ElectronFixture f;
  Accept(f, "trans_metal", "Ni");
  StandInTable table;
  table.Attach(f.electron.FilmPhase);
  const TransMetParams& p = f.electron.Block<TransMetParams>();
  const Real rho = 8.9L, Te = 3000;  // below TeC = 6700 K
  const Real solid = SolidEe(p, rho, Te), gas = FegEnergy(p.blend.feg, rho, Te);

  table.code = 1;
  EXPECT_NEAR(BlendEe(p, rho, Te), solid, 1e-15L * solid);
  table.code = 4;  // liquid + gas, 30 % liquid
  table.m = 0.3L;
  EXPECT_NEAR(BlendEe(p, rho, Te), 0.3L * solid + 0.7L * gas, 1e-15L * solid);
  EXPECT_LE(BlendPe(p, rho, Te), SolidPe(p, rho, Te));
  table.code = -11;  // metastable, reduced mod 7 to liquid + gas
  EXPECT_NEAR(BlendEe(p, rho, Te), 0.3L * solid + 0.7L * gas, 1e-15L * solid);
  for (int32_t gasCode : {5, 6}) {
    table.code = gasCode;
    EXPECT_EQ(BlendEe(p, rho, Te), 0);
    EXPECT_EQ(BlendPe(p, rho, Te), 0);
  }
  // Above TeC the density window decides again: x = 8.9 * 0.574 > 2, the solid model.
  table.code = 5;
  EXPECT_NEAR(BlendEe(p, rho, 8000), SolidEe(p, rho, 8000), 1e-15L * solid);
}

TEST(TransitionMetalBlend, LiquidGasPressureOfThinStatesSwitchesOnWithTe) {
  ElectronFixture f;
  Accept(f, "trans_metal", "Ni");
  StandInTable table;
  table.Attach(f.electron.FilmPhase);
  table.code = 4;
  table.m = 0.5L;
  const TransMetParams& p = f.electron.Block<TransMetParams>();
  const Real rho = 1.2L * p.blend.feg.RhoMd;  // below 2 rho_md
  // Te below TeC/2: the switch s(Te/TeHalf) is 0, so is the free-electron pressure.
  EXPECT_EQ(BlendPe(p, rho, 3000), 0);
  // dPe/dTe is the derivative of the switched pressure.
  const Real Te = 5000, h = 0.01L;
  const Real numeric = (BlendPe(p, rho, Te + h) - BlendPe(p, rho, Te - h)) / (2 * h);
  EXPECT_NEAR(BlendPeDT(p, rho, Te), numeric, 1e-7L * std::fabs(numeric));
}

TEST(Gold, EnergyAtTheDBandOnset) {
  ElectronFixture f;
  Accept(f, "noble_metal", "Au");
  const Real Te = 3500;  // tn = 0: f = (1 + 1.4)/2
  EXPECT_NEAR(f.electron.model.ElEnergy(19.3L, Te), 1.2L * kAuGammaCoef * Te * Te,
              1e-15L * kAuGammaCoef * Te * Te);
  // The gold coupling per gram at room temperature: 0.2 1e8/rho0 plus a small d-band part.
  const Real G300 = f.electron.model.Coupling(19.3L, 300);
  EXPECT_GT(G300, 0.2e8L / 19.301066L);
  EXPECT_LT(G300, 0.21e8L / 19.301066L);
}

TEST(SimpleMetal, LiquidRateBelowItsMinimumTemperatureUsesTheMinimum) {
  ElectronFixture f;
  Accept(f, "simple_metal", "Al");
  const SimpleMetParams& p = f.electron.Block<SimpleMetParams>();
  const Real bMin = 2 * 6.67E4L / 130;  // -2C/A = 1026.15 K with the defaults
  EXPECT_NEAR(p.bMin, bMin, 1e-12L);
  EXPECT_EQ(SimpleLiquidRate(p, 500), SimpleLiquidRate(p, bMin));
  EXPECT_GT(SimpleLiquidRate(p, 2000), 0);
}

TEST(SimpleMetal, CutOffDensityRemovesEnergyAndPressureButNotTheHeatCapacity) {
  ElectronFixture f;
  ASSERT_TRUE(f.dialog.ShowPage("simple_metal"));
  ASSERT_TRUE(f.dialog.ChooseMaterial("Al"));
  f.Type(f.dialog.SimpleMetall(), "Rho_mdEdit", 1);
  ASSERT_TRUE(f.dialog.Ok(f.targets, ElOkSource::Code));
  const ElectronModel& m = f.electron.model;
  for (Real rho : {Real(1), Real(0.5)}) {
    EXPECT_EQ(m.ElEnergy(rho, 1e4L), 0);
    EXPECT_EQ(m.ElPressure(rho, 1e4L), 0);
    EXPECT_GT(m.ElHeatCap(rho, 1e4L), 0);  // a temperature update never divides by zero
  }
  // Above it the energy is (1 - rho_md/rho) times the gas at rho - rho_md.
  EXPECT_GT(m.ElEnergy(2.7L, 1e4L), 0);
}

// The phase of the ions (at (rho, Ti)) selects the electron-ion scattering: a melting
// state is the solid one at mixture fraction 1 and the liquid one at 0.
TEST(Conductivity, MeltingStatesRunFromTheSolidToTheLiquidRate) {
  struct Row {
    const char* page;
    const char* material;
    Real rho, Te, Ti;
    bool liquidConductsLess;  // the model adds liquid collisions to the solid ones
  };
  for (const Row& r : {Row{"trans_metal", "Ni", 8.9L, 1e4L, 1500, false},
                       Row{"noble_metal", "Au", 19.3L, 2e4L, 1300, true},
                       Row{"simple_metal", "Al", 2.7L, 5000, 933, false}}) {
    ElectronFixture f;
    Accept(f, r.page, r.material);
    StandInTable table;
    table.Attach(f.electron.FilmPhase);
    const Slot3& kappa = f.electron.model.ElConductivity;
    table.code = 1;
    const Real solid = kappa(r.rho, r.Te, r.Ti);
    table.code = 3;
    const Real liquid = kappa(r.rho, r.Te, r.Ti);
    EXPECT_NE(solid, liquid) << r.page;
    if (r.liquidConductsLess) {
      EXPECT_LT(liquid, solid) << r.page;
    }
    table.code = 2;
    table.m = 1;
    EXPECT_NEAR(kappa(r.rho, r.Te, r.Ti), solid, 1e-15L * solid) << r.page;
    table.m = 0;
    EXPECT_NEAR(kappa(r.rho, r.Te, r.Ti), liquid, 1e-15L * liquid) << r.page;
  }
}

TEST(SimpleMetal, ConductivityOfSolidAluminiumHasTheMeasuredOrderOfMagnitude) {
  // Aluminium near its melting point conducts ~2.4 W/cm/K (kW/cm/K below).
  ElectronFixture f;
  Accept(f, "simple_metal", "Al");
  const Real kappa = f.electron.model.ElConductivity(2.7L, 933, 933);
  EXPECT_GT(kappa, 2e-4L);
  EXPECT_LT(kappa, 2e-2L);
}

}  // namespace
}  // namespace tarvex
