// The film totals with the electron part (ComposeActiveEos): a constant electron model
// Ee = ce T, Pe = (2/3) rho ce T on an ideal-gas lattice, with and without NoElEOS.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>

#include "core/eos/EosBind.h"
#include "core/eos/StatEqDialog.h"
#include "support/IdealGasBinding.h"

namespace tarvex {
namespace {

constexpr Real kRel = 64 * std::numeric_limits<Real>::epsilon();

Real Ee(const Real& ce, Real, Real T) {
  return ce * T;
}
Real Ce(const Real& ce, Real, Real) {
  return ce;
}
Real Pe(const Real& ce, Real rho, Real T) {
  return 2 * rho * ce * T / 3;
}

struct ConstantElectrons {
  Real ce = 0.3L;
  ElectronModel slots;
  ConstantElectrons() {
    slots.ElEnergy = MakeSlot<Real, &Ee>(ce);
    slots.ElHeatCap = MakeSlot<Real, &Ce>(ce);
    slots.ElPressure = MakeSlot<Real, &Pe>(ce);
  }
};

EosBindResult BindFilm(EosState& eos, bool noElEOS, const ElectronModel* el) {
  const std::array<Real, 2> values{5.0L / 3, 1};  // E = 1.5 T, P = rho T
  EosBindOptions o;
  o.NoElEOS = noElEOS;
  o.electron = el;
  return BindEos(eos, EosMedium::Film, *FindEosModel("ideal_gas"), values, o);
}

TEST(ComposeActiveEos, ModelWithElectronsGivesTheLatticeAsTheRest) {
  ConstantElectrons el;
  EosState eos;
  ASSERT_TRUE(BindFilm(eos, false, &el.slots));
  const TActiveEos& a = eos.ActiveEos;
  const Real rho = 2, T = 500;
  EXPECT_EQ(a.E(rho, T), eos.FilmEos.E(rho, T));
  EXPECT_NEAR(a.TofE(rho, 1.5L * T), T, T * kRel);
  EXPECT_NEAR(a.Eion(rho, T), 1.5L * T - 0.3L * T, T * kRel);
  EXPECT_NEAR(a.Pion(rho, T), rho * T - 0.2L * rho * T, rho * T * kRel);
  EXPECT_NEAR(a.Cvion(rho, T), 1.2L, kRel);
}

TEST(ComposeActiveEos, LatticeModelGetsTheElectronsAddedAndInverted) {
  ConstantElectrons el;
  EosState eos;
  ASSERT_TRUE(BindFilm(eos, true, &el.slots));
  const TActiveEos& a = eos.ActiveEos;
  const EosSet& f = eos.FilmEos;
  for (const Real rho : {0.1L, 2.0L, 19.3L}) {
    for (const Real T : {10.0L, 300.0L, 1e4L}) {
      SCOPED_TRACE(static_cast<double>(T));
      EXPECT_NEAR(a.E(rho, T), f.E(rho, T) + 0.3L * T, T * kRel);
      EXPECT_NEAR(a.Cv(rho, T), 1.8L, kRel);
      EXPECT_EQ(a.Eion(rho, T), f.E(rho, T));
      EXPECT_EQ(a.Pion(rho, T), f.P(rho, T));
      // The Newton inversions of the totals return the temperature.
      EXPECT_NEAR(a.TofE(rho, f.E(rho, T) + 0.3L * T), T, T * kRel);
      EXPECT_NEAR(a.TofP(rho, a.P(rho, T)), T, T * kRel);
      // dPe/dTe from the free-electron rule, 2/3 rho Ce, where the model gives none.
      EXPECT_NEAR(a.dPdT(rho, T), rho + 0.2L * rho, rho * kRel);
    }
  }
  // A change of the electron model recomposes the totals with the same rule.
  el.ce = 0.6L;
  ComposeActiveEos(eos, &el.slots);
  EXPECT_NEAR(eos.ActiveEos.TofE(1, 1.5L * 100 + 0.6L * 100), 100, 100 * kRel);
  ComposeActiveEos(eos, nullptr);
  EXPECT_EQ(eos.ActiveEos.E(1, 100), eos.FilmEos.E(1, 100));
}

TEST(ComposeActiveEos, DialogAcceptsNoElEOSWithAnElectronModel) {
  ConstantElectrons el;
  EosState eos;
  TStatEqDialog dlg;
  ASSERT_TRUE(dlg.SelectModel("Ideal gas"));
  dlg.FieldByName("gamma")->SetText("1.4");
  dlg.SetNoElEOS(true);
  ASSERT_TRUE(dlg.SelectModel("Ideal gas"));  // the model stays chosen after each OK
  const TStatEqResult r = dlg.Ok(eos, &el.slots);
  ASSERT_TRUE(r) << r.message;
  EXPECT_TRUE(eos.Film.NoElEOS);
  EXPECT_NEAR(eos.ActiveEos.E(1, 100), 250 + 30, 300 * kRel);
}

}  // namespace
}  // namespace tarvex
