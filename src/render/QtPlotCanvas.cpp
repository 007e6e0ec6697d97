// QPainter implementation of the plot canvas.
#include "render/QtPlotCanvas.h"

#include <QFontMetricsF>
#include <QPointF>
#include <QPolygonF>
#include <QString>
#include <algorithm>

namespace tarvex {

namespace {

QPointF ToQ(PlotPoint p) {
  return {static_cast<qreal>(p.x), static_cast<qreal>(p.y)};
}

// A line of width w looks sharp when it runs along pixel centres: odd widths need the
// half-pixel offset, which the painter's translation supplies (see DrawPlotAt).
constexpr qreal kPixelCentre = 0.5;

}  // namespace

QColor ToQColor(PlotColor c) {
  return QColor(c.r, c.g, c.b);
}

QFont ToQFont(const PlotFont& font) {
  QFont f(QString::fromStdString(font.name));
  f.setStyleHint(QFont::TypeWriter);
  f.setPixelSize(std::max(1, std::abs(font.height)));
  return f;
}

QtPlotCanvas::QtPlotCanvas(QPainter& painter) : p_(painter) {}

void QtPlotCanvas::BeginPicture(const PictureSetup& setup) {
  p_.save();
  p_.setRenderHint(QPainter::Antialiasing, true);
  p_.setRenderHint(QPainter::TextAntialiasing, true);
  p_.fillRect(QRectF(-kPixelCentre, -kPixelCentre, setup.width, setup.height),
              ToQColor(setup.background));
  p_.setFont(ToQFont(setup.font));
  color_ = ToQColor(setup.font.color);
  penWidth_ = static_cast<qreal>(setup.penWidth);
  ApplyPen();
}

void QtPlotCanvas::EndPicture() {
  p_.restore();
}

void QtPlotCanvas::BeginAxis() {}

void QtPlotCanvas::BeginCurve() {
  p_.save();
  // Curves are drawn a little heavier than the frame so that they stand out.
  penWidth_ = std::max<qreal>(penWidth_, 1.5);
  ApplyPen();
}

void QtPlotCanvas::EndCurve() {
  p_.restore();
  color_ = p_.pen().color();
  penWidth_ = p_.pen().widthF();
}

void QtPlotCanvas::SetPenWidth(Real px) {
  // The frame's hairlines (0.75 px) would turn grey on a bitmap; one pixel is the least.
  penWidth_ = std::max<qreal>(1, static_cast<qreal>(px));
  ApplyPen();
}

void QtPlotCanvas::SetFont(const PlotFont& font) {
  p_.setFont(ToQFont(font));
  color_ = ToQColor(font.color);
  ApplyPen();
}

void QtPlotCanvas::SetColor(PlotColor color) {
  color_ = ToQColor(color);
  ApplyPen();
}

void QtPlotCanvas::ApplyPen() {
  QPen pen(color_);
  pen.setWidthF(penWidth_);
  pen.setCapStyle(Qt::FlatCap);
  pen.setJoinStyle(Qt::RoundJoin);
  p_.setPen(pen);
}

void QtPlotCanvas::Line(PlotPoint a, PlotPoint b) {
  p_.drawLine(ToQ(a), ToQ(b));
}

void QtPlotCanvas::Polyline(std::span<const PlotPoint> points) {
  // Reduced to the pixel columns: the cost follows the width of the picture, not the
  // number of cells.
  const std::vector<PlotPoint> reduced = ReduceToPixelColumns(points);
  QPolygonF poly;
  poly.reserve(static_cast<qsizetype>(reduced.size()));
  for (const PlotPoint& q : reduced) poly.append(ToQ(q));
  p_.drawPolyline(poly);
}

void QtPlotCanvas::Text(PlotPoint anchor, std::string_view text, TextAlign align) {
  const QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  const QFontMetricsF fm(p_.font());
  const qreal w = fm.horizontalAdvance(s);
  const qreal h = fm.height();
  auto shift = [](TextShift t, qreal size) {
    switch (t) {
      case TextShift::End:
        return size;
      case TextShift::Center:
        return size / 2;
      default:
        return qreal{0};
    }
  };
  const qreal left = static_cast<qreal>(anchor.x) - shift(align.h, w);
  const qreal top = static_cast<qreal>(anchor.y) - shift(align.v, h);
  p_.drawText(QPointF(left, top + fm.ascent()), s);
}

void DrawPlotAt(QPainter& painter, const PlotModel& model, int x, int y) {
  painter.save();
  painter.translate(x + kPixelCentre, y + kPixelCentre);
  painter.setClipRect(QRectF(-kPixelCentre, -kPixelCentre, model.Width(), model.Height()));
  QtPlotCanvas canvas(painter);
  model.Draw(canvas);
  painter.restore();
}

QImage RenderPlot(const PlotModel& model) {
  QImage image(std::max(1, model.Width()), std::max(1, model.Height()), QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  DrawPlotAt(painter, model, 0, 0);
  painter.end();
  return image;
}

}  // namespace tarvex
