// Composition of the results picture and its writer.
#include "render/ResultsPicture.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cctype>
#include <filesystem>

#include "render/ImageFiles.h"
#include "render/QtPlotCanvas.h"

namespace tarvex {

namespace {

bool IsDigit(char c) {
  return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

}  // namespace

std::string PictureCaption(const std::string& path, bool onlyPointRule) {
  const std::string stem = std::filesystem::path(path).stem().string();
  std::string out;
  out.reserve(stem.size() + 8);
  bool pointDone = false;
  for (size_t i = 0; i < stem.size(); ++i) {
    const char c = stem[i];
    const bool digitNext = i + 1 < stem.size() && IsDigit(stem[i + 1]);
    if (c == 'p' && digitNext && !pointDone) {
      out += " ,";
      pointDone = true;
    } else if (c == '#' && digitNext && !onlyPointRule) {
      out += " - ";
    } else {
      out += c;
    }
  }
  return out;
}

QImage ComposeResultsPicture(const TResultsGraphs& graphs, const std::string& caption) {
  const PlotFont captionFont = graphs.TGraph.Font();
  const QFont font = ToQFont(captionFont);
  const int line = QFontMetrics(font).height();
  int width = 0;
  int height = 0;
  if (graphs.FrozenGrid()) {
    width = graphs.TGraph.Width();
    height = graphs.TGraph.Height() + 3 * line;
  } else {
    width = graphs.RGraph.Width() + graphs.PGraph.Width();
    height = 2 * graphs.PGraph.Height() + 3 * line;
  }
  QImage image(std::max(1, width), std::max(1, height), QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  if (graphs.FrozenGrid()) {
    DrawPlotAt(painter, graphs.TGraph, 0, 0);
  } else {
    const int left = graphs.RGraph.Width();
    const int row = graphs.PGraph.Height();
    DrawPlotAt(painter, graphs.RGraph, 0, 0);
    DrawPlotAt(painter, graphs.VGraph, 0, row);
    DrawPlotAt(painter, graphs.PGraph, left, 0);
    DrawPlotAt(painter, graphs.TGraph, left, row);
  }
  painter.setFont(font);
  painter.setPen(ToQColor(captionFont.color));
  const QString text = QString::fromStdString(caption);
  const int textWidth = QFontMetrics(font).horizontalAdvance(text);
  const int top = height - 2 * line;
  painter.drawText(QPoint((width - textWidth) / 2, top + QFontMetrics(font).ascent()), text);
  painter.end();
  return image;
}

bool SaveResultsPicture(const TResultsGraphs& graphs, const std::string& path,
                        const std::string& caption, std::string& error) {
  const QImage image = ComposeResultsPicture(graphs, caption);
  const FileWriteResult r = WritePicture(path, image, PictureFormatOf(path));
  if (!r) error = r.message;
  return r.ok;
}

PictureWriter MakePictureWriter(const TResultsGraphs& graphs) {
  return [&graphs](const std::string& path, bool /*final*/, std::string& error) {
    return SaveResultsPicture(graphs, path, PictureCaption(path), error);
  };
}

}  // namespace tarvex
