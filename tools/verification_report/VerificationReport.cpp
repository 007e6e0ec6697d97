// verification-report: runs every standard problem (tests/support/StandardProblems.h) with
// every viscosity kind, measures the errors against the exact solutions, draws the density
// profiles against the exact ones through the project's renderer and writes
// docs/verification.md with the pictures in docs/images/verification/.
//
//   verification-report DOCS_DIR        the whole report (scripts/verification-report.sh)
//   verification-report --table [KEY]   the figures only, on the console
#include <QGuiApplication>
#include <QImage>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/plot/PlotModel.h"
#include "render/QtPlotCanvas.h"
#include "support/StandardProblems.h"

namespace tarvex {
namespace {

using testing::kProblems;
using testing::kViscKinds;
using testing::ProblemId;
using testing::ProblemInfo;
using testing::ProblemRun;
using testing::ViscKindInfo;

// Grids of the report: finer than those of the verification tests.
int32_t ReportCells(ProblemId id) {
  switch (id) {
    case ProblemId::Noise:
      return 400;
    case ProblemId::Tube:
      return 800;
    case ProblemId::Wall:
      return 600;
    case ProblemId::SedovCyl:
    case ProblemId::SedovSph:
    case ProblemId::NohCyl:
    case ProblemId::NohSph:
      return 400;
    default:
      return 400;
  }
}

std::string Percent(double x) {
  if (std::isnan(x)) return "–";
  char buf[32];
  std::snprintf(buf, sizeof buf, "%+.2f %%", 100 * x);
  return buf;
}
std::string Plain(double x, const char* fmt = "%.3g") {
  if (std::isnan(x)) return "–";
  char buf[32];
  std::snprintf(buf, sizeof buf, fmt, x);
  return buf;
}

std::string Outcome(const ProblemRun& r) {
  if (!r.finite) return "non-finite state";
  if (r.reachedEnd) return "end reached";
  char buf[64];
  std::snprintf(buf, sizeof buf, "stopped at t = %.3g", r.tReached);
  return buf;
}

// Observed order of the L1 error between two grids a factor 4 apart.
double Order(double coarse, double fine) {
  return std::log(coarse / fine) / std::log(4.0);
}

struct TubeOrder {
  double l1[3];
  double order;
};

TubeOrder MeasureTubeOrder(int32_t kind) {
  TubeOrder t{};
  const int32_t cells[3] = {400, 800, 1600};
  for (int k = 0; k < 3; ++k) t.l1[k] = testing::RunProblem(ProblemId::Tube, cells[k], kind).fig.L1;
  t.order = Order(t.l1[0], t.l1[2]);
  return t;
}

void PrintTable(const char* only) {
  for (const ProblemInfo& p : kProblems) {
    if (only && std::string(only) != p.key) continue;
    const int32_t N = ReportCells(p.id);
    std::printf("%s (%d cells)\n", p.title, N);
    for (const ViscKindInfo& k : kViscKinds) {
      const auto t0 = std::chrono::steady_clock::now();
      const ProblemRun r = testing::RunProblem(p.id, N, k.kind);
      const double sec =
          std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
      const testing::ProblemFigures& f = r.fig;
      std::printf(
          "  %-8s %-22s steps %6lld  L1 %-9s ripple %-9s ringing %-9s plateau %-9s speed %-9s "
          "radius %-9s peak %-6s growth %-8s %.1fs\n",
          k.name, Outcome(r).c_str(), static_cast<long long>(r.steps), Plain(f.L1).c_str(),
          Percent(f.ripple).c_str(), Percent(f.ringing).c_str(), Percent(f.plateau).c_str(),
          Percent(f.shockSpeed).c_str(), Percent(f.radius).c_str(), Plain(f.peak).c_str(),
          Plain(f.growth).c_str(), sec);
    }
    if (p.id == ProblemId::Tube) {
      for (const ViscKindInfo& k : kViscKinds) {
        const TubeOrder t = MeasureTubeOrder(k.kind);
        std::printf("  %-8s L1 400/800/1600: %.5f %.5f %.5f  order %.2f\n", k.name, t.l1[0],
                    t.l1[1], t.l1[2], t.order);
      }
    }
  }
}

// The density profile against the exact one.
QImage Picture(const ProblemInfo& p, const ViscKindInfo& k, const ProblemRun& r, int32_t N) {
  PlotModel g(560, 360);
  char title[160];
  std::snprintf(title, sizeof title, "%s - \"%s\", %d cells", p.key, k.name, N);
  g.SetTitle(title);
  g.XAxis().SetUnit(r.xTitle);
  g.YAxis().SetUnit("rho");
  g.SetAutoRange(0, true);
  g.SetAutoRange(1, true);
  auto series = [](const std::vector<double>& x, const std::vector<double>& y, PlotColor c,
                   const char* name) {
    PlotSeries out;
    out.name = name;
    out.color = c;
    for (size_t i = 0; i < x.size(); ++i) {
      out.x.push_back(x[i]);
      out.y.push_back(y[i]);
    }
    return out;
  };
  g.AddSeries(series(r.x, r.rhoExact, PlotColors::kBlack, "exact"));
  g.AddSeries(series(r.x, r.rho, PlotColors::kRed, k.name));
  // Densities from zero, so that the eye compares levels, not offsets.
  g.Include(1, 0);
  return RenderPlot(g);
}

struct Column {
  const char* title;
  double testing::ProblemFigures::*field;
  bool percent;
};
constexpr Column kColumns[] = {
    {"L1(rho)", &testing::ProblemFigures::L1, false},
    {"ripple", &testing::ProblemFigures::ripple, true},
    {"ringing", &testing::ProblemFigures::ringing, true},
    {"plateau", &testing::ProblemFigures::plateau, true},
    {"shock speed", &testing::ProblemFigures::shockSpeed, true},
    {"shock position", &testing::ProblemFigures::radius, true},
    {"peak / exact", &testing::ProblemFigures::peak, false},
    {"noise growth", &testing::ProblemFigures::growth, false},
};

// How the odd-even component behind a shock is measured (support/StandardProblems.h,
// ShockRipple).
constexpr const char* kRippleText =
    "*ringing* is the largest odd-even component of the density, \\|rho_i - (rho_i-1 + 2 rho_i + "
    "rho_i+1) / 4\\| against the plateau density, in the shock's wake, 3 to 12 cells behind its "
    "half-height crossing: a shock of the quadratic viscosity drags an oscillation of about "
    "three cells' period along that dies out over some ten cells, the same number of cells on "
    "every grid. *ripple* is the same in the gas behind the wake: what the shock leaves "
    "behind.";

// What each problem measures, for the reader of the report.
std::string Explanation(ProblemId id) {
  switch (id) {
    case ProblemId::Noise:
      return "A box of gas at rest (rho 1, P 1, gamma 1.4, walls at both ends) with a relative "
             "pressure noise of 1e-6, until t = 2 (2.4 sound crossings). *noise growth* is the "
             "largest pressure deviation at the end over the one at the start: it must stay "
             "bounded.";
    case ProblemId::Tube:
      return "Sod states in two ideal gases (gamma 1.4 each, the left one as the substrate), "
             "cells of equal mass, walls at both ends, t = 0.2, as in the bundled example. *L1* "
             "is the L1 norm of the density error over the tube; *plateau* the mean density "
             "between the contact and the shock against the exact one; *shock position* the "
             "distance the shock travelled against the exact distance. " +
             std::string(kRippleText);
    case ProblemId::Piston:
      return "Cold gas (rho 1, P 1e-6, gamma 5/3) at a wall; the other end is a free surface "
             "under the outer pressure Pout = 1, which drives a shock of Mach number about 1000 "
             "into the gas (Rankine-Hugoniot: speed 1.155, density 4). *shock speed* is "
             "measured between t = 0.3 and 0.6, *plateau* is the mean density between the "
             "shock and the surface. " +
             std::string(kRippleText);
    case ProblemId::Wall:
      return "Gas (rho 1, P 0.01, gamma 5/3) streaming at speed 1 into a wall; the reflected "
             "shock leaves it at rest (Rankine-Hugoniot: speed 0.346 from the wall, density "
             "3.89). The plateau excludes the inner quarter of the shocked gas (the "
             "wall-heating layer), and so does the ripple. " +
             std::string(kRippleText);
    case ProblemId::SedovCyl:
    case ProblemId::SedovSph:
      return "Unit energy (per unit of the grid's measure) in the two innermost cells of cold "
             "gas (rho 1, P 1e-6, gamma 1.4) on [0, 1], until the exact shock radius is 0.75. "
             "The exact profile is the self-similar Sedov solution. *shock position* is the "
             "radius where the density crosses half its peak, *peak / exact* the largest "
             "density against the post-shock value 6, *L1* the density error relative to the "
             "mass of the blast.";
    case ProblemId::NohCyl:
    case ProblemId::NohSph:
      return "Cold gas (rho 1, P 1e-6, gamma 5/3) on [0, 1] streaming at speed 1 to the centre, "
             "until t = 0.6: the shock stands at r = 0.2 and leaves density 16 (cylindrical) or "
             "64 (spherical). *plateau* is the mean density between 0.4 and 0.9 of the shock "
             "radius (outside the wall-heating layer at the centre).";
    case ProblemId::Vacuum:
      return "A hot slab (rho 1, P 1, gamma 1.4) at a wall opens to vacuum at t = 0; at t = 0.5 "
             "the rarefaction fan against the exact centred fan. *L1* is the density error "
             "relative to the slab's mass.";
  }
  return "";
}

int WriteReport(const std::filesystem::path& docs) {
  namespace fs = std::filesystem;
  const fs::path images = docs / "images" / "verification";
  fs::create_directories(images);
  std::ostringstream md;
  md << "# Verification against exact solutions\n\n"
     << "Generated by `scripts/verification-report.sh` (program "
        "`tools/verification_report`); do not edit by hand.\n\n"
     << "Every standard problem runs with every viscosity kind (coefficient Cq = 2, as in the "
        "bundled examples) through the iterated step and its step-size control, and is "
        "compared with its exact solution written out in `tests/support/ExactSolutions.h` and "
        "`tests/support/ExactRiemann.h`. The same problems on smaller grids are the "
        "verification tests (`tests/verification/StandardProblemsTest.cpp`). In the pictures "
        "the exact density is black, the computed one red.\n\n"
     << "*Outcome* is \"end reached\" or where the run stopped with the step below its "
        "minimum; *steps* counts the step attempts (accepted and retried).\n\n";
  for (const ProblemInfo& p : kProblems) {
    const int32_t N = ReportCells(p.id);
    std::printf("%s ...\n", p.key);
    std::fflush(stdout);
    std::vector<ProblemRun> runs;
    for (const ViscKindInfo& k : kViscKinds) runs.push_back(testing::RunProblem(p.id, N, k.kind));
    md << "## " << p.title << " (" << N << " cells)\n\n" << Explanation(p.id) << "\n\n";
    md << "| Kind | Outcome | Steps |";
    std::vector<const Column*> cols;
    for (const Column& c : kColumns) {
      bool any = false;
      for (const ProblemRun& r : runs) any = any || !std::isnan(r.fig.*c.field);
      if (any) {
        cols.push_back(&c);
        md << " " << c.title << " |";
      }
    }
    md << "\n|---|---|---|";
    for (size_t i = 0; i < cols.size(); ++i) md << "---|";
    md << "\n";
    for (size_t i = 0; i < runs.size(); ++i) {
      const ProblemRun& r = runs[i];
      md << "| \"" << kViscKinds[i].name << "\" | " << Outcome(r) << " | " << r.steps << " |";
      for (const Column* c : cols) {
        const double v = r.fig.*c->field;
        md << " " << (c->percent ? Percent(v) : Plain(v)) << " |";
      }
      md << "\n";
    }
    md << "\n";
    if (p.id == ProblemId::Tube) {
      md << "Convergence under refinement (L1 of the density error; order between 400 and "
            "1600 cells):\n\n| Kind | 400 | 800 | 1600 | order |\n|---|---|---|---|---|\n";
      for (const ViscKindInfo& k : kViscKinds) {
        const TubeOrder t = MeasureTubeOrder(k.kind);
        md << "| \"" << k.name << "\" | " << Plain(t.l1[0], "%.5f") << " | "
           << Plain(t.l1[1], "%.5f") << " | " << Plain(t.l1[2], "%.5f") << " | "
           << Plain(t.order, "%.2f") << " |\n";
      }
      md << "\n";
    }
    md << "| | |\n|---|---|\n";
    for (size_t i = 0; i < runs.size(); ++i) {
      const std::string name = std::string(p.key) + "_" + kViscKinds[i].name + ".png";
      const QImage img = Picture(p, kViscKinds[i], runs[i], N);
      if (!img.save(QString::fromStdString((images / name).string()), "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", (images / name).c_str());
        return 5;
      }
      md << (i % 2 == 0 ? "| " : " ") << "![" << p.key << ", " << kViscKinds[i].name
         << "](images/verification/" << name << ") |" << (i % 2 == 1 ? "\n" : "");
    }
    md << "\n";
  }
  const fs::path out = docs / "verification.md";
  std::ofstream f(out, std::ios::binary);
  f << md.str();
  f.close();
  if (!f) {
    std::fprintf(stderr, "cannot write %s\n", out.c_str());
    return 5;
  }
  std::printf("wrote %s\n", out.c_str());
  return 0;
}

}  // namespace
}  // namespace tarvex

int main(int argc, char** argv) {
  using namespace tarvex;
  if (argc >= 2 && std::string(argv[1]) == "--table") {
    PrintTable(argc >= 3 ? argv[2] : nullptr);
    return 0;
  }
  if (argc == 5 && std::string(argv[1]) == "--dump") {
    // --dump PROBLEM KIND CELLS: the final density profile, one cell a line.
    for (const testing::ProblemInfo& p : testing::kProblems) {
      if (p.key != std::string(argv[2])) continue;
      for (const testing::ViscKindInfo& k : testing::kViscKinds) {
        if (k.name != std::string(argv[3])) continue;
        const testing::ProblemRun r = testing::RunProblem(p.id, std::atoi(argv[4]), k.kind);
        for (size_t i = 0; i < r.x.size(); ++i)
          std::printf("%zu %.6f %.6f %.6f\n", i, r.x[i], r.rho[i], r.rhoExact[i]);
        return 0;
      }
    }
    return 1;
  }
  if (argc == 2 && argv[1][0] != '-') {
    QGuiApplication app(argc, argv);
    return WriteReport(argv[1]);
  }
  std::fprintf(stderr, "usage: verification-report DOCS_DIR | --table [PROBLEM]\n");
  return 1;
}
