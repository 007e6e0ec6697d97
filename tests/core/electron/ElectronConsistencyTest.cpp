// Thermodynamic consistency of every electron model the dialog can install: each page of
// the catalog with each of its material presets (and, for pages without presets, the
// example values below) is accepted through the dialog and then evaluated on a grid of
// Te from 300 K to 1e5 K and rho from 0.5 rho0 to 1.2 rho0.
//
// Checked against independent statements of the physics: the heat capacity is the
// Te-derivative of the energy and dPe/dTe the Te-derivative of the pressure (central
// differences), the energy is finite and does not fall with Te, the coupling and the
// conductivities are positive, and where a model is a degenerate electron gas at low Te
// its heat capacity tends to gamma Te with the Sommerfeld coefficient written out below
// from the model's parameters; where it is an ideal Fermi gas, Pe = (2/3) rho Ee.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <functional>
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "core/electron/ElectronCatalog.h"
#include "core/electron/ElectronConstants.h"
#include "core/electron/NobleMetal.h"
#include "support/ElectronDataFiles.h"
#include "support/ElectronFixture.h"

namespace tarvex {
namespace {

using testing::ElectronFixture;

constexpr Real kPi = 3.14159265358979323846264338L;
constexpr Real kBkJ = 1.3806504e-26L;  // [kJ/K]
constexpr Real kBeV = 8.617342936120782e-05L;
constexpr Real kNAv = 6.02497e23L;
constexpr Real kHbar = 1.0545887e-37L;  // [kJ s]
constexpr Real kMe = 9.1083e-28L;       // [g]

// Sommerfeld coefficient per gram of a free-electron gas of Z electrons per atom of
// atomic mass M at density rho [kJ/g/K^2]: (pi^2/2) kB^2 (n/rho)/E_F with
// E_F = hbar^2/(2 m_e) (3 pi^2 n)^(2/3) and n the electron density [1/cm3].
Real FreeElectronGamma(Real Z, Real M, Real rho) {
  const Real perGram = Z * kNAv / M;
  const Real n = perGram * rho;
  const Real hbarCgs = kHbar * 1e10L;  // [erg s]
  const Real EF = hbarCgs * hbarCgs / (2 * kMe) * std::cbrt(3 * kPi * kPi * n * 3 * kPi * kPi * n) /
                  1e10L;  // [kJ]
  return kPi * kPi / 2 * kBkJ * kBkJ * perGram / EF;
}

// A model to check: how to accept it, and what its low-temperature limit is.
struct Case {
  std::string page;                    // catalog id
  std::string material;                // preset, "" for example values
  std::map<std::string, Real> fields;  // values typed after the preset
  bool idealFermiPressure = false;     // Pe = (2/3) rho Ee
  // gamma(rho) of Ce -> gamma Te at low Te, from the page's fields; empty: no such limit.
  std::function<Real(TElPageForm&, Real rho)> gamma;
  Real lowTe = 1;                           // temperature of the low-Te check [K]
  std::map<std::string, bool> checks = {};  // check boxes clicked after the preset
  // Done on the page before OK (reading data files).
  std::function<void(TElPageForm&)> setup = nullptr;
  // Where the model switches its conductivity off (phase code at Ti, rho, Te, Ti): there it
  // must be exactly 0 instead of positive.
  std::function<bool(TElPageForm&, int32_t, Real, Real, Real)> kappaOff = nullptr;
};

// The film's phase code as a stand-in for the table lookups.
int32_t StandInCode(const int32_t& code, Real, Real) {
  return code;
}

Real F(TElPageForm& page, const char* name) {
  Real v = 0;
  page.FieldByName(name)->TryGetValue(v);
  return v;
}

Real FegGammaOf(TElPageForm& page, Real rho) {
  const Real Z = F(page, "ZEdit");
  return FreeElectronGamma(Z == 0 ? 1 : Z, F(page, "mEdit"), rho);
}

// Low-temperature limits of the fitted models, from their formulas' leading terms.
Real TransMetGamma(TElPageForm& page, Real rho) {
  // Solid: Ee -> (d/rho0)^0.6 (gamma/2) Te^2 / d when K = (gamma/2) Te^2 << S = s0 Te^1.3;
  // in the window 1 < x = rho VeC < 2 the weights x - 1 and 2 - x of the solid model at
  // d = rho s(x) and of the free-electron gas at rho s(x) (rho_md = 1/VeC).
  const Real rho0 = F(page, "rhoEdit");
  const auto solid = [&](Real d) {
    return std::pow(d / rho0, 0.6L) * F(page, "gEdit") * 1e-9L / d;
  };
  const Real x = rho * F(page, "VeCEdit");
  if (x >= 2) return solid(rho);
  const Real s = 1 - (2 - x) * (2 - x);
  const Real Z = F(page, "ZEdit");
  return (x - 1) * solid(rho * s) + (2 - x) * FreeElectronGamma(Z, F(page, "mEdit"), rho * s);
}

Real TaGamma(TElPageForm& page, Real rho) {
  // Ee -> (Ap/Cp) Te^2 F(rho)/rho, F = 2/((rho/rho0)^1.5 + 1).
  const Real r = rho / F(page, "rhoEdit");
  return 2 * F(page, "ApEdit") / F(page, "CpEdit") * 2 / (std::pow(r, 1.5L) + 1) / rho;
}

Real AuGamma(TElPageForm&, Real) {
  // Ee = C_Au Te^2 f(tn), f -> (1 - tn0)/2 + 1.4 (1 + tn0)/2 with tn0 = (2/pi) atan(-5).
  const Real tn0 = 2 / kPi * std::atan(-5.0L);
  return 2 * kAuGammaCoef * (0.5L * (1 - tn0) + 0.7L * (1 + tn0));
}

Real NAuGamma(TElPageForm& page, Real rho) {
  // Ee -> (eV/m_at) (a2E/x) TeV^2 with TeV = kB Te [eV], x = rho/rho0.
  const Real at = 1.60217646e-22L * kNAv / F(page, "mEdit");
  return 2 * at * F(page, "a2EEdit") * F(page, "rhoEdit") / rho * kBeV * kBeV;
}

// The fitted-conductivity metals: the solid-state model at d = rho s(rho/rho_md).
Real MetKabDensity(TElPageForm& page, Real rho) {
  const Real rhoMd = F(page, "rho_mdEdit");
  const Real y = rho / rhoMd;
  return y >= 2 ? rho : rho * (1 - (2 - y) * (2 - y));
}

Real MetKabGamma(TElPageForm& page, Real rho) {
  const Real d = MetKabDensity(page, rho);
  if (page.Check("TransMetPanel").value_or(false)) {
    // (d/rho0)^0.6 (gamma/2) Te^2/d while K << S.
    return std::pow(d / F(page, "rhoEdit"), 0.6L) * F(page, "gammaEdit") * 1e-9L / d;
  }
  return FreeElectronGamma(F(page, "ZEdit"), F(page, "mEdit"), d);
}

// Melting (code 2) below 2 rho_md conducts only once max(Te, Ti) reaches TeC/2.
bool MetKabKappaOff(TElPageForm& page, int32_t code, Real rho, Real Te, Real Ti) {
  return code == 2 && rho < 2 * F(page, "rho_mdEdit") && 2 * std::max(Te, Ti) <= F(page, "TeCEdit");
}

Real Au1Gamma(TElPageForm& page, Real rho) {
  // Ee -> f (EF0/rho0e) e2 t^2/x1 with t = tau Te; below x = 0.77 the shape is frozen at
  // x1(0.77) and f = 1.54/(x + 0.77).
  const Real x = rho / F(page, "rho0eEdit");
  const Real x1 = (std::max(x, 0.77L) + 0.2L) / 1.2L;
  const Real f = x >= 0.77L ? 1 : 1.54L / (x + 0.77L);
  const Real tau = F(page, "tEdit");
  return 2 * f * F(page, "E0FEdit") / F(page, "rho0eEdit") * F(page, "e2Edit") * tau * tau / x1;
}

void LoadSpline(TElPageForm& page, const char* inFile) {
  auto& spline = dynamic_cast<TSplineEOSFrame&>(page);
  const ElSplineResult in = spline.LoadSplineIn(testing::ElectronDataDir() + "/" + inFile);
  ASSERT_TRUE(in) << in.message;
  const ElSplineResult init = spline.InitSpline();
  ASSERT_TRUE(init) << init.message;
}

Real MoGamma(TElPageForm& page, Real rho) {
  // Ee -> (ae/rho0) x^(2/3) t^2/(2 be), t = (kBeV/6) Te/x^(2/3), x = rho/rho00.
  const Real x = rho / F(page, "rho00Edit");
  const Real c = kBeV / 6;
  return F(page, "aeEdit") / F(page, "rhoEdit") * c * c / (std::cbrt(x * x) * F(page, "beEdit"));
}

// Example values for the pages without presets, and variants the presets do not reach.
std::vector<Case> ExtraCases() {
  return {
      {"constant",
       "",
       {{"kEdit", 2.37e-3L}, {"ceEdit", 1e-4L}, {"aEdit", 3e8L}, {"rho0Edit", 2.7L}},
       true,
       nullptr},
      {"constant",
       "",
       {{"kEdit", 3e-3L}, {"ceEdit", 2e-4L}, {"Gr2Edit", 0}, {"aEdit", 1e8L}, {"rho0Edit", 19.3L}},
       false,
       nullptr},
      // Aluminium with a density cut-off in the energy.
      {"simple_metal", "Al", {{"Rho_mdEdit", 0.8L}}, false, nullptr},
  };
}

// The conductivity variants of the fitted gold page and the data-file models.
std::vector<Case> FileAndVariantCases() {
  std::vector<Case> cases;
  for (const std::map<std::string, bool>& checks :
       {std::map<std::string, bool>{{"NewKappaCheck", true}},
        std::map<std::string, bool>{{"NewKappaCheck", true}, {"NewExtrCheck", true}},
        std::map<std::string, bool>{{"ConstKappaCheck", true}}}) {
    Case c{"au1", "Au1", {}, false, Au1Gamma, 1e-30L};
    c.checks = checks;
    cases.push_back(c);
  }
  Case gold{"spline", "Spline", {}, false, nullptr};
  gold.setup = [](TElPageForm& page) { LoadSpline(page, "In.txt"); };
  cases.push_back(gold);
  Case goldGr = gold;
  goldGr.checks = {{"GrAddCheck", true}, {"GrMultCheck", true}};
  cases.push_back(goldGr);
  Case al{"spline", "Spline", {}, false, nullptr};
  al.setup = [](TElPageForm& page) { LoadSpline(page, "In_Al.txt"); };
  cases.push_back(al);
  return cases;
}

std::vector<Case> AllCases() {
  std::map<std::string, std::function<Real(TElPageForm&, Real)>> gammas{
      {"simple_metal", FegGammaOf},
      {"ag1", FegGammaOf},
      {"trans_metal", TransMetGamma},
      {"ta", TaGamma},
      {"noble_metal", AuGamma},
      {"new_au", NAuGamma},
      {"mo", MoGamma},
      {"au1", Au1Gamma}};
  std::vector<Case> cases;
  for (const ElPageInfo& page : ElectronPages()) {
    if (!page.Available()) continue;
    for (const ElPresetInfo& preset : page.presets) {
      Case c{page.id, preset.material, {}, false, nullptr};
      if (auto it = gammas.find(page.id); it != gammas.end()) c.gamma = it->second;
      c.idealFermiPressure =
          std::string(page.id) == "simple_metal" || std::string(page.id) == "ag1";
      // Where the next term of the low-temperature expansion is not yet 1e-6 of the first
      // at 1 K, look closer: gold's d-band shape changes by ~1e-5 per kelvin, the s band of
      // the transition metals falls off as (Te/T*)^0.7, and the high-temperature branch of
      // the newer gold model as TeV^0.205.
      if (std::string(page.id) == "noble_metal") c.lowTe = 1e-3L;
      if (std::string(page.id) == "trans_metal") c.lowTe = 1e-7L;
      if (std::string(page.id) == "new_au") c.lowTe = 1e-30L;
      // The branch ratio of the fitted gold goes as t^0.27.
      if (std::string(page.id) == "au1") c.lowTe = 1e-30L;
      if (std::string(page.id) == "met_kab") {
        c.kappaOff = MetKabKappaOff;
        // Titanium's fit has no free-electron limit; the others as the transition-metal page.
        if (preset.material != std::string("Ti")) c.gamma = MetKabGamma;
        c.lowTe = 1e-7L;
      }
      cases.push_back(c);
    }
  }
  for (Case& c : ExtraCases()) cases.push_back(c);
  for (Case& c : FileAndVariantCases()) cases.push_back(c);
  return cases;
}

void PrintTo(const Case& c, std::ostream* os) {
  *os << c.page << " " << (c.material.empty() ? "example" : c.material);
}

std::string CaseName(const ::testing::TestParamInfo<Case>& info) {
  std::string name = info.param.page + "_" +
                     (info.param.material.empty() ? "example" : info.param.material) + "_" +
                     std::to_string(info.index);
  for (char& ch : name) {
    if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
  }
  return name;
}

class ElectronConsistency : public ::testing::TestWithParam<Case> {
 protected:
  void SetUp() override {
    const Case& c = GetParam();
    ASSERT_TRUE(f.dialog.ShowPage(c.page)) << c.page;
    page = f.dialog.Page(c.page);
    if (!c.material.empty()) {
      const ElChoiceResult r = f.dialog.ChooseMaterial(c.material);
      ASSERT_TRUE(r) << r.message;
      ASSERT_EQ(f.dialog.ActivePage(), page->Page().index);
    }
    for (const auto& [name, value] : c.fields) f.Type(*page, name, value);
    for (const auto& [name, on] : c.checks) {
      ASSERT_TRUE(page->SetCheck(name, on)) << name;
      page->CheckChanged(name);
    }
    if (c.setup) c.setup(*page);
    const ElOkResult ok = f.dialog.Ok(f.targets, ElOkSource::Code);
    ASSERT_TRUE(ok) << ok.focus << ": " << ok.message;
    rho0 = f.electron.common.ElRho0;
    ASSERT_GT(rho0, 0);
  }

