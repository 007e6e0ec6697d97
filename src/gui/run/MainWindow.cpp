// The main window: layout, the run with its hooks, the dialogs' round trips, closing.
#include "gui/run/MainWindow.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <vector>

#include "core/session/Session.h"
#include "gui/common/NumFormatDialog.h"
#include "gui/common/RealEdit.h"
#include "gui/common/RoutedPrompter.h"
#include "gui/electron/ThermParamDialogView.h"
#include "gui/eos/StatEqDialogView.h"
#include "gui/files/SaveOptionsView.h"
#include "gui/hydro/ViscosityDialogView.h"
#include "gui/laser/QextDialogView.h"
#include "gui/optics/ReflectanceDialogView.h"
#include "gui/optics/RefractDataView.h"
#include "gui/plot/GraphWidget.h"
#include "gui/run/HistoriesView.h"
#include "gui/run/IntegralValuesView.h"
#include "gui/run/ResultsTableModel.h"
#include "gui/setup/InitialDialogView.h"
#include "gui/spall/SpallationDialogView.h"
#include "render/ImageFiles.h"

namespace tarvex {

// The hooks of a run started from the window: the AppModel's result files (table and
// integral refresh, profile sets, pictures, tracked points) and, around them, the views
// and the progress in the status line.
class GuiRunHooks : public RunHooks {
 public:
  explicit GuiRunHooks(MainWindow& w) : w_(w), files_(w.app_.files) {}

  void RefreshDisplay(bool withGraphs) override {
    w_.RefreshDisplay(withGraphs);
    w_.UpdateButtons();
  }
  std::string ProfileBaseName(const std::string& saveDir, Real TotalTime,
                              bool brokenInterval) override {
    return files_.ProfileBaseName(saveDir, TotalTime, brokenInterval);
  }
  bool WriteProfile(const std::string& fileName, bool final) override {
    return files_.WriteProfile(fileName, final);
  }
  void SavePicture(const std::string& fileName, bool final) override {
    files_.SavePicture(fileName, final);
  }
  void AppendHistory() override {
    files_.AppendHistory();
    if (w_.historiesView_->isVisible()) w_.ShowHistories();
  }
  void AppendTrackedPoints() override { files_.AppendTrackedPoints(); }
  void Progress(const RunProgress& p) override {
    w_.UpdateStatus(p, false);
    w_.UpdateButtons();
    files_.Progress(p);
  }

