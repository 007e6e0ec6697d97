// QtPlotCanvas: the PlotCanvas of a plot model on a QPainter (a QImage for pictures and
// files, a widget on screen), and RenderPlot, which draws a whole plot model to a QImage.
// Works on the offscreen platform: only QtGui is used.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <span>
#include <string_view>

#include "core/plot/PlotCanvas.h"
#include "core/plot/PlotModel.h"

namespace tarvex {

QColor ToQColor(PlotColor c);
QFont ToQFont(const PlotFont& font);

class QtPlotCanvas : public PlotCanvas {
 public:
  // Draws on `painter`, which the caller has begun (and may have translated).
  explicit QtPlotCanvas(QPainter& painter);

  void BeginPicture(const PictureSetup& setup) override;
  void EndPicture() override;
  void BeginAxis() override;
  void BeginCurve() override;
  void EndCurve() override;
  void SetPenWidth(Real px) override;
  void SetFont(const PlotFont& font) override;
  void SetColor(PlotColor color) override;
  void Line(PlotPoint a, PlotPoint b) override;
  void Polyline(std::span<const PlotPoint> points) override;
  void Text(PlotPoint anchor, std::string_view text, TextAlign align) override;

 private:
  void ApplyPen();

  QPainter& p_;
  QColor color_;
  qreal penWidth_ = 1;
};

// The plot drawn at its own size (model.Width() x model.Height()) on a new RGB image.
QImage RenderPlot(const PlotModel& model);

// Draws the plot with its top-left corner at (x, y) of the painter's device.
void DrawPlotAt(QPainter& painter, const PlotModel& model, int x, int y);

}  // namespace tarvex