  std::vector<Real> Temperatures() const {
    std::vector<Real> Te;
    for (Real T = 300; T <= 1.0001e5L; T *= 1.7L) Te.push_back(T);
    Te.push_back(1e5L);
    return Te;
  }
  std::vector<Real> Densities() const {
    return {0.5L * rho0, 0.7L * rho0, 0.9L * rho0, rho0, 1.2L * rho0};
  }

  ElectronFixture f;
  TElPageForm* page = nullptr;
  Real rho0 = 0;
};

// Central difference of a slot in Te with a relative step of 1e-4: truncation ~1e-8,
// round-off ~1e-15 with 80-bit arithmetic.
Real DerivativeInTe(const Slot2& s, Real rho, Real Te) {
  const Real h = 1e-4L * Te;
  return (s(rho, Te + h) - s(rho, Te - h)) / (2 * h);
}

::testing::AssertionResult CloseRel(Real got, Real want, Real rel) {
  const Real scale = std::max(std::fabs(want), std::fabs(got));
  if (std::fabs(got - want) <= rel * scale) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "got " << static_cast<double>(got) << ", expected " << static_cast<double>(want)
         << " (rel. " << static_cast<double>((got - want) / want) << ")";
}

TEST_P(ElectronConsistency, HeatCapacityAndPressureDerivativeAreTeDerivatives) {
  const ElectronModel& m = f.electron.model;
  ASSERT_TRUE(m.ElEnergy && m.ElHeatCap && m.ElPressure && m.ElPressureDT);
  for (Real rho : Densities()) {
    for (Real Te : Temperatures()) {
      EXPECT_TRUE(CloseRel(m.ElHeatCap(rho, Te), DerivativeInTe(m.ElEnergy, rho, Te), 1e-6L))
          << "Ce at rho " << static_cast<double>(rho) << ", Te " << static_cast<double>(Te);
      EXPECT_TRUE(CloseRel(m.ElPressureDT(rho, Te), DerivativeInTe(m.ElPressure, rho, Te), 1e-6L))
          << "dPe/dTe at rho " << static_cast<double>(rho) << ", Te " << static_cast<double>(Te);
    }
  }
}

TEST_P(ElectronConsistency, EnergyFiniteAndNonDecreasingPressureFinite) {
  const ElectronModel& m = f.electron.model;
  for (Real rho : Densities()) {
    Real last = -1;
    for (Real Te : Temperatures()) {
      const Real Ee = m.ElEnergy(rho, Te);
      ASSERT_TRUE(std::isfinite(Ee)) << static_cast<double>(Te);
      EXPECT_GE(Ee, last) << "rho " << static_cast<double>(rho) << ", Te "
                          << static_cast<double>(Te);
      last = Ee;
      EXPECT_TRUE(std::isfinite(m.ElPressure(rho, Te)));
      EXPECT_GE(m.ElPressure(rho, Te), 0);
    }
  }
}

TEST_P(ElectronConsistency, InverseOfTheEnergyRoundTripsWhereThereIsOne) {
  const ElectronModel& m = f.electron.model;
  if (!m.ElTofE) GTEST_SKIP() << "no electron-energy inverse (metal model)";
  for (Real rho : Densities()) {
    for (Real Te : Temperatures()) {
      EXPECT_TRUE(CloseRel(m.ElTofE(rho, m.ElEnergy(rho, Te)), Te, 1e-9L));
    }
  }
}

TEST_P(ElectronConsistency, CouplingAndConductivitiesPositiveAndFinite) {
  const ElectronModel& m = f.electron.model;
  ASSERT_TRUE(m.Coupling && m.ElConductivity);
  // Solid (no phase information) and, through a stand-in for the film's table, liquid
  // and melting.
  for (int32_t code : {0, 3, 2}) {
    f.electron.FilmPhase.Code = MakeIntSlot<int32_t, &StandInCode>(code);
    for (Real rho : Densities()) {
      for (Real Te : Temperatures()) {
        for (Real Ti : {Real(300), std::min(Te, Real(5000))}) {
          const Real G = m.Coupling(rho, Te);
          const Real k = m.ElConductivity(rho, Te, Ti);
          EXPECT_TRUE(std::isfinite(G) && G > 0) << static_cast<double>(G);
          if (GetParam().kappaOff && GetParam().kappaOff(*page, code, rho, Te, Ti)) {
            EXPECT_EQ(k, 0) << "code " << code << " rho " << static_cast<double>(rho);
            continue;
          }
          EXPECT_TRUE(std::isfinite(k) && k > 0)
              << "code " << code << " rho " << static_cast<double>(rho) << " Te "
              << static_cast<double>(Te) << " Ti " << static_cast<double>(Ti) << ": "
              << static_cast<double>(k);
        }
      }
    }
    f.electron.FilmPhase.Code = {};
  }
  if (f.FilmEos.Kappa) {
    for (Real rho : Densities()) {
      for (Real Ti : {Real(300), Real(3000)}) {
        const Real k = f.FilmEos.Kappa(rho, Ti);
        EXPECT_TRUE(std::isfinite(k) && k >= 0);
      }
    }
  }
}

TEST_P(ElectronConsistency, FreeElectronLimits) {
  const Case& c = GetParam();
  const ElectronModel& m = f.electron.model;
  if (!c.gamma && !c.idealFermiPressure) GTEST_SKIP() << "no free-electron limit in this model";
  for (Real rho : Densities()) {
    if (c.gamma) {
      const Real Te = c.lowTe;
      EXPECT_TRUE(CloseRel(m.ElHeatCap(rho, Te) / Te, c.gamma(*page, rho), 1e-6L))
          << "Ce/Te at rho " << static_cast<double>(rho);
    }
    if (c.idealFermiPressure) {
      for (Real Te : Temperatures()) {
        EXPECT_TRUE(CloseRel(m.ElPressure(rho, Te), 2 * rho * m.ElEnergy(rho, Te) / 3, 1e-6L));
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(EveryPageAndPreset, ElectronConsistency, ::testing::ValuesIn(AllCases()),
                         CaseName);

}  // namespace
}  // namespace tarvex
