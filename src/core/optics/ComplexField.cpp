// The complex edit control's model and the reading of its text.
#include "core/optics/ComplexField.h"

#include <cmath>
#include <utility>

namespace tarvex {

namespace {

std::string_view Trimmed(std::string_view s) {
  const size_t first = s.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  const size_t last = s.find_last_not_of(" \t\r\n");
  return s.substr(first, last - first + 1);
}

std::optional<Real> ReadPart(std::string_view text, const TNumStringFormat& format) {
  Real value = 0;
  if (format.Parse(Trimmed(text), value) != TConvertStatus::Ok || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

}  // namespace

TComplexField::TComplexField() = default;

TComplexField::TComplexField(std::shared_ptr<TNumStringFormat> StringFormat1,
                             std::shared_ptr<TNumStringFormat> StringFormat2)
    : Re(std::move(StringFormat1)), Im(std::move(StringFormat2)) {}

void TComplexField::SetValue(Complex z) {
  Re.SetValue(z.re);
  Im.SetValue(z.im);
}

Complex TComplexField::Value() {
  const Real re = Re.Value();
  const Real im = Im.Value();
  return Complex{re, im};
}

bool TComplexField::TryGetValue(Complex& z) {
  Real re = 0;
  Real im = 0;
  const bool okRe = Re.TryGetValue(re);
  const bool okIm = Im.TryGetValue(im);
  z = Complex{re, im};
  return okRe && okIm;
}

std::string TComplexField::Text() const {
  std::string s = Re.Text();
  s.append(kComplexSeparator);
  s.append(Im.Text());
  return s;
}

bool TComplexField::SetText(std::string_view text) {
  const size_t mark = text.find(kComplexMark);
  if (mark == std::string_view::npos) return false;
  const Complex before = StoredValue();
  Re.SetText(std::string(Trimmed(text.substr(0, mark))));
  Im.SetText(std::string(Trimmed(text.substr(mark + kComplexMark.size()))));
  Complex z;
  if (TryGetValue(z)) return true;
  SetValue(before);  // one part read, the other did not: the pair stays as it was
  return false;
}

void TComplexField::SetOnConvertError(RealField::ConvertErrorHandler handler) {
  Re.SetOnConvertError(handler);
  Im.SetOnConvertError(std::move(handler));
}

std::optional<Complex> ParseComplexText(std::string_view text, const TNumStringFormat& f1,
                                        const TNumStringFormat& f2) {
  const size_t mark = text.find(kComplexMark);
  if (mark == std::string_view::npos) return std::nullopt;
  const std::optional<Real> re = ReadPart(text.substr(0, mark), f1);
  const std::optional<Real> im = ReadPart(text.substr(mark + kComplexMark.size()), f2);
  if (!re || !im) return std::nullopt;
  return Complex{*re, *im};
}

std::optional<Complex> ReadRefractLine(std::string_view line, const TNumStringFormat& format) {
  const size_t key = line.find("Refract");
  if (key == std::string_view::npos) return std::nullopt;
  const size_t eq = line.find('=', key);
  if (eq == std::string_view::npos) return std::nullopt;
  return ParseComplexText(line.substr(eq + 1), format, format);
}

}  // namespace tarvex
