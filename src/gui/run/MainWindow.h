// The main window of the desktop program, bound to the AppModel: the run parameters of
// TMainForm, the buttons of the run ("&Calculate", which becomes "X &Break Calc X" while a
// run goes on, "&Init/Shift", "&EqvOfState", "Vis", "Format", "&Save", "LoadFile",
// "Integr", "Save options", "E&xit"), the results table (the AppModel's) and the four
// graphs, a status line with the simulated time, the speed of the run and the output
// directory, and the settings files in the File menu. A run goes through the AppModel's
// result files (profile sets, pictures, tracked points); the window adds the display.
#pragma once

#include <QElapsedTimer>
#include <QMainWindow>
#include <QMap>
#include <array>
#include <string>

#include "core/app/AppModel.h"
#include "core/run/ResultsGraphs.h"
#include "core/run/ResultsTable.h"
#include "render/ResultsPicture.h"
#include "runfile/RunSettings.h"

class QGroupBox;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QSplitter;
class QSpinBox;
class QTableView;
class QAction;

namespace tarvex {

class Prompter;
class TRealEdit;
class TImageFrame;
class ResultsTableModel;
class StatEqDialogView;
class SaveOptionsView;
class InitialDialogView;
class TNumFormatDialog;
class ViscosityDialogView;
class IntegralValuesView;
class HistoriesView;
class QextDialogView;
class ThermParamDialogView;
class SpallationDialogView;
class ReflectanceDialogView;
class RefractDataView;

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  MainWindow(AppModel& app, Prompter& prompter, QWidget* parent = nullptr);
  ~MainWindow() override;

  AppModel& App() { return app_; }
  TResultsTable& Table() { return app_.table; }
  TResultsGraphs& Graphs() { return graphs_; }
  const RunOutcome& LastRun() const { return lastRun_; }
  bool Running() const { return running_; }

  // The picture writer of the result files: the picture of the graphs as they are now
  // (the result files choose the name and the caption).
  ResultFiles::PictureWriter MakeGuiPictureWriter();

  // Table, integral values and graphs from StateA (through the result files).
  void RefreshDisplay(bool withGraphs);
  // Every edit shows its field again (after a handler changed the form).
  void ShowFields();
  // The graphs follow the current state's grid (after "Init/Shift", a load or a settings
  // file); the origin question is asked the first time.
  void SetUpGraphs();

  // "LoadFile" with the file named (the button asks for it first): loads the profile set,
  // shows the initial-conditions dialog in its after-load mode and, on OK, finishes it.
  // False when the load was refused or the dialog cancelled.
  bool LoadFile(const std::string& path);
  // Settings files (the run files of the batch runner). Open: false (with a message box
  // naming file, line and key) when the file is refused; Save: false when not written.
  bool OpenSettings(const std::string& path);
  bool SaveSettings(const std::string& path);

  // ---- views ----
  StatEqDialogView* EosDialog() { return eosDialog_; }
  SaveOptionsView* SaveOptions() { return saveOptions_; }
  IntegralValuesView* IntegralValues() { return integralsView_; }
  HistoriesView* Histories() { return historiesView_; }
  InitialDialogView* InitialDialog() { return initialDialog_; }
  QextDialogView* QextDialog() { return qextDialog_; }
  ThermParamDialogView* ThermParamDialog() { return thermDialog_; }
  SpallationDialogView* SpallationDialog() { return spallDialog_; }
  ReflectanceDialogView* ReflectanceDialog() { return reflectanceDialog_; }
  // The refractive-data dialog while it exists (made by its first ShowRefraction).
  RefractDataView* RefractDialog() { return refractDialog_; }
  TNumFormatDialog* FormatDialog() { return formatDialog_; }
  ViscosityDialogView* ViscosityDialog();

