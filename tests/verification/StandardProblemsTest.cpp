// The standard problems of support/StandardProblems.h with every viscosity kind against
// their exact solutions: noise on a gas at rest, the two-gas shock tube, a pressure-driven
// strong shock into cold gas, a shock reflected at a wall, Sedov blasts and Noh
// implosions in cylindrical and spherical geometry, and a slab expanding into vacuum.
//
// Every kind ends every problem either at its end time or with the orderly stop at the
// minimum step, never with a non-finite state. The kinds with viscosity reach the end of
// every problem; "No" has none to spread a shock, and stops on the strong ones.
#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>

#include "support/StandardProblems.h"

namespace tarvex {
namespace {

using testing::ProblemId;
using testing::ProblemRun;

// Bounds of one (problem, kind) pair; NaN = not checked.
struct Expect {
  ProblemId problem;
  int32_t kind;
  int32_t cells;
  bool reachesEnd;
  double L1 = NAN;       // largest L1(rho)
  double ripple = NAN;   // largest odd-even component behind the shock
  double plateau = NAN;  // largest |plateau / exact - 1|
  double speed = NAN;    // largest |shock speed / exact - 1|
  double radius = NAN;   // largest |shock position / exact - 1|
  double growth = NAN;   // noise: largest final / initial deviation
};

std::string Name(const Expect& e) {
  std::string s;
  for (const auto& p : testing::kProblems)
    if (p.id == e.problem) s = p.key;
  for (const auto& k : testing::kViscKinds)
    if (k.kind == e.kind) s += std::string("_") + k.name;
  return s + "_" + std::to_string(e.cells);
}

// Shown by the test framework instead of the bytes of the case.
void PrintTo(const Expect& e, std::ostream* os) {
  *os << Name(e);
}

class StandardProblem : public ::testing::TestWithParam<Expect> {};

void CheckBound(double value, double bound, const char* what) {
  if (std::isnan(bound)) return;
  EXPECT_LE(std::fabs(value), bound) << what << " " << value;  // NaN fails too
}

TEST_P(StandardProblem, AgainstTheExactSolution) {
  const Expect& e = GetParam();
  const ProblemRun r = testing::RunProblem(e.problem, e.cells, e.kind);
  EXPECT_TRUE(r.finite);
  EXPECT_EQ(r.reachedEnd, e.reachesEnd) << "stopped at t = " << r.tReached;
  if (!r.reachedEnd) return;
  const testing::ProblemFigures& f = r.fig;
  CheckBound(f.L1, e.L1, "L1(rho)");
  CheckBound(f.ripple, e.ripple, "odd-even ripple");
  CheckBound(f.plateau, e.plateau, "plateau density");
  CheckBound(f.shockSpeed, e.speed, "shock speed");
  CheckBound(f.radius, e.radius, "shock position");
  CheckBound(f.growth, e.growth, "noise growth");
}

constexpr int32_t No = ViscNo, Symm = ViscSymm, Loc = ViscLoc, Lim = ViscLimOnly;
constexpr double x = NAN;

// Bounds a little above the figures measured on these grids (docs/verification.md has
// the figures on finer ones, where the errors are smaller). "Loc", the kind of the
// bundled examples, is held to the targets: ripple behind shocks below 0.5 %, plateau,
// shock speed and position within 1 % (Noh on these coarse grids: the wall-heating
// tail still reaches into the plateau, 1.1 % and 1.6 % in radius on 200 cells). The
// odd-even ripple of "Symm" (a shock resolved by the half second difference rings and
// leaves a ripple far behind it) stays above that of the other kinds.
// clang-format off
const Expect kCases[] = {
    //  problem           kind  cells end    L1     ripple plateau speed  radius growth
    {ProblemId::Noise,    No,   200, true,   x,     x,     x,      x,     x,     1.5},
    {ProblemId::Noise,    Symm, 200, true,   x,     x,     x,      x,     x,     1.5},
    {ProblemId::Noise,    Loc,  200, true,   x,     x,     x,      x,     x,     1.5},
    {ProblemId::Noise,    Lim,  200, true,   x,     x,     x,      x,     x,     1.5},
    {ProblemId::Tube,     No,   400, true,   0.006, x,     0.02,   x,     0.03,  x},
    {ProblemId::Tube,     Symm, 400, true,   0.004, 0.05,  0.005,  x,     0.01,  x},
    {ProblemId::Tube,     Loc,  400, true,   0.003, 0.005, 0.005,  x,     0.01,  x},
    {ProblemId::Tube,     Lim,  400, true,   0.003, 0.01,  0.005,  x,     0.01,  x},
    {ProblemId::Piston,   No,   200, false},
    {ProblemId::Piston,   Symm, 200, true,   x,     0.05,  0.01,   0.01,  0.01,  x},
    {ProblemId::Piston,   Loc,  200, true,   x,     0.005, 0.01,   0.01,  0.01,  x},
    {ProblemId::Piston,   Lim,  200, true,   x,     0.01,  0.01,   0.01,  0.01,  x},
    {ProblemId::Wall,     No,   300, true,   x,     x,     0.03,   0.03,  0.03,  x},
    {ProblemId::Wall,     Symm, 300, true,   x,     0.05,  0.01,   0.01,  0.01,  x},
    {ProblemId::Wall,     Loc,  300, true,   x,     0.005, 0.01,   0.01,  0.01,  x},
    {ProblemId::Wall,     Lim,  300, true,   x,     0.01,  0.01,   0.01,  0.01,  x},
    {ProblemId::SedovCyl, No,   100, false},
    {ProblemId::SedovCyl, Symm, 100, true,   0.1,   x,     x,      x,     0.01,  x},
    {ProblemId::SedovCyl, Loc,  100, true,   0.08,  x,     x,      x,     0.01,  x},
    {ProblemId::SedovCyl, Lim,  100, true,   0.08,  x,     x,      x,     0.01,  x},
    {ProblemId::SedovSph, No,   100, false},
    {ProblemId::SedovSph, Symm, 100, true,   0.1,   x,     x,      x,     0.01,  x},
    {ProblemId::SedovSph, Loc,  100, true,   0.1,   x,     x,      x,     0.01,  x},
    {ProblemId::SedovSph, Lim,  100, true,   0.1,   x,     x,      x,     0.01,  x},
    {ProblemId::NohCyl,   No,   200, false},
    {ProblemId::NohCyl,   Symm, 200, true,   x,     x,     0.03,   x,     0.015, x},
    {ProblemId::NohCyl,   Loc,  200, true,   x,     0.005, 0.03,   x,     0.015, x},
    {ProblemId::NohCyl,   Lim,  200, true,   x,     x,     0.03,   x,     0.015, x},
    {ProblemId::NohSph,   No,   200, false},
    {ProblemId::NohSph,   Symm, 200, true,   x,     x,     0.05,   x,     0.02,  x},
    {ProblemId::NohSph,   Loc,  200, true,   x,     0.005, 0.05,   x,     0.02,  x},
    {ProblemId::NohSph,   Lim,  200, true,   x,     x,     0.05,   x,     0.02,  x},
    {ProblemId::Vacuum,   No,   200, true,   0.01},
    {ProblemId::Vacuum,   Symm, 200, true,   0.01},
    {ProblemId::Vacuum,   Loc,  200, true,   0.01},
    {ProblemId::Vacuum,   Lim,  200, true,   0.01},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(EveryKind, StandardProblem, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Expect>& param) {
                           return Name(param.param);
                         });

// Noise on a gas at rest stays bounded whatever largest step the run allows: the step
// control keeps the step below the sound-crossing time of a cell. Without that bound the
// accepted three-pass steps grew at c dt / h above 0.58 (the convergence test does not
// see changes this small), and the noise rose a hundredfold to 1e-4.
class NoiseAtAnyStep : public ::testing::TestWithParam<int32_t> {};

TEST_P(NoiseAtAnyStep, StaysBounded) {
  testing::SessionFixture f;
  ProblemRun run;
  testing::detail::Noise(f.s, 200, GetParam(), run, /*crossings=*/100);
  EXPECT_TRUE(run.reachedEnd);
  EXPECT_LE(run.fig.growth, 1.5);
}

INSTANTIATE_TEST_SUITE_P(EveryKind, NoiseAtAnyStep, ::testing::Values(No, Symm, Loc, Lim),
                         [](const ::testing::TestParamInfo<int32_t>& param) {
                           return std::string(testing::kViscKinds[param.param].name);
                         });

// The error of the shock tube falls with the grid: observed order of L1(rho) between 200
// and 800 cells at least 0.8 for every kind with viscosity (a Lagrangian scheme is first
// order at the shock and exact at the contact).
class TubeOrder : public ::testing::TestWithParam<int32_t> {};

TEST_P(TubeOrder, L1FallsWithTheGrid) {
  const double coarse = testing::RunProblem(ProblemId::Tube, 200, GetParam()).fig.L1;
  const double fine = testing::RunProblem(ProblemId::Tube, 800, GetParam()).fig.L1;
  const double order = std::log(coarse / fine) / std::log(4.0);
  std::printf("tube L1(200) = %.5f  L1(800) = %.5f  order %.2f\n", coarse, fine, order);
  EXPECT_GE(order, 0.8);
}

INSTANTIATE_TEST_SUITE_P(EveryKind, TubeOrder, ::testing::Values(No, Symm, Loc, Lim),
                         [](const ::testing::TestParamInfo<int32_t>& param) {
                           return std::string(testing::kViscKinds[param.param].name);
                         });

}  // namespace
}  // namespace tarvex
