// Text form of the phase codes.
#include "core/eos/PhaseCode.h"

#include <cctype>

namespace tarvex {

namespace {

bool IsBlank(char ch) {
  return std::isspace(static_cast<unsigned char>(ch)) != 0;
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// The leading decimal digits of s as a code, 0 when they exceed the int32 range.
PhaseCode LeadingNumber(std::string_view s) {
  constexpr int64_t kMax = INT32_MAX;
  int64_t value = 0;
  for (char ch : s) {
    if (ch < '0' || ch > '9') break;
    value = value * 10 + (ch - '0');
    if (value > kMax) return kPhaseNone;
  }
  return static_cast<PhaseCode>(value);
}

PhaseCode UnsignedFromText(std::string_view s) {
  struct Named {
    std::string_view text;
    PhaseCode code;
  };
  static constexpr Named kNamed[] = {
      {"G", kPhaseGas},   {"L", kPhaseLiquid},       {"LG", kPhaseLiquidGas},
      {"S", kPhaseSolid}, {"SL", kPhaseSolidLiquid}, {"SG", kPhaseSolidGas},
      {"SAE", kPhaseSae}, {"SE", kPhaseSe},          {"SEL", kPhaseSeL}};
  for (const Named& n : kNamed) {
    if (s == n.text) return n.code;
  }
  if (s.empty()) return kPhaseNone;
  if (s.front() == 'A') return kPhaseSae;
  if (s.front() == 'E') return kPhaseSe;
  if (s.front() >= '0' && s.front() <= '9') return LeadingNumber(s);
  return kPhaseNone;
}

}  // namespace

std::string PhaseText(PhaseCode code) {
  std::string text(1, code < 0 ? 'm' : ' ');
  const int64_t magnitude = code < 0 ? -static_cast<int64_t>(code) : code;
  if (magnitude < static_cast<int64_t>(kPhaseTexts.size())) {
    text += kPhaseTexts[static_cast<size_t>(magnitude)];
  } else {
    text += std::to_string(magnitude);
  }
  return text;
}

PhaseCode PhaseFromText(std::string_view text) {
  std::string upper(Trim(text));
  for (char& ch : upper) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  std::string_view s = upper;
  bool negative = false;
  if (!s.empty() && (s.front() == '-' || s.front() == 'M')) {
    negative = true;
    s = Trim(s.substr(1));
  }
  const PhaseCode code = UnsignedFromText(s);
  return negative ? -code : code;
}

}  // namespace tarvex