 private:
  MainWindow& w_;
  ResultFiles& files_;
};

namespace {

QString LengthUnit(AppModel& app) {
  const std::string u = LengthUnitName(app.main.x1Edit.StoredValue());
  return u.empty() ? QStringLiteral("x1 cm") : QString::fromStdString(u);
}

QLabel* Buddy(const QString& caption, QWidget* control, QWidget* parent) {
  auto* l = new QLabel(caption, parent);
  l->setBuddy(control);
  return l;
}

}  // namespace

TRealEdit* MainWindow::AddField(const char* name, const QString& tip, const QString& unit) {
  RealField* field = app_.main.FieldByName(name);
  auto* e = new TRealEdit(*field, name, this);
  e->SetPrompter(&prompter_);
  e->SetQuantity(tip, unit);
  tips_.insert(name, tip);
  units_.insert(name, unit);
  e->setMinimumWidth(80);
  const std::string n = name;
  e->SetUserEditHandler([this, n](const std::string& text) { app_.main.UserEdit(n, text); });
  connect(e, &TRealEdit::left, this, [this, n] { Leave(n); });
  edits.insert(name, e);
  return e;
}

MainWindow::MainWindow(AppModel& app, Prompter& prompter, QWidget* parent)
    : QMainWindow(parent), app_(app), prompter_(prompter) {
  setObjectName("MainWindow");
  setWindowTitle("Tarvex_1l");

  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->addWidget(BuildRunFields());
  layout->addLayout(BuildButtons());
  layout->addLayout(BuildLabels());
  layout->addWidget(BuildTableAndGraphs(), 1);
  setCentralWidget(central);
  BuildMenu();
  BuildStatusLine();
  CreateDialogs();

  ShowFields();
  UpdateButtons();
  UpdateStatus(RunProgress{}, true);
  resize(1280, 860);
}

// The run parameters of TMainForm in three rows, as the window lays them out.
QGroupBox* MainWindow::BuildRunFields() {
  auto* params = new QGroupBox("Run", this);
  auto* g = new QGridLayout(params);
  TRealEdit* len = AddField("Len", "initial length of the grid", "length unit");
  TRealEdit* x1 = AddField("x1Edit", "length unit: 1e-7 = nm, 1e-4 = mkm", "cm");
  TRealEdit* rho0 = AddField("Rho0", "reference (film) density", "g/cm3");
  TRealEdit* pout = AddField("Pout", "outer pressure on the free boundaries", "GPa");
  TRealEdit* dt1 = AddField("dt1", "output interval", "s");
  TRealEdit* dtLV = AddField("dtLV", "output interval in reduced units, dt1 v1 / L0", "L0/v1");
  TRealEdit* end = AddField("EndTime", "end of the run (negative after a break)", "s");
  TRealEdit* endLV = AddField("EndTmLV", "end of the run in reduced units", "L0/v1");
  TRealEdit* total = AddField("TotalTime", "current time; editing it sets the time", "s");
  TRealEdit* timeLV = AddField("TimeLV", "current time in reduced units", "L0/v1");
  DimensionEdit = new QSpinBox(this);
  DimensionEdit->setObjectName("Dimension");
  DimensionEdit->setRange(0, TMainForm::kDimensionMax);
  DimensionEdit->setToolTip("number of cells N");
  StepDivEdit = new QSpinBox(this);
  StepDivEdit->setObjectName("StepDiv");
  StepDivEdit->setRange(1, TMainForm::kStepDivMax);
  StepDivEdit->setToolTip("the first sub-step of an interval is dt1 / StepDiv");
  MnStepDivEdit = new QSpinBox(this);
  MnStepDivEdit->setObjectName("MnStepDiv");
  MnStepDivEdit->setRange(1, TMainForm::kMnStepDivMax);
  MnStepDivEdit->setToolTip("the largest sub-step is dt1 / m");
  for (QSpinBox* s : {DimensionEdit, StepDivEdit, MnStepDivEdit}) s->setKeyboardTracking(false);
  // Tab walks the fields row by row as they are laid out.
  {
    QWidget* order[] = {len, x1,    DimensionEdit, rho0,  pout,   dt1,          dtLV,
                        end, endLV, StepDivEdit,   total, timeLV, MnStepDivEdit};
    for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
  }

  g->addWidget(Buddy("Ini&Length", len, params), 0, 0);
  g->addWidget(len, 0, 1);
  g->addWidget(Buddy("x&1", x1, params), 0, 2);
  g->addWidget(x1, 0, 3);
  g->addWidget(Buddy("Di&v", DimensionEdit, params), 0, 4);
  g->addWidget(DimensionEdit, 0, 5);
  g->addWidget(Buddy("rho&0", rho0, params), 0, 6);
  g->addWidget(rho0, 0, 7);
  g->addWidget(Buddy("P_o&ut", pout, params), 0, 8);
  g->addWidget(pout, 0, 9);
  g->addWidget(Buddy("&Time step", dt1, params), 1, 0);
  g->addWidget(dt1, 1, 1);
  g->addWidget(Buddy("( *v1/L", dtLV, params), 1, 2);
  g->addWidget(dtLV, 1, 3);
  g->addWidget(Buddy("T&o", end, params), 1, 4);
  g->addWidget(end, 1, 5);
  g->addWidget(Buddy("( *v1/L", endLV, params), 1, 6);
  g->addWidget(endLV, 1, 7);
  g->addWidget(Buddy("Ste&p div", StepDivEdit, params), 1, 8);
  g->addWidget(StepDivEdit, 1, 9);
  g->addWidget(Buddy("t &=", total, params), 2, 0);
  g->addWidget(total, 2, 1);
  g->addWidget(Buddy("( *v1/L", timeLV, params), 2, 2);
  g->addWidget(timeLV, 2, 3);
  g->addWidget(Buddy("&m", MnStepDivEdit, params), 2, 8);
  g->addWidget(MnStepDivEdit, 2, 9);

  connect(DimensionEdit, &QSpinBox::valueChanged, this,
          [this](int v) { app_.main.SetDimension(v); });
  connect(StepDivEdit, &QSpinBox::valueChanged, this, [this](int v) { app_.main.SetStepDiv(v); });
  connect(MnStepDivEdit, &QSpinBox::valueChanged, this, [this](int v) {
    app_.main.SetMnStepDiv(v);
    ShowFields();
  });

  return params;
}

// "&Calculate" (the break button during a run) and the buttons of the other windows.
QHBoxLayout* MainWindow::BuildButtons() {
  CalculateBtn = new QPushButton("&Calculate", this);
  CalculateBtn->setObjectName("Calculate");
  CalculateBtn->setToolTip("run from the current time to the end time; press again to break");
  CalculateBtn->setMinimumWidth(CalculateBtn->fontMetrics().horizontalAdvance("X Break Calc X") +
                                24);
  InitBtn = new QPushButton("&Init/Shift", this);
  InitBtn->setObjectName("InitShift");
  InitBtn->setToolTip("initial conditions: grid, layers, profiles, boundaries");
  EosBtn = new QPushButton("&EqvOfState", this);
  EosBtn->setObjectName("EqvOfState");
  EosBtn->setToolTip("equation of state of the film");
  VisBtn = new QPushButton("Vis", this);
  VisBtn->setObjectName("Vis");
  VisBtn->setCheckable(true);
  VisBtn->setToolTip("artificial viscosity (down: on)");
  FormatBtn = new QPushButton("Fo&rmat", this);
  FormatBtn->setObjectName("Format");
  FormatBtn->setToolTip("number format of the table and the result files");
  SaveOptBtn = new QPushButton("Save optio&ns", this);
  SaveOptBtn->setObjectName("SaveOptions");
  SaveOptBtn->setToolTip("output directory, file names and picture format");
  SaveBtn = new QPushButton("&Save", this);
  SaveBtn->setObjectName("Save");
  SaveBtn->setToolTip("write the profile file set (.DAT, .TXT) of the current state");
  LoadBtn = new QPushButton("Loa&dFile", this);
  LoadBtn->setObjectName("LoadFile");
  LoadBtn->setToolTip("continue from a saved profile file set (.DAT)");
  IntegrBtn = new QPushButton("Inte&gr", this);
  IntegrBtn->setObjectName("Integr");
  IntegrBtn->setToolTip("integral values: energies, momentum, critical density");
  ExitBtn = new QPushButton("E&xit", this);
  ExitBtn->setObjectName("Exit");
  connect(CalculateBtn, &QPushButton::clicked, this, &MainWindow::Calculate);
  connect(InitBtn, &QPushButton::clicked, this, &MainWindow::InitShift);
  connect(EosBtn, &QPushButton::clicked, this, &MainWindow::EqvOfState);
  connect(VisBtn, &QPushButton::clicked, this, &MainWindow::Vis);
  connect(FormatBtn, &QPushButton::clicked, this, &MainWindow::FormatTable);
  connect(SaveOptBtn, &QPushButton::clicked, this, &MainWindow::EditSaveOptions);
  connect(SaveBtn, &QPushButton::clicked, this, &MainWindow::Save);
  connect(LoadBtn, &QPushButton::clicked, this, &MainWindow::Load);
  connect(IntegrBtn, &QPushButton::clicked, this, &MainWindow::Integr);
  connect(ExitBtn, &QPushButton::clicked, this, &QWidget::close);
  auto* buttons = new QHBoxLayout;
  for (QPushButton* b :
       {CalculateBtn, InitBtn, EosBtn, VisBtn, FormatBtn, SaveBtn, LoadBtn, IntegrBtn, SaveOptBtn})
    buttons->addWidget(b);
  buttons->addStretch(1);
  buttons->addWidget(ExitBtn);
  return buttons;
}

// The label of the film's equation of state and of the output directory.
QHBoxLayout* MainWindow::BuildLabels() {
  eosLabel_ = new QLabel(this);
  eosLabel_->setObjectName("EosInfo");
  eosLabel_->setToolTip("equation of state of the film");
  dirLabel_ = new QLabel(this);
  dirLabel_->setObjectName("SaveDir");
  dirLabel_->setToolTip("output directory");
  auto* labels = new QHBoxLayout;
  labels->addWidget(eosLabel_, 1);
  labels->addWidget(dirLabel_);

  return labels;
}

// The results table beside the four graphs.
QSplitter* MainWindow::BuildTableAndGraphs() {
  tableModel_ = new ResultsTableModel(app_.table, this);
  TableView = new QTableView(this);
  TableView->setObjectName("Data");
  TableView->setModel(tableModel_);
  TableView->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  TableView->verticalHeader()->setVisible(false);
  TableView->verticalHeader()->setDefaultSectionSize(TableView->fontMetrics().height() + 4);
  TableView->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  TableView->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  TableView->horizontalHeader()->setDefaultSectionSize(
      TableView->fontMetrics().horizontalAdvance("-0.000000E+000") + 8);
  TableView->setSelectionBehavior(QAbstractItemView::SelectRows);
  TableView->setSelectionMode(QAbstractItemView::SingleSelection);
  TableView->setAlternatingRowColors(true);
  TableView->setToolTip("one row per node; cell quantities (n+1/2) stand in the row of node n");
  // A new column layout (another solver class, a loaded profile) widens every column whose
  // title is longer than a number, so that "Ee(n+1/2)[kJ/g]" or "xGr0-x(n+1/2)[nm]" is read
  // in full rather than elided.
  connect(tableModel_, &QAbstractItemModel::modelReset, this, [this] { FitColumnsToTitles(); });
  connect(TableView->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) {
            if (!current.isValid()) return;
            graphs_.SetMarker(app_.session, true, current.row());
            for (TImageFrame* f : frames) f->Redraw();
          });

