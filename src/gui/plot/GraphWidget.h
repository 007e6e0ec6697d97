// TImageFrame: one graph of the main window on screen. It draws a plot model (which the
// results graphs own) at the widget's size, shows the mouse readout "(px, py) : (x, y)"
// in its tooltip and through readout(), draws the marker as an inverting vertical line,
// and offers the speed-bar and context actions "Save Image As" (BMP or JPEG), "Save PS"
// (Encapsulated PostScript with the current date) and "Print" (with "Print Scaling").
#pragma once

#include <QDateTime>
#include <QImage>
#include <QWidget>
#include <functional>
#include <string>

#include "core/plot/PlotModel.h"

class QToolBar;

namespace tarvex {

class Prompter;

// The choices of the "Print Scaling" dialog.
enum class PrintScale { Proportional = 0, PageWidth = 1, NotScaled = 2 };

// The canvas part: paints the model, reports the mouse.
class GraphCanvas : public QWidget {
  Q_OBJECT

 public:
  GraphCanvas(PlotModel& model, QWidget* parent);
  PlotModel& Model() { return *model_; }
  // Who resizes the model with the widget (default: PlotModel::SetSize).
  void SetResizeHandler(std::function<void(int, int)> h) { resize_ = std::move(h); }
  QSize sizeHint() const override { return {360, 240}; }
  QSize minimumSizeHint() const override { return {200, 140}; }

 signals:
  void readout(const QString& text);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  void FitModel();

  PlotModel* model_;
  std::function<void(int, int)> resize_;
};

class TImageFrame : public QWidget {
  Q_OBJECT

 public:
  TImageFrame(PlotModel& model, Prompter& prompter, QWidget* parent = nullptr);

  PlotModel& Model() { return canvas_->Model(); }
  GraphCanvas* Canvas() { return canvas_; }
  void SetResizeHandler(std::function<void(int, int)> h) {
    canvas_->SetResizeHandler(std::move(h));
  }

  // The picture as it is on screen.
  QImage Picture() const;

  // SaveNamed: BMP or JPEG (".jpg"/".bmp" appended to a name without extension).
  bool SaveNamed(const std::string& path, bool jpeg, std::string& error) const;
  // Save PS: the EPS file of the graph; `date` goes into "%%CreationDate:".
  bool SavePs(const std::string& path, const std::string& date, std::string& error) const;
  // The owner form's print scale preselected in "Print Scaling".
  void SetPrintScale(PrintScale s) { printScale_ = s; }

  // Repaints after the model changed.
  void Redraw();

  // The current date and time in the form of the EPS header.
  static std::string CreationDate(const QDateTime& t = QDateTime::currentDateTime());

 public slots:
  void SaveImageAs();
  void SavePsAs();
  void PrintImage();

 signals:
  void readout(const QString& text);

 private:
  GraphCanvas* canvas_;
  Prompter& prompter_;
  PrintScale printScale_ = PrintScale::Proportional;
  QString lastDir_;
};

}  // namespace tarvex
