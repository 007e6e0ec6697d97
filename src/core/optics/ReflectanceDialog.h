// Treflectance: the form model of the film-reflectance dialog ("reflectance").
//
// The dialog edits the parameters of the film model (FilmReflectance) and the reference
// reflectance R0, and switches the reflectance output ("R.dat", one record -dR/R0 per
// output interval) on with a non-zero R0 and off with R0 = 0. "&Set R0" takes R0 from the
// present state of the surface cell, "&CalcCurrent" shows -dR/R0 of that cell. The cell is
// the one "R.dat" describes (the free surface's, which the application passes in as
// `lastCell`), so the first record after "&Set R0" is 0 also for a film whose free surface
// is not the grid's last cell.
// Questions go through the Prompter; a refused press names the field to focus and why.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "core/common/RealField.h"
#include "core/optics/FilmReflectance.h"

namespace tarvex {

class Prompter;

// The run-wide part: the model with its parameters and the reflectance output switch.
struct ReflectanceState {
  FilmReflectance model;
  bool ReflectanceOn = false;  // "R.dat" is appended after every output interval
};

// The state of the cell the model is evaluated for (the surface cell); one-temperature
// runs pass Te = Ti = T.
struct FilmCell {
  Real Ti = 0;   // [K]
  Real Te = 0;   // [K]
  Real rho = 0;  // [g/cm3]
};

inline constexpr const char* kAskPrintSave = "Print/Save?";

// The reflectance history "R.dat" (in the output directory): created with the header
// "time[ps]" right-aligned in 8 characters, TAB, "-dR/R0"; one record per output interval:
// the time in ps right-aligned in 8, TAB, -dR/R0 of the surface cell ("NAN" when the cell
// has no reflectance, so that every interval keeps its record); both numbers through the
// main window's number format; CR LF.
inline constexpr const char* kRDatName = "R.dat";
std::string RDatHeader();
std::string RDatRecord(Real time_ps, Real dRR0, const TNumStringFormat& format);

struct TreflectanceResult {
  bool accepted = false;  // the press did its work (OK: the dialog closes)
  std::string focus;      // refused: the field to focus ("" when no field is to blame)
  std::string reason;     // refused: why, in a sentence
  bool print = false;     // "Print/Save?" answered OK: print the dialog
};

class Treflectance {
 public:
  static constexpr std::string_view Caption = "reflectance";
  // Field names and their labels, in the order of the form.
  static constexpr std::array<std::string_view, 8> FieldNames{"lambdaEdit", "HHEdit",  "Rho00Edit",
                                                              "Rho0Edit",   "ensEdit", "ksissEdit",
                                                              "ksisdEdit",  "R0Edit"};
  static constexpr std::array<std::string_view, 8> FieldLabels{
      "lambda =", "HH =", "rho00 =", "rho0 =", "ens =", "ksiss =", "ksisd =", "R0 ="};
  static constexpr std::string_view OkBtnCaption = "&OK";
  static constexpr std::string_view R0BtnCaption = "&Set R0";
  static constexpr std::string_view CalcBtnCaption = "&CalcCurrent";
  static constexpr std::string_view PrintBtnCaption = "&Print";

  // The fields share `format` when given (the session's number format).
  explicit Treflectance(std::shared_ptr<TNumStringFormat> format = nullptr);

  RealField lambdaEdit;  // probe wavelength [nm], 800
  RealField HHEdit;      // initial film thickness [nm], 800
  RealField Rho00Edit;   // reference density [g/cm3], 19.5
  RealField Rho0Edit;    // initial density [g/cm3], 19.3
  RealField ensEdit;     // s-band energy [eV], -9.2
  RealField ksissEdit;   // weight of s-s collisions, 0.75
  RealField ksisdEdit;   // weight of s-d collisions, 1
  RealField R0Edit;      // reference reflectance, 0

  // The field of a name in FieldNames (nullptr for another name).
  RealField* Field(std::string_view name);

  // Shows the parameters of the model.
  void Open(const ReflectanceState& st);

  // "&OK": stores the fields; when `pressed` (OK itself, not a caller that applies the
  // fields) and R0 = 0 while a grid exists (`lastCell` given), "&Set R0" runs first. Then
  // with R0 != 0 the question "Print/Save?" (No/OK) and the output switch on; with R0 = 0
  // the switch off. Refused with nothing stored when a field does not read or is out of
  // range, or when R0 cannot be taken from the last cell. Without `askPrint` (a run file
  // applying the dialog) the question is left out.
  TreflectanceResult Ok(ReflectanceState& st, const std::optional<FilmCell>& lastCell,
                        Prompter& prompter, bool pressed = true, bool askPrint = true);

  // "&Set R0": stores the fields (when pressed as a button), then R0 := the present
  // reflectance of the last cell, shown in R0Edit; the first -dR/R0 is then exactly 0.
  // Refused without a grid or when the cell has no reflectance (R0 unchanged).
  TreflectanceResult SetR0(ReflectanceState& st, const std::optional<FilmCell>& lastCell,
                           bool pressed = true);

  // "&CalcCurrent": with a grid, stores the fields, runs "&Set R0" while R0 = 0, otherwise
  // shows -dR/R0 of the last cell in a message (its number text alone).
  TreflectanceResult CalcCurrent(ReflectanceState& st, const std::optional<FilmCell>& lastCell,
                                 Prompter& prompter);

  void Cancel() {}

  // The parameters the fields stand for, or the refusal of the first bad field.
  std::variant<FilmReflectanceParams, ParamRefusal> ReadFields();
};

}  // namespace tarvex