  auto* graphPanel = new QWidget(this);
  auto* gg = new QGridLayout(graphPanel);
  gg->setContentsMargins(0, 0, 0, 0);
  gg->setSpacing(4);
  const char* names[4] = {"RGraph", "VGraph", "PGraph", "TGraph"};
  for (int i = 0; i < 4; ++i) {
    frames[static_cast<size_t>(i)] = new TImageFrame(graphs_.Graph(i), prompter_, graphPanel);
    frames[static_cast<size_t>(i)]->setObjectName(names[i]);
    frames[static_cast<size_t>(i)]->SetResizeHandler(
        [this, i](int w, int h) { graphs_.SetGraphSize(i, w, h); });
    connect(frames[static_cast<size_t>(i)], &TImageFrame::readout, this,
            [this](const QString& t) { statusBar()->showMessage(t, 3000); });
  }
  // Density top left, velocity bottom left, pressure top right, temperature bottom right.
  gg->addWidget(frames[0], 0, 0);
  gg->addWidget(frames[1], 1, 0);
  gg->addWidget(frames[2], 0, 1);
  gg->addWidget(frames[3], 1, 1);
  auto* splitter = new QSplitter(Qt::Horizontal, this);
  splitter->addWidget(TableView);
  splitter->addWidget(graphPanel);
  splitter->setStretchFactor(0, 2);
  splitter->setStretchFactor(1, 3);
  // Room for the first six columns of the table; the graphs take the rest.
  const int tableWidth = 6 * TableView->horizontalHeader()->defaultSectionSize() + 24;
  splitter->setSizes({tableWidth, 1280 - tableWidth});

