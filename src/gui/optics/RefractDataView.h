// The "RefractData" dialog on screen, bound to the TRefractData form model: the probe
// wavelength, the table "RefrOptData" of the optical layers the present profile was cut
// into (depth, density, Ti, Te, n, k from the vacuum through the layers to the bulk), and
// the buttons "Calculate" (the default), "Close" (hides it) and "&Exit". "Calculate" runs
// the handler the owner gives (the application's layered optics on the present state);
// computed, the dialog closes with OK and the integral values show the refraction.
#pragma once

#include <QDialog>
#include <functional>

#include "core/optics/RefractData.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace tarvex {

class Prompter;
class TRealEdit;

class RefractDataView : public QDialog {
  Q_OBJECT

 public:
  RefractDataView(TRefractData& model, Prompter& prompter, QWidget* parent = nullptr);

  void SetCalcHandler(std::function<RefractCalcResult()> calc) { calc_ = std::move(calc); }

  // Shows the model's wavelength and table.
  void ShowModel();
  void PressCalc();

  TRealEdit* Lambda = nullptr;
  QTableWidget* Table = nullptr;
  QLabel* Message = nullptr;
  QPushButton* CalcBtn = nullptr;
  QPushButton* CloseBtn = nullptr;
  QPushButton* ExitBtn = nullptr;

 signals:
  // "&Exit": the owner releases the dialog.
  void exitRequested();

 private:
  TRefractData& model_;
  Prompter& prompter_;
  std::function<RefractCalcResult()> calc_;
};

}  // namespace tarvex
