// The spallation test beyond its formulas: the sound speed it uses, nothing fails with the
// criteria off, solid cells, edge states that must neither fail a cell by a criterion
// that does not apply nor raise an arithmetic fault, and the foam strength.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/common/FpGuard.h"
#include "support/SpallFixture.h"

namespace tarvex {
namespace {

using testing::Accept;
using testing::EnvOf;
using testing::EosOf;
using testing::TestMetal;

constexpr Real kInf = std::numeric_limits<Real>::infinity();
constexpr Real kNaN = std::numeric_limits<Real>::quiet_NaN();

// Every criterion on: nucleation with the sound volume, spall, both strength limits.
TSpallParams AllCriteria(const TestMetal& metal, bool sigmaRhoT) {
  TSpallation d;
  EXPECT_TRUE(d.SelectMaterial(sigmaRhoT ? 1 : 0, EnvOf(metal)));
  EXPECT_TRUE(d.SetCheck("CheckSpall", true));
  EXPECT_TRUE(d.SetCheck("CheckPliq", true));
  EXPECT_TRUE(d.SetCheck("CheckPsol", true));
  TSpallParams sp;
  const TSpallOkResult r = Accept(d, metal, sp);
  EXPECT_EQ(r.close, TSpallClose::Ok) << r.result.focus << ": " << r.result.message;
  return sp;
}

TSpallCell Cell(Real rho, Real T, Real p, Real epsT, Real tension) {
  TSpallCell c;
  c.rho = rho;
  c.T = c.Te = T;
  c.p = p;
  c.Ei = 0.3L;
  c.epsT = epsT;
  c.tensionTime = tension;
  return c;
}

TEST(SpallSoundSpeed, EosValueTensionSpeedOrTheirGeometricMean) {
  struct Case {
    Real cEos, p, rho, expected;
  };
  const Real cT = std::sqrt(Real(3) / Real(2.4L));  // √(|p|/ρ) [km/s]
  const Case cases[] = {
      {4, -3, 2.4L, 4},   {kNaN, -3, 2.4L, cT}, {kInf, -3, 2.4L, cT},
      {0, -3, 2.4L, cT},  {-1, -3, 2.4L, cT},   {0.5L, -3, 2.4L, std::sqrt(cT * 0.5L)},
      {cT, -3, 2.4L, cT},
  };
  for (const Case& c : cases) {
    const FpGuard guard;
    EXPECT_NEAR(EffectiveSoundSpeed(c.cEos, c.p, c.rho), c.expected, 1e-18L) << c.cEos;
    EXPECT_FALSE(guard.Faulted()) << c.cEos;
  }
}

TEST(SpallCheck, NothingFailsWithEveryCriterionOff) {
  const TestMetal metal;
  for (bool sigmaRhoT : {false, true}) {
    TSpallParams sp = AllCriteria(metal, sigmaRhoT);
    sp.CheckNucl = sp.CheckSpall = sp.CheckPliq = sp.CheckPsol = false;
    for (Real p : {-1e-6L, -0.5L, -5.0L, -100.0L, -1e4L}) {
      for (Real T : {300.0L, 1500.0L, 5000.0L}) {
        for (Real epsT : {1e3L, 1e9L, 1e13L}) {
          EXPECT_FALSE(SpallCheck(sp, EosOf(metal), Cell(2.3L, T, p, epsT, kInf)).failed)
              << "p " << p << " T " << T << " epsT " << epsT;
        }
      }
    }
  }
}

TEST(SpallCheck, SolidCellsAreJudgedByTheSolidStrengthUnlessCheckSol) {
  TestMetal metal;
  metal.Tm = 933;
  TSpallParams sp = AllCriteria(metal, false);
  sp.CheckPsol = false;
  // Far beyond every liquid criterion: huge tension held for a long time.
  const TSpallCell solid = Cell(2.7L, 600, -50, 1e9L, 1e-6L);
  EXPECT_FALSE(SpallCheck(sp, EosOf(metal), solid).failed);
  sp.CheckSol = true;
  EXPECT_TRUE(SpallCheck(sp, EosOf(metal), solid).failed);

  // p_sol (= −10.6 + 0.003 T − 2.16e-7 T² here, −8.8778 GPa at 600 K) applies to solid
  // cells only.
  const TSpallParams gold = AllCriteria(metal, true);
  ASSERT_TRUE(gold.CheckPsol);
  TSpallParams solidOnly = gold;
  solidOnly.CheckNucl = solidOnly.CheckSpall = solidOnly.CheckPliq = false;
  EXPECT_TRUE(SpallCheck(solidOnly, EosOf(metal), Cell(19, 600, -8.9L, 1e9L, 1e-9L)).failed);
  EXPECT_FALSE(SpallCheck(solidOnly, EosOf(metal), Cell(19, 600, -8.8L, 1e9L, 1e-9L)).failed);
  EXPECT_FALSE(SpallCheck(solidOnly, EosOf(metal), Cell(19, 1000, -20, 1e9L, 1e-9L)).failed);
  // Without a liquid test every cell counts as liquid.
  TSpallEos noPhase = EosOf(metal);
  noPhase.IsMelted = PredSlot2{};
  EXPECT_FALSE(SpallCheck(solidOnly, noPhase, Cell(19, 600, -9, 1e9L, 1e-9L)).failed);
}

// States at the edges of the models: the criteria that cannot apply leave the cell
// intact, and no arithmetic fault reaches the caller's guard.
TEST(SpallCheck, EdgeStatesNeitherFailByAnUndefinedCriterionNorFault) {
  TestMetal metal;
  metal.Tm = 0;  // liquid everywhere
  struct Case {
    const char* what;
    Real rho, T, p, Te, epsT, tension, cEos;
    bool rhoTOnly;  // an edge of sigma(rho,Ti) only
  };
  // T < 0: that many times Tc of the model.
  const Case cases[] = {
      {"at Tc", 2.3L, -1, -5, -1, 1e9L, 1e-9L, 4, false},
      {"above Tc", 2.3L, -1.3L, -5, -1.3L, 1e9L, 1e-9L, 4, false},
      {"at 3.5 rho_c and above", 40, 3000, -5, 3000, 1e9L, 1e-9L, 4, true},
      {"no strain and no record", 2.3L, 1500, -5, 1500, 0, kInf, 4, false},
      {"no tension time yet", 2.3L, 1500, -5, 1500, 1e9L, 0, 4, false},
      {"sound speed not a number", 2.3L, 1500, -1e-3L, 1500, 1e9L, 1e-12L, kNaN, false},
      {"vanishing tension", 2.3L, 1500, -1e-4000L, 1500, 1e9L, 1e-9L, 4, false},
      {"compressed by the electron shift", 2.3L, 1500, -0.1L, 1700, 1e9L, 1e-9L, 4, false},
      {"no tension", 2.3L, 1500, 0, 1500, 1e9L, 1e-9L, 4, false},
      {"zero density", 0, 1500, -5, 1500, 1e9L, 1e-9L, 4, false},
  };
  for (bool sigmaRhoT : {false, true}) {
    TSpallParams sp = AllCriteria(metal, sigmaRhoT);
    sp.CheckPliq = sp.CheckPsol = false;
    sp.pTe = -1e-3L;  // a shift that lowers the tension: −0.1 + 0.2 GPa
    for (const Case& c : cases) {
      if (c.rhoTOnly && !sigmaRhoT) continue;
      metal.c = c.cEos;
      TSpallCell cell = Cell(c.rho, c.T < 0 ? -c.T * sp.Tc : c.T, c.p, c.epsT, c.tension);
      cell.Te = c.Te < 0 ? -c.Te * sp.Tc : c.Te;
      const FpGuard guard;
      const TSpallVerdict v = SpallCheck(sp, EosOf(metal), cell);
      EXPECT_FALSE(guard.Faulted()) << c.what << (sigmaRhoT ? " sigma(rho,T)" : "");
      EXPECT_FALSE(v.failed) << c.what << (sigmaRhoT ? " sigma(rho,T)" : "");
    }
    // A strength limit still applies where the surface tension is gone.
    sp.CheckPliq = true;
    metal.c = 4;
    EXPECT_TRUE(SpallCheck(sp, EosOf(metal), Cell(2.3L, 1.3L * sp.Tc, -5, 1e9L, 1e-9L)).failed);
  }
}

TEST(FoamStrength, FullBelowRfLinearDownToRfcNoneBelow) {
  TSpallParams sp;
  sp.Foam = true;
  sp.Pf = -0.05L;
  sp.Rf = 10;
  sp.Rfc = 0.02L;
  sp.PfOverRf = sp.Pf / sp.Rf;
  struct Case {
    Real rho, Pf;
  };
  for (const Case& c : {Case{12, -0.05L}, Case{10, -0.05L}, Case{5, -0.025L}, Case{0.02L, -0.0001L},
                        Case{0.019L, 0}, Case{0, 0}}) {
    EXPECT_NEAR(FoamStrength(sp, c.rho), c.Pf, 1e-18L) << c.rho;
    EXPECT_EQ(FailedCellPressure(sp, c.rho), FoamStrength(sp, c.rho));
  }
  sp.Foam = false;
  EXPECT_EQ(FailedCellPressure(sp, 12), 0);
}

}  // namespace
}  // namespace tarvex