  return splitter;
}

void MainWindow::FitColumnsToTitles() {
  QHeaderView* header = TableView->horizontalHeader();
  const int number = header->defaultSectionSize();
  for (int c = 0; c < tableModel_->columnCount(); ++c)
    header->resizeSection(c, std::max(number, header->sectionSizeHint(c)));
}

// File menu: the settings files (the run files of the batch runner).
void MainWindow::BuildMenu() {
  QMenu* file = menuBar()->addMenu("&File");
  SaveSettingsAction = file->addAction("Save settings…");
  OpenSettingsAction = file->addAction("Open settings…");
  SaveSettingsAction->setToolTip("write the settings of every window as a run file");
  OpenSettingsAction->setToolTip("read the settings of every window from a run file");
  connect(SaveSettingsAction, &QAction::triggered, this, &MainWindow::SaveSettingsAs);
  connect(OpenSettingsAction, &QAction::triggered, this, &MainWindow::OpenSettingsFile);
  // A settings file answers the forms' questions itself: that needs the session to ask
  // through a prompter that can be routed to the file's answers.
  OpenSettingsAction->setEnabled(dynamic_cast<RoutedPrompter*>(&app_.session.prompter) != nullptr);
  // The bundled examples, each opened as a settings file; the tooltip is its first line.
  ExamplesMenu = file->addMenu("&Examples");
  ExamplesMenu->setToolTipsVisible(true);
  std::vector<std::filesystem::path> examples;
  std::error_code ec;
  for (const auto& e : std::filesystem::directory_iterator(TARVEX_EXAMPLES_DIR, ec)) {
    if (e.path().extension() == ".toml") examples.push_back(e.path());
  }
  std::sort(examples.begin(), examples.end());
  for (const std::filesystem::path& path : examples) {
    QAction* a = ExamplesMenu->addAction(QString::fromStdString(path.stem().string()));
    std::ifstream in(path);
    std::string first;
    std::getline(in, first);
    if (first.rfind("# ", 0) == 0) a->setToolTip(QString::fromStdString(first.substr(2)));
    a->setEnabled(OpenSettingsAction->isEnabled());
    connect(a, &QAction::triggered, this, [this, path] { OpenSettings(path.string()); });
  }
  if (examples.empty()) ExamplesMenu->setEnabled(false);
  file->addSeparator();
  connect(file->addAction("E&xit"), &QAction::triggered, this, &QWidget::close);
  QMenu* view = menuBar()->addMenu("&View");
  QAction* histories = view->addAction("&Histories…");
  histories->setObjectName("HistoriesAction");
  histories->setToolTip("the time history of the run: any column against time");
  connect(histories, &QAction::triggered, this, &MainWindow::ShowHistories);
  QAction* reflectance = view->addAction("&Reflectance…");
  reflectance->setObjectName("ReflectanceAction");
  reflectance->setToolTip("the film-reflectance model: -dR/R0 of the surface into \"R.dat\"");
  connect(reflectance, &QAction::triggered, this, &MainWindow::ShowReflectance);
}

