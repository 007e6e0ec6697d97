// Phase codes of the equations of state: the integer phase state of a (rho, T) point,
// its two-or-more-letter text form used in tables and result files, and the display
// colours that some models report instead of a code.
//
// A negative code is the same state marked metastable (superheated liquid, stretched
// solid). Tables may hold codes above 9; predicates reduce a code to |code| mod 7.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tarvex {

using PhaseCode = int32_t;

constexpr PhaseCode kPhaseNone = 0;         // "o": none / outside the phase diagram
constexpr PhaseCode kPhaseSolid = 1;        // "S"
constexpr PhaseCode kPhaseSolidLiquid = 2;  // "SL": melting zone
constexpr PhaseCode kPhaseLiquid = 3;       // "L"
constexpr PhaseCode kPhaseLiquidGas = 4;    // "LG": liquid-vapour coexistence
constexpr PhaseCode kPhaseGas = 5;          // "G"
constexpr PhaseCode kPhaseSolidGas = 6;     // "SG": sublimation zone
constexpr PhaseCode kPhaseSae = 7;          // "Sae": further solid state of a table set
constexpr PhaseCode kPhaseSe = 8;           // "Se": further state of a table set
constexpr PhaseCode kPhaseSeL = 9;          // "SeL": further state of a table set, with liquid

// Text of the codes 0..9, without the metastability prefix.
inline constexpr std::array<const char*, 10> kPhaseTexts = {"o", "S",  "SL",  "L",  "LG",
                                                            "G", "SG", "Sae", "Se", "SeL"};

// Display colours (0x00BBGGRR) that models without a phase code report; the film
// phase code reads them back: maroon = solid, blue = liquid, green = gas.
constexpr int32_t kColorMaroon = 0x000080;
constexpr int32_t kColorBlue = 0xFF0000;
constexpr int32_t kColorGreen = 0x008000;
// The fixed colour of models that know no phase ("cst"); it reads back as code 0.
constexpr int32_t kColorNoPhase = 0xFF8000;

// |code| mod 7, the reduction the phase predicates use; defined for every int32 value.
constexpr PhaseCode PhaseReduced(PhaseCode code) {
  const int64_t magnitude = code < 0 ? -static_cast<int64_t>(code) : code;
  return static_cast<PhaseCode>(magnitude % 7);
}

// One-character prefix ("m" for a negative code, a blank otherwise) followed by the
// text of the code; codes outside 0..9 give the prefix and the decimal number.
std::string PhaseText(PhaseCode code);

// Reads a phase text: trimmed and upper-cased; a leading "-" or "M" marks the code
// negative. "G" 5, "L" 3, "LG" 4, "S" 1, "SL" 2, "SG" 6, "SAE" 7, "SE" 8, "SEL" 9; a text
// beginning with "A" is 7, with "E" 8, with a digit its leading integer; anything else 0.
// A number too large for a phase code reads as 0 (none) rather than wrapping.
PhaseCode PhaseFromText(std::string_view text);

}  // namespace tarvex
