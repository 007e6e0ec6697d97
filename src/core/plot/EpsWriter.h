// Encapsulated PostScript export of a graph ("Save PS").
//
// Units: the page is laid out in 1/25 pt ("0.04 0.04 sc"); one image pixel is k units with
// k = 14400 div (screen width in pixels), so the width of the screen maps to 8 inches.
// The picture is centred on x = 7200 units (Xoff) and hangs from Ytop. A pixel point
// (x, y) is written " X Y" with X = round(x k) + Xoff and Y = Ytop - round(y k).
//
// File layout, one item per line (CR LF line ends):
//   "%!PS-Adobe-2.0 EPSF-2.0", "%%Title: <file name>", "%%CreationDate: <date>",
//   "%%BoundingBox: <llx> <lly> <urx> <ury>", "%%EndComments", the gsdict procedures,
//   "", "%%Page: 1 1", "", "0.04 0.04 sc", "<k> slw", the font " (<name>) ff <h k> scf sf",
//   its colour " r g b srgb", "";
//   then the title text if any; per axis "", "gs", "<3k/4> slw", the axis font and font
//   colour when they differ from the current ones, the axis colour, the axis line
//   " X Y m X Y l s", one line per label " X Y m X Y l s X Y m (text) sh" (tick, then
//   the text at its tick end shifted by the alignment and moved down to the baseline by
//   the font height), and the separate unit text " X Y m (unit) sh";
//   per curve "gs", its colour, " X Y m" and " X Y l" per point, its label line, " s gr";
//   "showpage", "end", and one "grestore" per axis scope, which closes their "gs".
// Text widths for the alignment are estimated as charWidthEm font heights per character
// (0.6 is exact for Courier), since the file cannot ask the printer for metrics.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/AtomicFile.h"
#include "core/common/Real.h"
#include "core/plot/PlotCanvas.h"
#include "core/plot/PlotModel.h"

namespace tarvex {

// The save dialog's filter and default extension for pictures in PostScript.
inline constexpr std::string_view kEpsFilter = "Picture to PostScript file|*.eps;*.ps";
inline constexpr std::string_view kEpsDefaultExtension = "eps";

// The name the save dialog proposes: the given name without its extension.
std::string EpsProposedName(std::string_view name);

// Page placement of an image (all in 1/25 pt).
struct EpsPageLayout {
  int64_t k = 1;     // units per image pixel: 14400 div screen width (at least 1)
  int64_t Xoff = 0;  // max(0, 7200 - (image width k) div 2)
  int64_t Ytop = 0;  // max((image height k) div 2 + 9000, image height k)
  int64_t bboxLeft = 0;
  int64_t bboxBottom = 0;
  int64_t bboxRight = 0;
  int64_t bboxTop = 0;
};

EpsPageLayout ComputeEpsPageLayout(int32_t imageWidth, int32_t imageHeight, int32_t screenWidth);

struct EpsOptions {
  std::string title;           // "%%Title:" line: the file name without folder
  std::string creationDate;    // "%%CreationDate:" line, supplied by the caller
  int32_t screenWidth = 1280;  // [px]
  Real charWidthEm = 0.6L;     // estimated text width per character [font heights]
};

// A PlotCanvas that writes the PostScript text.
class EpsCanvas : public PlotCanvas {
 public:
  explicit EpsCanvas(EpsOptions options);

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

  const std::string& Output() const { return out_; }
  const EpsPageLayout& Page() const { return page_; }

 private:
  struct State {
    PlotFont font;
    PlotColor color;
  };

  void EndLine();
  void WriteLine(std::string_view line);
  void WriteFontLine(const PlotFont& font);
  void WriteColorLine(PlotColor color);
  std::string Point(PlotPoint p) const;

  EpsOptions options_;
  EpsPageLayout page_;
  std::string out_;
  std::string line_;  // the line being assembled (a tick waits here for its text)
  State state_;
  std::vector<State> saved_;
  int32_t openAxisScopes_ = 0;
};

// The EPS text of a plot.
std::string WriteEps(const PlotModel& model, const EpsOptions& options);

// Writes the EPS file atomically; the title is the file name. On failure the message
// names the file and the reason, and an existing file is left as it was.
FileWriteResult SaveEps(const std::filesystem::path& path, const PlotModel& model,
                        std::string_view creationDate, int32_t screenWidth);

}  // namespace tarvex
