// The EPS canvas, the page placement rule and the EPS file export.
#include "core/plot/EpsWriter.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/plot/PlotFormat.h"

namespace tarvex {

namespace {

constexpr int64_t kPageWidthUnits = 14400;  // 8 inches in 1/25 pt
constexpr int64_t kPageCentreX = 7200;
constexpr int64_t kPageCentreY = 9000;
constexpr int64_t kUnitsPerPoint = 25;
constexpr Real kCoordinateLimit = 1e15L;  // far beyond any page; keeps the casts defined

// A PostScript string literal body: the delimiters and the escape character are escaped,
// bytes outside printable ASCII are written as octal escapes.
std::string PsString(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (c == '(' || c == ')' || c == '\\') {
      out.push_back('\\');
      out.push_back(ch);
    } else if (c < 0x20 || c >= 0x7F) {
      char oct[8];
      std::snprintf(oct, sizeof oct, "\\%03o", static_cast<unsigned>(c));
      out += oct;
    } else {
      out.push_back(ch);
    }
  }
  return out;
}

// A header comment value on one line: control characters become '?'.
std::string CommentText(std::string_view text) {
  std::string out(text);
  for (char& ch : out) {
    const auto c = static_cast<unsigned char>(ch);
    if (c < 0x20 || c == 0x7F) ch = '?';
  }
  return out;
}

int64_t CeilDiv(int64_t a, int64_t b) {
  return a >= 0 ? (a + b - 1) / b : -((-a) / b);
}

int64_t FloorDiv(int64_t a, int64_t b) {
  return a >= 0 ? a / b : -CeilDiv(-a, b);
}

int64_t ToUnits(Real v) {
  return static_cast<int64_t>(std::clamp(RoundHalfEven(v), -kCoordinateLimit, kCoordinateLimit));
}

// A colour component c/255 with 4 decimals, right-aligned in a field of the given width.
std::string ColorField(uint8_t c, int width) {
  const int32_t q = (static_cast<int32_t>(c) * 20000 + 255) / 510;  // round(c * 10000 / 255)
  char text[32];
  std::snprintf(text, sizeof text, "%d.%04d", static_cast<int>(q / 10000),
                static_cast<int>(q % 10000));
  char field[32];
  std::snprintf(field, sizeof field, "%*s", width, text);
  return field;
}

// Characters of a UTF-8 text (continuation bytes do not count).
int32_t CharCount(std::string_view text) {
  int32_t n = 0;
  for (char ch : text) {
    if ((static_cast<unsigned char>(ch) & 0xC0u) != 0x80u) ++n;
  }
  return n;
}

Real Shift(TextShift s, Real size) {
  switch (s) {
    case TextShift::Start:
      return 0;
    case TextShift::End:
      return size;
    case TextShift::Center:
      return size / 2;
  }
  return 0;
}

}  // namespace

std::string EpsProposedName(std::string_view name) {
  std::filesystem::path p{std::string(name)};
  if (!p.has_extension()) return std::string(name);
  p.replace_extension();
  return p.string();
}

EpsPageLayout ComputeEpsPageLayout(int32_t imageWidth, int32_t imageHeight, int32_t screenWidth) {
  EpsPageLayout page;
  const int64_t w = std::max(imageWidth, int32_t{0});
  const int64_t h = std::max(imageHeight, int32_t{0});
  // A screen wider than the page would give k = 0 and collapse the picture to a point.
  page.k = screenWidth > 0 ? std::max<int64_t>(1, kPageWidthUnits / screenWidth) : 1;
  const int64_t wk = w * page.k;
  const int64_t hk = h * page.k;
  page.Xoff = std::max<int64_t>(0, kPageCentreX - wk / 2);
  page.Ytop = std::max(hk / 2 + kPageCentreY, hk);
  page.bboxLeft = page.Xoff / kUnitsPerPoint;
  page.bboxBottom = FloorDiv(page.Ytop - hk, kUnitsPerPoint);
  page.bboxRight = CeilDiv(wk + page.Xoff, kUnitsPerPoint);
  page.bboxTop = CeilDiv(page.Ytop, kUnitsPerPoint);
  return page;
}

EpsCanvas::EpsCanvas(EpsOptions options) : options_(std::move(options)) {}

void EpsCanvas::EndLine() {
  if (line_.empty()) return;
  out_ += line_;
  out_ += "\r\n";
  line_.clear();
}

void EpsCanvas::WriteLine(std::string_view line) {
  EndLine();
  out_ += line;
  out_ += "\r\n";
}

void EpsCanvas::WriteFontLine(const PlotFont& font) {
  WriteLine(" (" + PsString(font.name) + ") ff " +
            std::to_string(std::abs(static_cast<int64_t>(font.height)) * page_.k) + " scf sf");
}

void EpsCanvas::WriteColorLine(PlotColor color) {
  std::string line(" ");
  line.append(ColorField(color.r, 6)).append(ColorField(color.g, 7));
  line.append(ColorField(color.b, 7)).append(" srgb");
  WriteLine(line);
}

