// The graph frame on screen and its picture actions.
#include "gui/plot/GraphWidget.h"

#include <QAction>
#include <QButtonGroup>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QScreen>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>
#include <QVBoxLayout>

#include "core/common/Prompter.h"
#include "core/plot/EpsWriter.h"
#include "gui/common/QtPrompter.h"
#include "render/ImageFiles.h"
#include "render/QtPlotCanvas.h"

namespace tarvex {

namespace {

// "Print Scaling": how the picture goes onto the page.
bool AskPrintScale(QWidget* parent, PrintScale& scale) {
  QDialog d(parent);
  d.setWindowTitle("Print Scaling");
  auto* group = new QGroupBox("Scale", &d);
  auto* proportional = new QRadioButton("&Proportional", group);
  auto* width = new QRadioButton("To page &Width", group);
  auto* none = new QRadioButton("&Not scale", group);
  auto* ids = new QButtonGroup(&d);
  ids->addButton(proportional, static_cast<int>(PrintScale::Proportional));
  ids->addButton(width, static_cast<int>(PrintScale::PageWidth));
  ids->addButton(none, static_cast<int>(PrintScale::NotScaled));
  ids->button(static_cast<int>(scale))->setChecked(true);
  auto* gl = new QVBoxLayout(group);
  gl->addWidget(proportional);
  gl->addWidget(width);
  gl->addWidget(none);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &d);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &d, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &d, &QDialog::reject);
  auto* layout = new QVBoxLayout(&d);
  layout->addWidget(group);
  layout->addWidget(buttons);
  if (d.exec() != QDialog::Accepted) return false;
  scale = static_cast<PrintScale>(ids->checkedId());
  return true;
}

int ScreenWidth(const QWidget* w) {
  const QScreen* screen = w->screen();
  return screen != nullptr ? screen->geometry().width() : 1280;
}

}  // namespace

// ---------------------------------------------------------------------------------------

GraphCanvas::GraphCanvas(PlotModel& model, QWidget* parent) : QWidget(parent), model_(&model) {
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void GraphCanvas::FitModel() {
  if (model_->Width() == width() && model_->Height() == height()) return;
  if (resize_) {
    resize_(width(), height());
  } else {
    model_->SetSize(width(), height());
  }
}

void GraphCanvas::resizeEvent(QResizeEvent* event) {
  FitModel();
  QWidget::resizeEvent(event);
}

void GraphCanvas::paintEvent(QPaintEvent*) {
  FitModel();
  QPainter painter(this);
  DrawPlotAt(painter, *model_, 0, 0);
  if (const std::optional<PlotSegment> m = model_->MarkerLine()) {
    // The marker inverts what lies under it, like the cursor line it stands for.
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.setPen(QPen(Qt::white, 1));
    const int x = static_cast<int>(m->a.x);
    painter.drawLine(x, 0, x, height());
  }
}

void GraphCanvas::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  const QString text = QString::fromStdString(model_->ReadoutText(p.x(), p.y()));
  setToolTip(text);
  if (isVisible()) QToolTip::showText(event->globalPosition().toPoint(), text, this);
  emit readout(text);
}

// ---------------------------------------------------------------------------------------

TImageFrame::TImageFrame(PlotModel& model, Prompter& prompter, QWidget* parent)
    : QWidget(parent), canvas_(new GraphCanvas(model, this)), prompter_(prompter) {
  auto* save = new QAction("Save Image As", this);
  save->setToolTip("Save the graph as a BMP or JPEG picture");
  auto* ps = new QAction("Save PS", this);
  ps->setToolTip("Save the graph as Encapsulated PostScript");
  auto* print = new QAction("Print", this);
  print->setToolTip("Print the graph");
  connect(save, &QAction::triggered, this, &TImageFrame::SaveImageAs);
  connect(ps, &QAction::triggered, this, &TImageFrame::SavePsAs);
  connect(print, &QAction::triggered, this, &TImageFrame::PrintImage);
  canvas_->setContextMenuPolicy(Qt::ActionsContextMenu);
  canvas_->addAction(save);
  canvas_->addAction(ps);
  canvas_->addAction(print);

  auto* bar = new QToolBar(this);
  bar->setIconSize(QSize(12, 12));
  bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
  bar->addAction(save);
  bar->addAction(ps);
  bar->addAction(print);
  QFont small = bar->font();
  small.setPointSizeF(small.pointSizeF() * 0.85);
  bar->setFont(small);
  bar->setStyleSheet("QToolBar { border: 0; padding: 0; spacing: 2px; }");

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(bar);
  layout->addWidget(canvas_, 1);
  connect(canvas_, &GraphCanvas::readout, this, &TImageFrame::readout);
}

