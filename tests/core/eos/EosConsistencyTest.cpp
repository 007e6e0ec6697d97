// Thermodynamic consistency of every model the catalog marks available, over the domain
// its entry names: the inverses return the temperature, Cv and dP/dT are the
// temperature derivatives of E and P, the phase codes are valid, and the left-medium
// binding gives the same functions. A model joins this suite by its catalog entry.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/common/FpGuard.h"
#include "core/eos/EosBind.h"
#include "core/eos/EosCatalog.h"
#include "support/EosCatalogSamples.h"

namespace tarvex {
namespace {

std::vector<const EosModelInfo*> AvailableModels() {
  std::vector<const EosModelInfo*> models;
  for (const EosModelInfo& m : EosCatalog()) {
    if (m.Available()) models.push_back(&m);
  }
  return models;
}

using testing::LogSpread;

// Relative agreement of a and b within tol (absolute near 0).
::testing::AssertionResult Close(Real a, Real b, Real tol) {
  const Real scale = std::fmax(std::fmax(std::fabs(a), std::fabs(b)), Real(1e-30L));
  if (std::fabs(a - b) <= tol * scale) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << static_cast<double>(a) << " vs " << static_cast<double>(b);
}

class EosConsistency : public ::testing::TestWithParam<const EosModelInfo*> {};

TEST_P(EosConsistency, InversesDerivativesAndPhases) {
  const EosModelInfo& m = *GetParam();
  for (const testing::CatalogSample& sample : testing::SamplesOf(m)) {
    const std::vector<Real>& values = sample.values;
    EosBindOptions options;
    options.preset = sample.preset;
    if (m.test.table != nullptr) options.table = m.test.table();  // a tabulated model
    EosState eos;
    const EosBindResult bound = testing::BindSample(eos, sample);
    ASSERT_TRUE(bound) << m.id << ": the test values must be accepted: " << bound.message;
    // The states to check: the model's own domain where it states one for its values,
    // else the catalog's test domain.
    EosTestDomain d = m.test;
    if (m.ops->domain != nullptr) {
      ASSERT_TRUE(m.ops->domain(eos.Film.block, d.rhoMin, d.rhoMax, d.Tmin, d.Tmax)) << m.id;
    }
    ASSERT_LT(d.rhoMin, d.rhoMax) << m.id;
    ASSERT_LT(d.Tmin, d.Tmax) << m.id;
    const std::vector<Real> rhos = LogSpread(d.rhoMin, d.rhoMax, 5);
    const std::vector<Real> temps = LogSpread(d.Tmin, d.Tmax, 4);
    EXPECT_EQ(eos.FilmEosType, m.index);
    EXPECT_EQ(eos.EosScale, m.eosScale);
    const EosSet& f = eos.FilmEos;
    ASSERT_TRUE(f.E && f.P && f.Cv) << m.id;
    FpGuard guard;
    for (Real rho : rhos) {
      for (Real T : temps) {
        SCOPED_TRACE(std::string(m.id) + " rho=" + std::to_string(static_cast<double>(rho)) +
                     " T=" + std::to_string(static_cast<double>(T)));
        if (f.TofE) {
          EXPECT_TRUE(Close(f.TofE(rho, f.E(rho, T)), T, d.inverseTol));
        }
        if (f.TofP) {
          EXPECT_TRUE(Close(f.TofP(rho, f.P(rho, T)), T, d.inverseTol));
        }
        const TActiveEos& a = eos.ActiveEos;
        if (a.TofE) {
          EXPECT_TRUE(Close(a.TofE(rho, a.E(rho, T)), T, d.inverseTol));
        }
        if (a.TofP) {
          EXPECT_TRUE(Close(a.TofP(rho, a.P(rho, T)), T, d.inverseTol));
        }
        // Central differences, step 1e-5 T: truncation ~1e-10, round-off ~1e-14.
        const Real h = 1e-5L * T;
        EXPECT_TRUE(
            Close(f.Cv(rho, T), (f.E(rho, T + h) - f.E(rho, T - h)) / (2 * h), d.derivativeTol));
        if (f.dPdT) {
          EXPECT_TRUE(Close(f.dPdT(rho, T), (f.P(rho, T + h) - f.P(rho, T - h)) / (2 * h),
                            d.derivativeTol));
        }
        const PhaseCode code = FilmPhaseCode(eos, rho, T);
        EXPECT_LE(std::abs(code), 9);
        EXPECT_EQ(PhaseFromText(PhaseText(code)), code);
      }
    }
    EXPECT_FALSE(guard.Faulted()) << m.id;

    if (!m.leftVariant) continue;
    ASSERT_TRUE(BindEos(eos, EosMedium::Left, m, values, options)) << m.id;
    EXPECT_EQ(eos.LeftEosType, m.index);
    for (Real rho : rhos) {
      for (Real T : temps) {
        EXPECT_EQ(eos.LeftEos.E(rho, T), f.E(rho, T)) << m.id;
        EXPECT_EQ(eos.LeftEos.P(rho, T), f.P(rho, T)) << m.id;
        if (eos.LeftEos.TofE) {
          EXPECT_TRUE(Close(eos.LeftEos.TofE(rho, eos.LeftEos.E(rho, T)), T, d.inverseTol));
        }
        EXPECT_LE(std::abs(LeftPhaseCode(eos, rho, T)), 9);
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Catalog, EosConsistency, ::testing::ValuesIn(AvailableModels()),
                         [](const ::testing::TestParamInfo<const EosModelInfo*>& p) {
                           return std::string(p.param->id);
                         });

}  // namespace
}  // namespace tarvex