std::string EpsCanvas::Point(PlotPoint p) const {
  const int64_t X = ToUnits(p.x * static_cast<Real>(page_.k)) + page_.Xoff;
  const int64_t Y = page_.Ytop - ToUnits(p.y * static_cast<Real>(page_.k));
  std::string text(" ");
  text.append(std::to_string(X)).append(" ").append(std::to_string(Y));
  return text;
}

void EpsCanvas::BeginPicture(const PictureSetup& setup) {
  out_.clear();
  line_.clear();
  saved_.clear();
  openAxisScopes_ = 0;
  // setup.background is the paper: nothing to draw.
  page_ = ComputeEpsPageLayout(setup.width, setup.height, options_.screenWidth);
  // The version after "PS-Adobe-" is what readers look for to take the file as EPS (and
  // then honour its bounding box); "%!PS-Adobe EPSF-2.0" would be taken as a plain page.
  WriteLine("%!PS-Adobe-2.0 EPSF-2.0");
  WriteLine("%%Title: " + CommentText(options_.title));
  WriteLine("%%CreationDate: " + CommentText(options_.creationDate));
  WriteLine("%%BoundingBox: " + std::to_string(page_.bboxLeft) + " " +
            std::to_string(page_.bboxBottom) + " " + std::to_string(page_.bboxRight) + " " +
            std::to_string(page_.bboxTop));
  WriteLine("%%EndComments");
  for (const char* line :
       {"/gsdict 12 dict def", "gsdict begin", "/gr {grestore} bind def", "/gs {gsave} bind def",
        "/l {lineto} bind def", "/m {moveto} bind def", "/s {stroke} bind def",
        "/sc {scale} bind def", "/sh {show} bind def", "/slw {setlinewidth} bind def",
        "/srgb {setrgbcolor} bind def", "/ff {findfont} bind def", "/sf {setfont} bind def",
        "/scf {scalefont} bind def", "", "%%Page: 1 1", "", "0.04 0.04 sc"}) {
    WriteLine(line);
  }
  SetPenWidth(setup.penWidth);
  state_.font = setup.font;
  state_.color = setup.font.color;
  WriteFontLine(setup.font);
  WriteColorLine(setup.font.color);
  WriteLine("");
}

void EpsCanvas::EndPicture() {
  WriteLine("showpage");
  WriteLine("end");
  for (int32_t i = 0; i < openAxisScopes_; ++i) WriteLine("grestore");
  openAxisScopes_ = 0;
}

void EpsCanvas::BeginAxis() {
  WriteLine("");
  WriteLine("gs");
  ++openAxisScopes_;
}

void EpsCanvas::BeginCurve() {
  WriteLine("gs");
  saved_.push_back(state_);
}

void EpsCanvas::EndCurve() {
  WriteLine(" s gr");
  if (!saved_.empty()) {
    state_ = saved_.back();
    saved_.pop_back();
  }
}

void EpsCanvas::SetPenWidth(Real px) {
  // Whole units, truncated: 3/4 pixel is k*3 div 4.
  const Real units =
      std::trunc(std::clamp(px * static_cast<Real>(page_.k), Real{0}, kCoordinateLimit));
  WriteLine(std::to_string(static_cast<int64_t>(units)) + " slw");
}

void EpsCanvas::SetFont(const PlotFont& font) {
  if (font.name != state_.font.name || std::abs(font.height) != std::abs(state_.font.height)) {
    WriteFontLine(font);
  }
  if (!(font.color == state_.color)) WriteColorLine(font.color);
  state_.font = font;
  state_.color = font.color;
}

void EpsCanvas::SetColor(PlotColor color) {
  WriteColorLine(color);
  state_.color = color;
}

void EpsCanvas::Line(PlotPoint a, PlotPoint b) {
  EndLine();
  line_ = Point(a) + " m" + Point(b) + " l s";
}

void EpsCanvas::Polyline(std::span<const PlotPoint> points) {
  EndLine();
  for (size_t i = 0; i < points.size(); ++i) WriteLine(Point(points[i]) + (i == 0 ? " m" : " l"));
}

void EpsCanvas::Text(PlotPoint anchor, std::string_view text, TextAlign align) {
  const Real h = static_cast<Real>(std::abs(state_.font.height));
  const Real w = static_cast<Real>(CharCount(text)) * options_.charWidthEm * h;
  const PlotPoint at{anchor.x - Shift(align.h, w), anchor.y - Shift(align.v, h) + h};
  line_ += Point(at) + " m (" + PsString(text) + ") sh";
  EndLine();
}

std::string WriteEps(const PlotModel& model, const EpsOptions& options) {
  EpsCanvas canvas(options);
  model.Draw(canvas);
  return canvas.Output();
}

FileWriteResult SaveEps(const std::filesystem::path& path, const PlotModel& model,
                        std::string_view creationDate, int32_t screenWidth) {
  EpsOptions options;
  options.title = path.filename().string();
  options.creationDate = std::string(creationDate);
  options.screenWidth = screenWidth;
  return WriteFileAtomically(path, WriteEps(model, options));
}

}  // namespace tarvex