void TImageFrame::Redraw() {
  canvas_->update();
}

QImage TImageFrame::Picture() const {
  return RenderPlot(canvas_->Model());
}

std::string TImageFrame::CreationDate(const QDateTime& t) {
  return t.toString("dd.MM.yyyy HH:mm:ss").toStdString();
}

bool TImageFrame::SaveNamed(const std::string& path, bool jpeg, std::string& error) const {
  const PictureFormat format = jpeg ? PictureFormat::Jpeg : PictureFormat::Bmp;
  const FileWriteResult r = WritePicture(WithPictureExtension(path, format), Picture(), format);
  if (!r) error = r.message;
  return r.ok;
}

bool TImageFrame::SavePs(const std::string& path, const std::string& date,
                         std::string& error) const {
  const FileWriteResult r = SaveEps(path, canvas_->Model(), date, ScreenWidth(this));
  if (!r) error = r.message;
  return r.ok;
}

void TImageFrame::SaveImageAs() {
  const QString bmp = "Picture Bitmap (BMP) (*.BMP *.bmp)";
  const QString jpg = "JPEG Image (*.JPG *.jpg)";
  QString chosen = jpg;
  QString name =
      QFileDialog::getSaveFileName(this, "Save Image As", lastDir_, bmp + ";;" + jpg, &chosen);
  if (name.isEmpty()) return;
  lastDir_ = QFileInfo(name).absolutePath();
  const bool jpeg = chosen == jpg;
  if (QFileInfo(name).suffix().isEmpty()) name += jpeg ? ".JPG" : ".BMP";
  std::string error;
  if (!SaveNamed(name.toStdString(), jpeg, error)) prompter_.Inform(error, MessageKind::Error);
}

void TImageFrame::SavePsAs() {
  const QString filter = QtFileFilter(std::string(kEpsFilter));
  QString name = QFileDialog::getSaveFileName(this, "Save PS", lastDir_, filter);
  if (name.isEmpty()) return;
  lastDir_ = QFileInfo(name).absolutePath();
  if (QFileInfo(name).suffix().isEmpty()) name += "." + QString(kEpsDefaultExtension.data());
  std::string error;
  if (!SavePs(name.toStdString(), CreationDate(), error))
    prompter_.Inform(error, MessageKind::Error);
}

void TImageFrame::PrintImage() {
  PrintScale scale = printScale_;
  if (!AskPrintScale(this, scale)) return;
  printScale_ = scale;
  QPrinter printer(QPrinter::HighResolution);
  QPrintDialog dialog(&printer, this);
  if (dialog.exec() != QDialog::Accepted) return;
  const QImage image = Picture();
  QPainter painter(&printer);
  const QRectF page = printer.pageRect(QPrinter::DevicePixel);
  const qreal dpiScale = printer.resolution() / qreal{96};  // screen pixels at 96 dpi
  qreal s = dpiScale;
  if (scale == PrintScale::PageWidth) {
    s = page.width() / image.width();
  } else if (scale == PrintScale::Proportional) {
    s = std::min(page.width() / image.width(), page.height() / image.height());
  }
  painter.drawImage(QRectF(0, 0, image.width() * s, image.height() * s), image);
  painter.end();
}

}  // namespace tarvex
