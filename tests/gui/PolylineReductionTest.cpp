// A polyline reduced to its pixel columns (first, lowest, highest and last point of every
// column) draws the same pixels as the full one, up to the rasterizer's rounding.
#include <QImage>
#include <QPainter>
#include <QPolygonF>
#include <QTest>
#include <cmath>
#include <vector>

#include "core/plot/PlotModel.h"

using namespace tarvex;

namespace {

QImage Draw(const std::vector<PlotPoint>& points, bool antialias) {
  QImage image(90, 70, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, antialias);
  p.setPen(QPen(Qt::black, 1.5));
  QPolygonF poly;
  for (const PlotPoint& q : points)
    poly.append(QPointF(static_cast<qreal>(q.x), static_cast<qreal>(q.y)));
  p.drawPolyline(poly);
  p.end();
  return image;
}

}  // namespace

class PolylineReductionTest : public QObject {
  Q_OBJECT
 private slots:
  // A profile of 4000 cells over 80 pixel columns, with a shock, a zigzag of every
  // other cell and a smooth part: 50 points per column shrink to at most 4.
  void ReducedPolylineDrawsTheSamePixels() {
    std::vector<PlotPoint> full;
    for (int i = 0; i < 4000; ++i) {
      const Real x = 5 + 80 * (i + 0.5L) / 4000;
      Real y = 35 + 20 * std::sin(x / 9);
      if (x > 45) y -= 25;                     // a jump
      if (x > 20 && x < 30) y += (i % 2) * 6;  // odd-even zigzag
      full.push_back({x, y});
    }
    const std::vector<PlotPoint> reduced = ReduceToPixelColumns(full);
    QVERIFY(reduced.size() <= 4 * 81);
    QCOMPARE(reduced.front(), full.front());
    QCOMPARE(reduced.back(), full.back());
    // Inked pixels: the same set up to the rasterizer's rounding of the sub-pixel
    // offsets inside a column; every pixel one image inks lies next to one the other inks.
    for (bool antialias : {false, true}) {
      const QImage a = Draw(full, antialias);
      const QImage b = Draw(reduced, antialias);
      auto inked = [](const QImage& im, int x, int y) {
        return x >= 0 && y >= 0 && x < im.width() && y < im.height() &&
               im.pixel(x, y) != qRgb(255, 255, 255);
      };
      auto near = [&](const QImage& im, int x, int y) {
        for (int dy = -1; dy <= 1; ++dy)
          for (int dx = -1; dx <= 1; ++dx)
            if (inked(im, x + dx, y + dy)) return true;
        return false;
      };
      int inkA = 0, differing = 0;
      for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
          inkA += inked(a, x, y);
          differing += inked(a, x, y) != inked(b, x, y);
          if (inked(a, x, y)) QVERIFY(near(b, x, y));
          if (inked(b, x, y)) QVERIFY(near(a, x, y));
        }
      }
      QVERIFY(inkA > 200);
      // Without antialiasing under 5 % of the line's pixels differ at all (with it, the
      // faint fringe pixels differ more often; they stay next to the line, checked above).
      if (!antialias) QVERIFY(differing * 20 < inkA);
    }
  }

  void ShortAndEmptyLinesStay() {
    QVERIFY(ReduceToPixelColumns({}).empty());
    const std::vector<PlotPoint> two = {{1.2L, 3}, {7.5L, 4}};
    QCOMPARE(ReduceToPixelColumns(two).size(), size_t{2});
  }
};

QTEST_MAIN(PolylineReductionTest)
#include "PolylineReductionTest.moc"
