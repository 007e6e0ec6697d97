// TRefractData: the form model of the refractive-data dialog ("RefractData"), its table
// "RefrOptData", the optical file "_opt.dat" written with a profile set (and read back),
// and the run-wide state of the layered optics (the phase memory and the R(t) series).
//
// Table rows: a title row "No", "L-x", "rho", "Ti", "Te", "n", "k", then one row per medium
// from the vacuum (No 0) through the layers to the bulk: the depth of the medium's upper
// face below the initial surface [nm], its density [g/cm3], Ti and Te [K] and its
// refractive index n + ik. "_opt.dat" holds every row, the title included: each cell but
// the last right-aligned in 10 characters and followed by one blank, the last cell
// right-aligned in 10 characters, CR LF.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/RealField.h"
#include "core/optics/FilmReflectance.h"
#include "core/optics/OpticalProfile.h"
#include "core/optics/RefractSeries.h"

namespace tarvex {

class Prompter;
class TComplexField;

using RefrOptRow = std::array<std::string, 7>;
inline constexpr std::array<std::string_view, 7> kRefrOptTitles{"No", "L-x", "rho", "Ti",
                                                                "Te", "n",   "k"};

// The title row and one row per medium, numbers through `format`.
std::vector<RefrOptRow> RefrOptTable(std::span<const OpticalLayer> media,
                                     const TNumStringFormat& format);

// The text of "_opt.dat" for the rows of a table (title row included).
std::string OptFileText(std::span<const RefrOptRow> rows);

struct OptFileRead {
  bool ok = false;
  std::string reason;               // names the line and what is wrong
  std::vector<OpticalLayer> media;  // vacuum, layers, bulk
};

// Reads an "_opt.dat" text. Refused with a reason naming the line for: a missing title
// row, a row without all seven values or with a value that is not a number, row numbers
// that do not count 0, 1, 2, ..., a negative density, temperature, n or k, depths that
// decrease, and a table without layers (fewer than the vacuum and one medium).
OptFileRead ReadOptFile(std::string_view text, const TNumStringFormat& format);

// The probe wavelength of the layered optics [nm]: refused unless positive and finite.
std::optional<ParamRefusal> CheckRefractLambda(Real Lambda);

// Run-wide state of the layered optics.
struct LayeredOpticsState {
  Real PrevPhase = 0;  // last phase shift [nm]; restored from a profile's "Refract =" line
  // Temperature of the cold reference material of the phase shift [K]: the initial state's,
  // kept with every profile set so that a continued run measures from the same reference
  // (0: not known, the initial-conditions dialog's Tini is taken).
  Real Tini = 0;
  RefractSeries Series;  // the R(t) file
};

struct RefractCalcResult {
  bool accepted = false;      // computed: the dialog closes with OK (the refraction is shown)
  std::string focus;          // "Lambda" when the wavelength was refused
  std::string reason;         // why nothing was computed
  bool seriesFailed = false;  // the R(t) record could not be written (already reported)
};

class TRefractData {
 public:
  static constexpr std::string_view Caption = "RefractData";
  static constexpr std::string_view CalcCaption = "Calculate";  // default button
  static constexpr std::string_view ExitCaption = "&Exit";      // the owner frees the dialog
  static constexpr std::string_view CloseCaption = "Close";     // hides it
  static constexpr Real LambdaDefault = 620;                    // [nm]

  explicit TRefractData(std::shared_ptr<TNumStringFormat> format = nullptr);

  RealField Lambda;                     // probe wavelength [nm]
  std::vector<RefrOptRow> RefrOptData;  // the table, title row first
  bool Visible = false;

  // "Calculate" (also the display refresh while the refraction is shown): cuts the target
  // at the wavelength of Lambda, shows the table, sets Refr = R + i h (PrevPhase continues
  // the phase), asks for the R(t) file when none was chosen yet and appends the record
  // while the series is on. Refused with nothing changed when Lambda does not read or is
  // not positive (focus "Lambda") or when the target cannot be cut (reason).
  RefractCalcResult Calc(const OpticalTarget& target, LayeredOpticsState& state,
                         TComplexField& Refr, Real SimTime, const TNumStringFormat& programFormat,
                         Prompter& prompter);

  // "Close": hides the dialog; it keeps its table and is still written with a profile set.
  void Close() { Visible = false; }

  // The last computed stack (empty before the first calculation or a load).
  const std::vector<OpticalLayer>& Media() const { return media_; }

  // "_opt.dat" of the present table.
  std::string OptFileText() const { return tarvex::OptFileText(RefrOptData); }

  // Shows a table read from an "_opt.dat" text; refused (table unchanged) with the reason
  // of ReadOptFile.
  OptFileRead LoadOptFile(std::string_view text);

 private:
  std::vector<OpticalLayer> media_;
};

}  // namespace tarvex
