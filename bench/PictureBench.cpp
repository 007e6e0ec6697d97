// Drawing the picture of one graph with a profile of 10 000 cells (and of 1 000 for
// comparison) through the headless renderer: the polylines are reduced to the pixel
// columns, so the cost follows the picture, not the grid.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <cmath>
#include <memory>

#include "core/plot/PlotModel.h"
#include "render/QtPlotCanvas.h"

namespace tarvex {
namespace {

// Text needs a GUI application; one for the whole benchmark program, headless.
void EnsureApplication() {
  static std::unique_ptr<QGuiApplication> app;
  if (app) return;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "tarvex_bench";
  static char* argv[] = {name, nullptr};
  app = std::make_unique<QGuiApplication>(argc, argv);
}

void GraphPicture(benchmark::State& state) {
  EnsureApplication();
  const int32_t N = static_cast<int32_t>(state.range(0));
  PlotModel g(640, 480);
  g.SetTitle("rho");
  g.SetAutoRange(0, true);
  g.SetAutoRange(1, true);
  for (int32_t curve = 0; curve < 2; ++curve) {
    PlotSeries s;
    s.color = curve == 0 ? PlotColors::kRed : PlotColors::kBlue;
    for (int32_t i = 0; i < N; ++i) {
      const Real x = (i + 0.5L) / N;
      s.x.push_back(x);
      s.y.push_back(1 + 0.5L * std::sin(20 * x + curve) + (x > 0.6L ? 0.8L : 0) + 0.01L * (i % 2));
    }
    g.AddSeries(std::move(s));
  }
  for (auto _ : state) {
    QImage image = RenderPlot(g);
    benchmark::DoNotOptimize(image.constBits());
  }
}

BENCHMARK(GraphPicture)->ArgName("cells")->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tarvex