// Status line: simulated time, speed of the run, output directory.
void MainWindow::BuildStatusLine() {
  timeStatus_ = new QLabel(this);
  timeStatus_->setObjectName("TimeStatus");
  speedStatus_ = new QLabel(this);
  dirStatus_ = new QLabel(this);
  statusBar()->addPermanentWidget(timeStatus_);
  statusBar()->addPermanentWidget(speedStatus_);
  statusBar()->addPermanentWidget(dirStatus_);
}

// The dialogs, in the program's start-up order after the main window, and the result
// files' hooks into this window.
void MainWindow::CreateDialogs() {
  eosDialog_ = new StatEqDialogView(app_.eos, app_.session.eos, prompter_, this);
  eosDialog_->SetTableDialogs(&app_.filmTables, &app_.leftTables);
  {
    // OK composes the film totals with the electron model; NoElEOS without an electron
    // energy shows the thermal-parameter dialog.
    TStatEqContext context;
    context.electron = &app_.session.electron.model;
    context.NoConduct = &app_.session.NoConduct;
    context.openThermal = [this]() -> const ElectronModel* {
      app_.thermParam.FormShow(app_.session.sim.rho0);
      thermDialog_->ShowModel();
      thermDialog_->exec();
      return &app_.session.electron.model;
    };
    eosDialog_->SetOkContext(std::move(context));
  }
  // "Sp&all": the film's spallation criteria; the box shows whether the test is on.
  spallDialog_ = new SpallationDialogView(app_.spallation, prompter_, this);
  spallDialog_->SetEnvSource([this] { return app_.SpallEnv(); });
  spallDialog_->SetOkHandler([this] { return app_.SpallationOk(); });
  eosDialog_->SetSpallHandlers([this] { return spallDialog_->Open(); },
                               [this] { app_.session.SpallOn = false; });
  saveOptions_ = new SaveOptionsView(app_.saveOptions, prompter_, this);
  saveOptions_->SetPreviewTime(
      [this] { return app_.main.TotalTime.StoredValue() + app_.main.dt1.StoredValue(); });
  integralsView_ = new IntegralValuesView(app_.integrals, prompter_, this);
  integralsView_->SetRho0Source([this] { return app_.main.Rho0.StoredValue(); });
  historiesView_ = new HistoriesView(app_.histories, prompter_, this);
  connect(integralsView_, &IntegralValuesView::criticalDensityChanged, this,
          [this] { RefreshDisplay(false); });
  // The result files of a run: pictures of these graphs, the graphs' re-plot, the
  // save-options dialog when a save dialog chose another directory.
  app_.files.SetPictureWriter(MakeGuiPictureWriter());
  app_.files.SetGraphRefresher([this] {
    if (!graphs_.IsSetUp()) return;
    graphs_.Refresh(app_.session);
    for (TImageFrame* f : frames) f->Redraw();
  });
  app_.files.ShowSaveOptions = [this](const std::string& proposedDir) {
    return saveOptions_->Edit(proposedDir);
  };
  qextDialog_ = new QextDialogView(app_.qext, prompter_, this);
  qextDialog_->SetOkHandler([this] { return app_.ApplyQext(); });
  initialDialog_ = new InitialDialogView(app_.initial, prompter_, this);
  initialDialog_->SetEosHandler([this](bool left) { OpenEos(left); });
  // "&Q external" checked: the source dialog with its time controls enabled; the box stays
  // checked only while a source is in force.
  initialDialog_->SetQextHandler([this] {
    app_.qext.QextClicked();
    qextDialog_->ShowModel();
    qextDialog_->AEdit->setFocus();
    const bool ok = qextDialog_->exec() == QDialog::Accepted;
    return ok && SourceDefined(app_.session.laser);
  });
  initialDialog_->SetQextSummary([this] {
    const TQextDialog& q = app_.qext;
    return std::array<std::string, 3>{q.QILabelText(), q.QLabelText(), q.QPrLabelText()};
  });
  thermDialog_ = new ThermParamDialogView(app_.thermParam, prompter_, this);
  thermDialog_->SetOkHandler([this](ElOkSource source) { return app_.ApplyThermParam(source); });
  thermDialog_->SetChoiceHandler([this](const ElChoiceResult& r) { app_.ApplyElectronChoice(r); });
  // "CalcRefr": checked, it opens the reflectance dialog; after its OK the box shows whether
  // "R.dat" is written, after Cancel the box's state decides.
  thermDialog_->SetCalcRefrHandler([this](bool on) {
    bool& calc = app_.session.reflectance.ReflectanceOn;
    if (on && reflectanceDialog_->Open()) return calc;
    calc = on;
    return on;
  });
  thermDialog_->SetNoHandler([this] {
    Session& s = app_.session;
    ElTargets t{s.electron, s.eos.FilmEos, s.switches, s.prompter};
    app_.thermParam.No(t);
  });
  initialDialog_->SetThermParamHandler([this] {
    app_.thermParam.FormShow(app_.session.sim.rho0);
    thermDialog_->ShowModel();
    thermDialog_->exec();
  });
  formatDialog_ = new TNumFormatDialog(this);
  reflectanceDialog_ = new ReflectanceDialogView(
      app_.reflectance, app_.session.reflectance, prompter_,
      [this] { return app_.files.SurfaceCell(); }, this);
  connect(integralsView_, &IntegralValuesView::refractionRequested, this,
          &MainWindow::ShowRefraction);
}

