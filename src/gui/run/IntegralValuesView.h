// The integral-values window ("IntegrValues") on screen, bound to the TIntegralValues
// form model: thermal, kinetic and total energy of the target, the energy added since the
// accepted initial state, the time integral of the left-boundary pressure and the
// momentum, the ion/electron split of two-temperature runs, and the position of a chosen
// critical density. A tool window beside the main window: it stays open during a run
// and follows every display refresh.
#pragma once

#include <QDialog>
#include <QMap>
#include <functional>

#include "core/common/Real.h"

class QGroupBox;
class QLabel;
class QPushButton;

namespace tarvex {

class Prompter;
class TComplexEdit;
class TIntegralValues;
class TRealEdit;

class IntegralValuesView : public QDialog {
  Q_OBJECT

 public:
  IntegralValuesView(TIntegralValues& model, Prompter& prompter, QWidget* parent = nullptr);

  // The film density the "&rho_c" button divides by three.
  void SetRho0Source(std::function<Real()> rho0) { rho0_ = std::move(rho0); }
  // Shows the model's values and panels (after every display refresh).
  void SyncFromModel();
  // "Integr": shows the window (model Visible); "&Ok" hides it.
  void ShowWindow();

  QMap<QString, TRealEdit*> edits;
  QPushButton* RhoCBtn = nullptr;
  QPushButton* RefractionBtn = nullptr;  // opens the refractive-data dialog
  TComplexEdit* Refr = nullptr;          // R + i h of the layered optics

 signals:
  // Rho_C was changed: the position needs a refresh from the state.
  void criticalDensityChanged();
  // "Refraction": the owner shows the refractive-data dialog.
  void refractionRequested();

 private:
  TRealEdit* AddValue(const char* name, const QString& tip);

  TIntegralValues& model_;
  Prompter& prompter_;
  std::function<Real()> rho0_;
  QWidget* ekRow_ = nullptr;
  QGroupBox* twoTemperature_ = nullptr;
  QGroupBox* critical_ = nullptr;
  QGroupBox* refraction_ = nullptr;
};

}  // namespace tarvex