  QMap<QString, TRealEdit*> edits;
  // Whether the state is in physical units (EosScale 1e5) rather than dimensionless.
  bool PhysicalState() const;
  QSpinBox* DimensionEdit = nullptr;
  QSpinBox* StepDivEdit = nullptr;
  QSpinBox* MnStepDivEdit = nullptr;
  QPushButton* CalculateBtn = nullptr;
  QPushButton* InitBtn = nullptr;
  QPushButton* EosBtn = nullptr;
  QPushButton* VisBtn = nullptr;
  QPushButton* FormatBtn = nullptr;
  QPushButton* SaveOptBtn = nullptr;
  QPushButton* SaveBtn = nullptr;
  QPushButton* LoadBtn = nullptr;
  QPushButton* IntegrBtn = nullptr;
  QPushButton* ExitBtn = nullptr;
  QAction* SaveSettingsAction = nullptr;
  QAction* OpenSettingsAction = nullptr;
  QMenu* ExamplesMenu = nullptr;  // File > Examples: the bundled run files
  QTableView* TableView = nullptr;
  std::array<TImageFrame*, 4> frames{};

 public slots:
  void Calculate();
  void InitShift();
  void EqvOfState();
  void Vis();
  void FormatTable();
  void EditSaveOptions();
  void Save();
  void Load();
  void Integr();
  // "&Histories…": the time history of the output directory, one column against time.
  void ShowHistories();
  // "&Reflectance…": the film-reflectance dialog ("R.dat").
  void ShowReflectance();
  // The integral values' "Refraction": the refractive-data dialog, made when first needed.
  void ShowRefraction();
  void SaveSettingsAs();
  void OpenSettingsFile();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  friend class GuiRunHooks;
  // Parts of the window, built by the constructor.
  QGroupBox* BuildRunFields();
  QHBoxLayout* BuildButtons();
  QHBoxLayout* BuildLabels();
  QSplitter* BuildTableAndGraphs();
  void BuildMenu();
  void BuildStatusLine();
  void CreateDialogs();
  TRealEdit* AddField(const char* name, const QString& tip, const QString& unit);
  void Leave(const std::string& name);
  void UpdateButtons();
  // Each column of the table at least as wide as its title.
  void FitColumnsToTitles();
  void UpdateStatus(const RunProgress& p, bool force);
  void FocusForm();
  void OpenEos(bool left);
  // The equation-of-state dialog, its "Sp&all" showing whether the spallation test is on.
  bool OpenEosDialog(bool left);
  // The views follow the forms after a handler of the AppModel changed them.
  void AfterModelChange();

  AppModel& app_;
  Prompter& prompter_;
  TResultsGraphs graphs_;
  ResultsTableModel* tableModel_ = nullptr;
  StatEqDialogView* eosDialog_ = nullptr;
  SaveOptionsView* saveOptions_ = nullptr;
  InitialDialogView* initialDialog_ = nullptr;
  QextDialogView* qextDialog_ = nullptr;
  ThermParamDialogView* thermDialog_ = nullptr;
  SpallationDialogView* spallDialog_ = nullptr;
  TNumFormatDialog* formatDialog_ = nullptr;
  ViscosityDialogView* viscDialog_ = nullptr;
  IntegralValuesView* integralsView_ = nullptr;
  HistoriesView* historiesView_ = nullptr;
  ReflectanceDialogView* reflectanceDialog_ = nullptr;
  RefractDataView* refractDialog_ = nullptr;
  QLabel* eosLabel_ = nullptr;
  QLabel* dirLabel_ = nullptr;
  QLabel* timeStatus_ = nullptr;
  QLabel* speedStatus_ = nullptr;
  QLabel* dirStatus_ = nullptr;
  // What the settings file needs beyond the forms: the answers given and the profile a
  // settings file loaded.
  runfile::AppliedSettings settings_;
  RunOutcome lastRun_;
  bool running_ = false;
  bool graphsAsked_ = false;
  bool shiftX0_ = false;
  QMap<QString, QString> tips_;
  QMap<QString, QString> units_;
  QElapsedTimer runClock_;
  qint64 lastStatusMs_ = 0;
};

}  // namespace tarvex