MainWindow::~MainWindow() {
  // The result files hold writers into this window: they go with it.
  app_.files.SetPictureWriter(nullptr);
  app_.files.SetGraphRefresher(nullptr);
  app_.files.ShowSaveOptions = nullptr;
  // The graphs read graphs_, a member of this class that goes before the base class
  // deletes its children: delete the views first.
  delete centralWidget();
  delete tableModel_;
}

ViscosityDialogView* MainWindow::ViscosityDialog() {
  if (viscDialog_ == nullptr) {
    viscDialog_ = new ViscosityDialogView(app_.viscosity, prompter_, this);
    viscDialog_->SetOkHandler([this] { return app_.ApplyViscosityDialog(); });
  }
  return viscDialog_;
}

void MainWindow::ShowFields() {
  for (TRealEdit* e : std::as_const(edits)) e->ShowField();
  const QSignalBlocker b1(DimensionEdit);
  const QSignalBlocker b2(StepDivEdit);
  const QSignalBlocker b3(MnStepDivEdit);
  DimensionEdit->setValue(app_.main.Dimension);
  StepDivEdit->setValue(app_.main.StepDiv);
  MnStepDivEdit->setValue(app_.main.MnStepDiv);
  eosLabel_->setText(QString::fromStdString(app_.main.EosInfo));
  const QString dir = QString::fromStdString(app_.main.SaveDir);
  dirLabel_->setText(dir.isEmpty() ? QStringLiteral("no output directory")
                                   : QStringLiteral("output: %1").arg(dir));
  // Units in the tooltips: the physical ones, or reduced units with a dimensionless EOS.
  const bool physical = PhysicalState();
  for (auto it = edits.begin(); it != edits.end(); ++it) {
    QString u = units_.value(it.key());
    if (u == "length unit") {
      u = LengthUnit(app_);
    } else if (!physical && u != "cm" && u != "L0/v1") {
      u = QStringLiteral("dimensionless EOS: reduced units");
    }
    it.value()->SetQuantity(tips_.value(it.key()), u);
  }
}

bool MainWindow::PhysicalState() const {
  return app_.session.eos.EosScale == 1e5L;
}

void MainWindow::Leave(const std::string& name) {
  app_.main.Leave(name, app_.Context());
  ShowFields();
}

void MainWindow::UpdateButtons() {
  const TMainForm& f = app_.main;
  CalculateBtn->setText(f.CalculateIsBreak ? "X &Break Calc X" : "&Calculate");
  CalculateBtn->setEnabled(f.CalculateEnabled);
  VisBtn->setChecked(f.Vis);
  // While a run goes on only Break, the display and closing act on the state.
  for (QPushButton* b : {InitBtn, EosBtn, VisBtn, FormatBtn, SaveOptBtn, SaveBtn, LoadBtn})
    b->setEnabled(!running_);
  SaveBtn->setEnabled(!running_ && app_.session.StateA != nullptr);
  for (QAction* a : {SaveSettingsAction, OpenSettingsAction}) {
    a->setEnabled(!running_ && (a != OpenSettingsAction ||
                                dynamic_cast<RoutedPrompter*>(&app_.session.prompter) != nullptr));
  }
}

void MainWindow::UpdateStatus(const RunProgress& p, bool force) {
  const qint64 now = runClock_.isValid() ? runClock_.elapsed() : 0;
  if (!force && now - lastStatusMs_ < 100) return;  // at most ten updates a second
  lastStatusMs_ = now;
  // The time of the "t =" field, which a run moves on with the state and which a settings
  // file, a loaded profile or an edit sets before the next run (the bundled films start
  // before the pulse, at t < 0): the status line never shows the end of an earlier run.
  const TNumStringFormat format(TFloatFormat::ffGeneral, 6);
  timeStatus_->setText(
      QStringLiteral("t = %1%2")
          .arg(QString::fromStdString(format.FormatValue(app_.main.TotalTime.StoredValue())),
               PhysicalState() ? " s" : ""));
  const double seconds = static_cast<double>(now) / 1000.0;
  if (running_ && seconds > 0) {
    speedStatus_->setText(
        QStringLiteral("%1 steps/s").arg(static_cast<double>(p.subSteps) / seconds, 0, 'f', 0));
  } else if (!running_) {
    speedStatus_->setText(p.subSteps > 0 ? QStringLiteral("%1 steps").arg(p.subSteps) : QString());
  }
  const QString dir = QString::fromStdString(app_.main.SaveDir);
  dirStatus_->setText(dir.isEmpty() ? QStringLiteral("results not written (no output directory)")
                                    : QStringLiteral("output: %1").arg(dir));
  for (const char* n : {"TotalTime", "TimeLV"}) edits[n]->ShowField();
}

