// The "reflectance" dialog on screen, bound to the Treflectance form model: the
// parameters of the film model (probe wavelength, film thickness, densities, s-band
// energy, collision weights) and the reference reflectance R0, with "&OK", "&Set R0",
// "&CalcCurrent", "&Print" and Cancel. OK with a non-zero R0 switches "R.dat" on, with
// R0 = 0 off (a grid present, OK first takes R0 from the surface cell). A refused press
// keeps the dialog open with the focus on the field it names and the reason shown.
#pragma once

#include <QDialog>
#include <QMap>
#include <functional>
#include <optional>

#include "core/optics/ReflectanceDialog.h"

class QLabel;
class QPushButton;

namespace tarvex {

class Prompter;
class TRealEdit;

class ReflectanceDialogView : public QDialog {
  Q_OBJECT

 public:
  // `cell` gives the surface cell of the present state (nothing without a grid).
  ReflectanceDialogView(Treflectance& model, ReflectanceState& state, Prompter& prompter,
                        std::function<std::optional<FilmCell>()> cell, QWidget* parent = nullptr);

  // Shows the dialog modally on the state's parameters; true when it closed with OK.
  bool Open();
  void ShowModel();

  void PressOk();
  void PressSetR0();
  void PressCalcCurrent();

  QMap<QString, TRealEdit*> fields;
  QLabel* Switch = nullptr;   // whether "R.dat" is written
  QLabel* Message = nullptr;  // the reason of the last refusal
  QPushButton* OkBtn = nullptr;
  QPushButton* R0Btn = nullptr;
  QPushButton* CalcBtn = nullptr;
  QPushButton* PrintBtn = nullptr;
  QPushButton* CancelBtn = nullptr;

 private:
  void Show(const TreflectanceResult& r);

  Treflectance& model_;
  ReflectanceState& state_;
  Prompter& prompter_;
  std::function<std::optional<FilmCell>()> cell_;
};

}  // namespace tarvex
