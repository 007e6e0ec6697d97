// The refractive-data dialog's form model and the "_opt.dat" table text.
#include "core/optics/RefractData.h"

#include <cmath>

#include "core/common/NumStringFormat.h"
#include "core/optics/ComplexField.h"

namespace tarvex {

namespace {

constexpr const char* kEol = "\r\n";

std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    const size_t start = i;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
    if (i > start) words.push_back(line.substr(start, i - start));
  }
  return words;
}

OptFileRead RefuseRead(size_t lineNo, const std::string& what) {
  OptFileRead r;
  r.reason = "Line " + std::to_string(lineNo) + ": " + what;
  return r;
}

}  // namespace

std::vector<RefrOptRow> RefrOptTable(std::span<const OpticalLayer> media,
                                     const TNumStringFormat& format) {
  std::vector<RefrOptRow> rows;
  rows.reserve(media.size() + 1);
  RefrOptRow title;
  for (size_t c = 0; c < title.size(); ++c) title[c] = std::string(kRefrOptTitles[c]);
  rows.push_back(title);
  for (const OpticalLayer& m : media) {
    rows.push_back(RefrOptRow{std::to_string(m.No), format.FormatValue(m.depth),
                              format.FormatValue(m.rho), format.FormatValue(m.Ti),
                              format.FormatValue(m.Te), format.FormatValue(m.N.re),
                              format.FormatValue(m.N.im)});
  }
  return rows;
}

std::string OptFileText(std::span<const RefrOptRow> rows) {
  std::string out;
  for (const RefrOptRow& row : rows) {
    for (size_t c = 0; c < row.size(); ++c) {
      out += RightAligned(row[c], 10);
      out += c + 1 < row.size() ? " " : kEol;
    }
  }
  return out;
}

OptFileRead ReadOptFile(std::string_view text, const TNumStringFormat& format) {
  OptFileRead result;
  bool titleSeen = false;
  size_t lineNo = 0;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    ++lineNo;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::vector<std::string_view> words = Words(line);
    if (words.empty()) continue;
    if (!titleSeen) {
      bool title = words.size() == kRefrOptTitles.size();
      for (size_t c = 0; title && c < words.size(); ++c) title = words[c] == kRefrOptTitles[c];
      if (!title) return RefuseRead(lineNo, "the title row \"No L-x rho Ti Te n k\" is missing");
      titleSeen = true;
      continue;
    }
    if (words.size() != kRefrOptTitles.size()) {
      return RefuseRead(lineNo, "7 values expected (No, L-x, rho, Ti, Te, n, k), " +
                                    std::to_string(words.size()) + " found");
    }
    std::array<Real, 7> v{};
    for (size_t c = 0; c < words.size(); ++c) {
      if (format.Parse(words[c], v[c]) != TConvertStatus::Ok || !std::isfinite(v[c])) {
        return RefuseRead(lineNo, std::string(kRefrOptTitles[c]) + " \"" + std::string(words[c]) +
                                      "\" is not a number");
      }
    }
    OpticalLayer m;
    const int32_t expected = static_cast<int32_t>(result.media.size());
    if (v[0] != expected) {
      return RefuseRead(lineNo, "row number " + std::to_string(expected) + " expected");
    }
    m.No = expected;
    m.depth = v[1];
    m.rho = v[2];
    m.Ti = v[3];
    m.Te = v[4];
    m.N = Complex{v[5], v[6]};
    for (size_t c : {size_t{2}, size_t{3}, size_t{4}, size_t{5}, size_t{6}}) {
      if (v[c] < 0) return RefuseRead(lineNo, "negative " + std::string(kRefrOptTitles[c]));
    }
    if (!result.media.empty() && m.depth < result.media.back().depth) {
      return RefuseRead(lineNo, "the depth L-x decreases");
    }
    result.media.push_back(m);
  }
  if (!titleSeen) {
    result.reason = "The optical table is empty: no title row and no layers";
    return result;
  }
  if (result.media.size() < 2) {
    result.media.clear();
    result.reason = "The optical table has no layers (0 media below the vacuum)";
    return result;
  }
  result.ok = true;
  return result;
}

std::optional<ParamRefusal> CheckRefractLambda(Real Lambda) {
  if (!std::isfinite(Lambda) || !(Lambda > 0)) {
    return ParamRefusal{"Lambda", "Lambda must be a positive wavelength [nm]"};
  }
  return std::nullopt;
}

TRefractData::TRefractData(std::shared_ptr<TNumStringFormat> format) : Lambda(std::move(format)) {
  Lambda.SetValue(LambdaDefault);
  RefrOptData = RefrOptTable({}, Lambda.Format());
}

RefractCalcResult TRefractData::Calc(const OpticalTarget& target, LayeredOpticsState& state,
                                     TComplexField& Refr, Real SimTime,
                                     const TNumStringFormat& programFormat, Prompter& prompter) {
  RefractCalcResult r;
  Real lambda = 0;
  if (!Lambda.TryGetValue(lambda)) {
    r.focus = "Lambda";
    r.reason = "Lambda is not a number";
    return r;
  }
  if (std::optional<ParamRefusal> bad = CheckRefractLambda(lambda)) {
    r.focus = std::string(bad->field);
    r.reason = std::move(bad->reason);
    return r;
  }
  OpticalProfileResult profile = OpticalProfile(target, lambda, state.PrevPhase);
  if (!profile.ok) {
    r.reason = std::move(profile.reason);
    return r;
  }
  media_ = std::move(profile.media);
  RefrOptData = RefrOptTable(media_, programFormat);
  Refr.SetValue(profile.Refr);
  if (!state.Series.Chosen()) state.Series.ChooseSeriesFile(prompter, true);
  r.seriesFailed = !state.Series.Append(SimTime, programFormat, Refr, prompter);
  r.accepted = true;
  return r;
}

OptFileRead TRefractData::LoadOptFile(std::string_view text) {
  OptFileRead read = ReadOptFile(text, Lambda.Format());
  if (read.ok) {
    media_ = read.media;
    RefrOptData = RefrOptTable(media_, Lambda.Format());
  }
  return read;
}

}  // namespace tarvex