void MainWindow::RefreshDisplay(bool withGraphs) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  app_.files.RefreshDisplay(withGraphs);  // table, integral values, graphs
  tableModel_->Refresh();
  integralsView_->SyncFromModel();
  QApplication::restoreOverrideCursor();
}

ResultFiles::PictureWriter MainWindow::MakeGuiPictureWriter() {
  return [this](const std::string& path, const std::string& caption, bool) {
    std::string error;
    FileWriteResult r;
    if (!SaveResultsPicture(graphs_, path, caption, error)) {
      r.ok = false;
      r.message = error;
    }
    return r;
  };
}

void MainWindow::Calculate() {
  if (running_) {
    app_.main.BreakCalc();
    UpdateButtons();
    return;
  }
  // A field still being typed in counts as left before the run reads it.
  if (auto* e = qobject_cast<TRealEdit*>(QApplication::focusWidget())) {
    Leave(e->objectName().toStdString());
  }
  running_ = true;
  UpdateButtons();
  // From now on the same button breaks the run.
  CalculateBtn->setText("X &Break Calc X");
  runClock_.start();
  lastStatusMs_ = -1000;
  GuiRunHooks hooks(*this);
  lastRun_ = Calculations(app_.session, app_.main, hooks);
  running_ = false;
  ShowFields();
  UpdateButtons();
  UpdateStatus(lastRun_.progress, true);
  FocusForm();
}

void MainWindow::FocusForm() {
  const std::string& f = app_.main.focus;
  if (f == "Calculate") {
    CalculateBtn->setFocus();
  } else if (f == "Init/Shift") {
    InitBtn->setFocus();
  } else if (TRealEdit* e = edits.value(QString::fromStdString(f), nullptr)) {
    e->setFocus();
    e->selectAll();
  }
}

void MainWindow::InitShift() {
  app_.PrepareInitialDialog();
  initialDialog_->SetPhysicalUnits(PhysicalState());
  if (!initialDialog_->Open(false)) return;
  app_.FinishInitialDialog();
  AfterModelChange();
  CalculateBtn->setFocus();
}

void MainWindow::SetUpGraphs() {
  if (app_.session.StateA == nullptr) return;
  if (!graphsAsked_) {
    // The graphs are set up the first time; the question decides their coordinate origin.
    shiftX0_ = prompter_.Ask(kAskShiftGraphX0, AnswerSet::YesNo()) == Answer::Yes;
    graphsAsked_ = true;
  }
  graphs_.SetUp(app_.session, app_.main, shiftX0_);
  frames[0]->setVisible(!graphs_.FrozenGrid());
  frames[1]->setVisible(!graphs_.FrozenGrid());
  frames[2]->setVisible(!graphs_.FrozenGrid());
}

void MainWindow::AfterModelChange() {
  SetUpGraphs();
  ShowFields();
  RefreshDisplay(true);
  UpdateButtons();
  UpdateStatus(lastRun_.progress, true);
}

bool MainWindow::OpenEosDialog(bool left) {
  // A settings file may have switched the test on or off meanwhile.
  app_.eos.SetSpall(app_.session.SpallOn);
  return eosDialog_->Open(left);
}

void MainWindow::OpenEos(bool left) {
  const bool ok = OpenEosDialog(left);
  if (ok && !left) {
    app_.main.EosInfo = app_.eos.FilmInfoLabel();
    initialDialog_->SetPhysicalUnits(PhysicalState());
    ShowFields();
  }
}

void MainWindow::EqvOfState() {
  if (!OpenEosDialog(false)) return;
  app_.main.EosInfo = app_.eos.FilmInfoLabel();
  ShowFields();
  edits["Len"]->setFocus();
}

void MainWindow::Vis() {
  ViscosityDialogView* d = ViscosityDialog();
  app_.viscosity.Open(app_.session.visc, app_.session.eos.EosScale);
  d->ShowModel();
  d->exec();
  UpdateButtons();
}

void MainWindow::FormatTable() {
  if (!formatDialog_->Edit(*app_.main.tableFormat)) return;
  RefreshDisplay(false);  // every number of the table in the new format
}

