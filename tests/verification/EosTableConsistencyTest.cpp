// The "Table" model of a tabulated analytic equation of state reproduces the model: E,
// P, T(E) and the sound speed inside the table's range, with errors that fall with the
// grid spacing at the order of the interpolation (third order for the values and the
// inverse, whose cubics reproduce quadratics; second order for the sound speed, built
// from the cubics' slopes). The order is measured on two grids, h and h/2; the model is
// a solid with a cold curve and a heat capacity that grows with T, written in the test
// support with its exact derivatives.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iostream>
#include <memory>
#include <random>

#include "core/eos/EosTableLookup.h"
#include "core/eos/EosTableWriter.h"
#include "support/EosTableFixture.h"

namespace tarvex {
namespace {

using S = testing::SmoothSolid;

constexpr Real kRhoMin = 8.5L, kRhoMax = 12;
constexpr Real kTMin = 300, kTMax = 5000;

Real SlotE(const void*, Real rho, Real T) {
  return S::E(rho, T);
}
Real SlotP(const void*, Real rho, Real T) {
  return S::P(rho, T);
}

// Largest errors over the samples, each relative to the largest magnitude of its
// quantity in the range (E 1.9 kJ/g, P 310 GPa, T 5000 K, c 6.3 km/s), so that a value
// passing through zero does not magnify them.
struct Errors {
  Real E = 0, P = 0, TofE = 0, c = 0;
  void Add(Real e, Real p, Real tofE, Real cs) {
    E = std::max(E, e);
    P = std::max(P, p);
    TofE = std::max(TofE, tofE);
    c = std::max(c, cs);
  }
};

// Errors on the interior intervals of both axes and on the whole range (the end
// intervals take the one-sided kernel, exact for lines only).
struct Measured {
  Errors interior, all;
};

bool Interior(const RealArray& g, Real x) {
  const Real lo = std::min(g[1], g[g.size() - 2]);
  const Real hi = std::max(g[1], g[g.size() - 2]);
  return x > lo && x < hi;
}

// The "Table" model of the solid on NT temperatures (linear or logarithmic) and Nrho
// densities over the range; empty on failure.
std::shared_ptr<TEosTableSet> Tabulate(int32_t NT, bool TLog, int32_t Nrho, TEosTableParams& p) {
  TEosTableGrid grid;
  std::string message;
  if (!MakeEosTableGrid(kTMin, kTMax, NT, TLog, kRhoMin, kRhoMax, Nrho, false, grid, message)) {
    ADD_FAILURE() << message;
    return nullptr;
  }
  TEosTableModel model;
  model.E = {SlotE, nullptr};
  model.P = {SlotP, nullptr};
  const TEosTableWrite w = TabulateEos(model, grid, "consistency", "smooth solid");
  if (!w.ok || !BindTableParams(p, w.set)) {
    ADD_FAILURE() << w.message;
    return nullptr;
  }
  return w.set;
}

Measured Measure(int32_t n) {
  TEosTableParams p;
  const auto set = Tabulate(n, false, n, p);
  if (!set) return {};
  // The same points for both grids.
  std::mt19937 rng(11);
  std::uniform_real_distribution<double> u(0, 1);
  Measured m;
  const Real EScale = S::E(kRhoMax, kTMax), PScale = S::P(kRhoMax, kTMax);
  const Real cScale = S::SoundSpeed(kRhoMax, kTMax);
  for (int k = 0; k < 4000; ++k) {
    const Real rho = kRhoMin + (kRhoMax - kRhoMin) * u(rng);
    const Real T = kTMin + (kTMax - kTMin) * u(rng);
    const Real E = S::E(rho, T), P = S::P(rho, T), c = S::SoundSpeed(rho, T);
    const Real eE = std::fabs(TableE(p, rho, T) - E) / EScale;
    const Real eP = std::fabs(TableP(p, rho, T) - P) / PScale;
    const Real eT = std::fabs(TableTofE(p, rho, E) - T) / kTMax;
    const Real ec = std::fabs(TableSoundSpeed(p, rho, T) - c) / cScale;
    m.all.Add(eE, eP, eT, ec);
    if (Interior(set->RhoGrid(), rho) && Interior(set->TGrid(), T)) m.interior.Add(eE, eP, eT, ec);
  }
  return m;
}

double Order(Real coarse, Real fine) {
  return static_cast<double>(std::log2(coarse / fine));
}

void Report(const char* name, const Errors& coarse, const Errors& fine) {
  std::cout << name << ": relative errors at h and h/2 (order): E " << static_cast<double>(coarse.E)
            << ", " << static_cast<double>(fine.E) << " (" << Order(coarse.E, fine.E) << "); P "
            << static_cast<double>(coarse.P) << ", " << static_cast<double>(fine.P) << " ("
            << Order(coarse.P, fine.P) << "); T(E) " << static_cast<double>(coarse.TofE) << ", "
            << static_cast<double>(fine.TofE) << " (" << Order(coarse.TofE, fine.TofE) << "); c "
            << static_cast<double>(coarse.c) << ", " << static_cast<double>(fine.c) << " ("
            << Order(coarse.c, fine.c) << ")\n";
}

TEST(EosTableConsistency, TableOfASmoothSolidConvergesAtTheInterpolationOrder) {
  const Measured coarse = Measure(33);
  const Measured fine = Measure(65);  // half the spacing
  Report("interior", coarse.interior, fine.interior);
  Report("whole range", coarse.all, fine.all);
  // Interior intervals: third order for the values and the inverse (2.5 to 2.7 measured on
  // these grids, the T^{3/2} term still approaching its asymptote), second for the sound
  // speed (slopes of the cubics). A second-order scheme would give 2.0.
  EXPECT_GT(Order(coarse.interior.E, fine.interior.E), 2.3);
  EXPECT_GT(Order(coarse.interior.P, fine.interior.P), 2.3);
  EXPECT_GT(Order(coarse.interior.TofE, fine.interior.TofE), 2.3);
  EXPECT_GT(Order(coarse.interior.c, fine.interior.c), 1.7);
  // The whole range, end intervals included: second order for the values, first for
  // the sound speed.
  EXPECT_GT(Order(coarse.all.E, fine.all.E), 1.8);
  EXPECT_GT(Order(coarse.all.P, fine.all.P), 1.8);
  EXPECT_GT(Order(coarse.all.TofE, fine.all.TofE), 1.8);
  EXPECT_GT(Order(coarse.all.c, fine.all.c), 0.7);
}

// Inside the table the inverse undoes the forward lookup to round-off, on the nodes
// and between them, and Cv = dE/dT, dP/dT agree with central differences of the table.
TEST(EosTableConsistency, InverseAndDerivativesOfTheTableItself) {
  TEosTableParams p;
  const auto set = Tabulate(40, true, 30, p);
  ASSERT_TRUE(set);
  std::mt19937 rng(5);
  std::uniform_real_distribution<double> u(0, 1);
  for (int k = 0; k < 2000; ++k) {
    const Real rho = kRhoMin + (kRhoMax - kRhoMin) * u(rng);
    const Real T = kTMin + (kTMax - kTMin) * u(rng);
    ASSERT_NEAR(static_cast<double>(TableTofE(p, rho, TableE(p, rho, T))), static_cast<double>(T),
                1e-10 * static_cast<double>(T));
    ASSERT_NEAR(static_cast<double>(TableTofP(p, rho, TableP(p, rho, T))), static_cast<double>(T),
                1e-10 * static_cast<double>(T));
    // Central differences inside one interval of the temperature grid.
    const Real dT = 1e-4L * T;
    const auto& Tg = set->TGrid();
    const auto it = std::upper_bound(Tg.begin(), Tg.end(), T);
    if (it == Tg.begin() || it == Tg.end() || T - dT <= *(it - 1) || T + dT >= *it) continue;
    const Real fdE = (TableE(p, rho, T + dT) - TableE(p, rho, T - dT)) / (2 * dT);
    const Real fdP = (TableP(p, rho, T + dT) - TableP(p, rho, T - dT)) / (2 * dT);
    EXPECT_NEAR(static_cast<double>(TableCv(p, rho, T)), static_cast<double>(fdE),
                1e-6 * static_cast<double>(fdE));
    EXPECT_NEAR(static_cast<double>(TabledPdT(p, rho, T)), static_cast<double>(fdP),
                1e-6 * static_cast<double>(fdP));
  }
}

}  // namespace
}  // namespace tarvex
