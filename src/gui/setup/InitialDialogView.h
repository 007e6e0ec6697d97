// The "Initional" dialog on screen, bound to the TInitional form model. Every field of
// the model has its control, grouped as a physicist reads a set-up: grid, film and its
// initial profile, boundaries, temperature model, substrate layer, options. Enter in a
// field walks to the next field that needs a value (EnterPressed); OK runs OkPressed and,
// when it refuses, keeps the dialog open with the focus on the field it names.
#pragma once

#include <QDialog>
#include <QMap>
#include <array>
#include <functional>
#include <string>

#include "core/setup/InitialConditions.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace tarvex {

class Prompter;
class TRealEdit;

class InitialDialogView : public QDialog {
  Q_OBJECT

 public:
  InitialDialogView(TInitional& model, Prompter& prompter, QWidget* parent = nullptr);

  // Shows the model's values and runs the dialog modally (FormShow first). Returns
  // whether it closed with OK.
  bool Open(bool addLayerMode);

  // The OK button (tests press it directly too).
  void PressOk();

  // "&EqvOfState" (film) and "EOSl" (substrate) open the equation-of-state dialog.
  void SetEosHandler(std::function<void(bool left)> handler) { eosHandler_ = std::move(handler); }
  // "&Q external" checked opens the laser-source dialog; the handler returns whether a
  // source is in force afterwards (false unchecks the box).
  void SetQextHandler(std::function<bool()> handler) { qextHandler_ = std::move(handler); }
  // While "&Q external" is checked: the source in force in three lines (formula, values,
  // pre-heating); an empty line is hidden.
  void SetQextSummary(std::function<std::array<std::string, 3>()> summary) {
    qextSummary_ = std::move(summary);
  }
  // "El. Ther&mal Parameters" opens the thermal-parameter dialog.
  void SetThermParamHandler(std::function<void()> handler) {
    thermParamHandler_ = std::move(handler);
  }

  // The control of a field by its system name (the names OkPressed and EnterPressed
  // return), nullptr when there is none.
  QWidget* Control(const std::string& name) const;

  // Refreshes every control from the model.
  void SyncFromModel();

  // Physical equation of state (units GPa, K, g/cm3) or a dimensionless one: the unit
  // texts of the fields follow.
  void SetPhysicalUnits(bool on);

  QMap<QString, TRealEdit*> edits;
  QPushButton* OkBtn = nullptr;
  QPushButton* AddLayerBtn = nullptr;
  QPushButton* StatEqButton = nullptr;
  QLabel* Message = nullptr;
  QLabel* QILabel = nullptr;
  QLabel* QLabel_ = nullptr;  // the values line ("QLabel")
  QLabel* QPrLabel = nullptr;

 protected:
  // Enter in a list, up-down, radio or check box walks on like Enter in an edit.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Parts of the dialog, built by the constructor.
  QGroupBox* BuildGrid();
  QGroupBox* BuildFilm();
  QGroupBox* BuildBoundaries();
  QGroupBox* BuildTemperatures();
  QGroupBox* BuildSubstrate();
  QHBoxLayout* BuildOptions();
  QHBoxLayout* BuildButtons();
  TRealEdit* AddEdit(const char* name, const QString& tip, const QString& unit);
  QComboBox* AddChoice(const char* name, std::span<const char* const> items, const QString& tip);
  QSpinBox* AddUpDown(const char* name, const char* key, int lo, int hi, const QString& tip);
  QCheckBox* AddCheck(const char* name, const QString& caption, const QString& tip);
  void EnterIn(const std::string& name);
  void Leave(const std::string& name);
  void FocusName(const std::string& name);
  void UpdateUnits();

  TInitional& model_;
  Prompter& prompter_;
  std::function<void(bool)> eosHandler_;
  std::function<bool()> qextHandler_;
  std::function<std::array<std::string, 3>()> qextSummary_;
  std::function<void()> thermParamHandler_;
  QMap<QString, QWidget*> controls_;
  QMap<QString, QComboBox*> choices_;
  QMap<QString, QSpinBox*> upDowns_;
  QMap<QString, QCheckBox*> checks_;
  QButtonGroup* radioGroup1_ = nullptr;
  QRadioButton* pressRadio_ = nullptr;
  QRadioButton* tempRadio_ = nullptr;
  QGroupBox* glassBox_ = nullptr;
  QLabel* lengthUnit_ = nullptr;
  QLabel* pHeader_ = nullptr;
  QLabel* tHeader_ = nullptr;
  QGroupBox* layerBox_ = nullptr;
  QWidget* x0ShiftLabel_ = nullptr;
  QWidget* xRightLabel_ = nullptr;
  QMap<QString, QString> tips_;
  QMap<QString, QString> units_;  // physical unit of each edit ("length unit": of x1Edit)
  bool physical_ = true;
  bool syncing_ = false;
};

}  // namespace tarvex