void MainWindow::EditSaveOptions() {
  if (!saveOptions_->Edit()) return;
  app_.ApplySaveOptions();
  ShowFields();
  UpdateStatus(lastRun_.progress, true);
}

void MainWindow::Save() {
  app_.SaveResults();
  ShowFields();
  UpdateStatus(lastRun_.progress, true);
}

void MainWindow::Load() {
  const std::optional<std::string> path =
      prompter_.ChooseOpenFile("LoadFile", "Data file|*.DAT;*.dat", app_.main.SaveDir);
  if (!path || path->empty()) return;
  LoadFile(*path);
}

bool MainWindow::LoadFile(const std::string& path) {
  const ProfileLoadResult r = app_.LoadProfile(path);
  if (!r) {
    AfterModelChange();  // a refused load changed nothing; the view shows just that
    return false;
  }
  // The loaded state is shown at once; the after-load dialog then adjusts it.
  AfterModelChange();
  initialDialog_->SetPhysicalUnits(PhysicalState());
  const bool ok = initialDialog_->Open(false);
  if (ok) app_.FinishInitialDialog();
  AfterModelChange();
  CalculateBtn->setFocus();
  return ok;
}

void MainWindow::ShowReflectance() {
  reflectanceDialog_->Open();
}

void MainWindow::ShowRefraction() {
  if (refractDialog_ == nullptr) {
    refractDialog_ = new RefractDataView(app_.refract, prompter_, this);
    refractDialog_->SetCalcHandler([this] { return app_.CalcRefraction(); });
    connect(refractDialog_, &RefractDataView::exitRequested, this, [this] {
      refractDialog_->deleteLater();
      refractDialog_ = nullptr;
    });
  }
  refractDialog_->ShowModel();
  if (refractDialog_->exec() == QDialog::Accepted) integralsView_->SyncFromModel();
}

void MainWindow::ShowHistories() {
  app_.histories.SetFile(app_.main.HistoryFileName);
  historiesView_->Reload();
  historiesView_->show();
  historiesView_->raise();
}

void MainWindow::Integr() {
  integralsView_->ShowWindow();
}

void MainWindow::SaveSettingsAs() {
  const std::optional<std::string> path =
      prompter_.ChooseSaveFile("Save settings", "Run file|*.toml", app_.main.SaveDir);
  if (!path || path->empty()) return;
  std::string name = *path;
  if (std::filesystem::path(name).extension().empty()) name += ".toml";
  SaveSettings(name);
}

void MainWindow::OpenSettingsFile() {
  const std::optional<std::string> path =
      prompter_.ChooseOpenFile("Open settings", "Run file|*.toml", app_.main.SaveDir);
  if (!path || path->empty()) return;
  OpenSettings(*path);
}

bool MainWindow::SaveSettings(const std::string& path) {
  const std::string text = runfile::SettingsText(app_, settings_, "the desktop program");
  const FileWriteResult r = WriteFileAtomically(path, text);
  if (!r) {
    prompter_.Inform(r.message, MessageKind::Error);
    return false;
  }
  return true;
}

bool MainWindow::OpenSettings(const std::string& path) {
  // Every refusal names the file, the line and the key (RunFileError::Text).
  auto refuse = [this](const std::string& head, const std::string& detail) {
    prompter_.Inform(head + '\n' + detail, MessageKind::Error);
    return false;
  };
  const runfile::ReadResult read = runfile::ReadRunFile(path);
  if (!read.ok()) {
    std::string text;
    for (const runfile::RunFileError& e : read.errors) {
      if (!text.empty()) text += '\n';
      text += e.Text();
    }
    return refuse("Settings file not read:", text);
  }
  auto* routed = dynamic_cast<RoutedPrompter*>(&app_.session.prompter);
  if (routed == nullptr)
    return refuse("Settings file not applied:", "this window cannot apply settings files");
  // The file is first applied to fresh forms: a file a form refuses leaves this session
  // as it is.
  {
    ScriptedPrompter scratchPrompter;
    AppModel scratch(scratchPrompter);
    const runfile::ApplyResult trial =
        runfile::ApplyRunFile(read.file, scratch, scratchPrompter, app_.main.SaveDir);
    if (!trial.ok()) return refuse("Settings file not applied:", trial.error->Text());
  }
  ScriptedPrompter script;
  routed->Route(&script);
  const runfile::ApplyResult applied =
      runfile::ApplyRunFile(read.file, app_, script, app_.main.SaveDir);
  routed->Route(nullptr);
  AfterModelChange();
  if (!applied.ok()) return refuse("Settings file applied in part:", applied.error->Text());
  settings_ = applied.applied;
  integralsView_->SyncFromModel();
  return true;
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (app_.main.CloseRequest(app_.Context())) {
    event->accept();
  } else {
    UpdateButtons();
    event->ignore();
  }
}

}  // namespace tarvex
