// The initial-conditions dialog view.
#include "gui/setup/InitialDialogView.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "core/run/ResultsGraphs.h"
#include "gui/common/RealEdit.h"

namespace tarvex {

namespace {

// A label with the accelerator of its caption bound to the control.
QLabel* Buddy(const QString& caption, QWidget* control, QWidget* parent) {
  auto* l = new QLabel(caption, parent);
  l->setBuddy(control);
  return l;
}

}  // namespace

TRealEdit* InitialDialogView::AddEdit(const char* name, const QString& tip, const QString& unit) {
  RealField* field = model_.RealFieldByName(name);
  auto* e = new TRealEdit(*field, name, this);
  e->SetPrompter(&prompter_);
  e->SetQuantity(tip, unit);
  tips_.insert(name, tip);
  units_.insert(name, unit);
  e->setMinimumWidth(90);
  const std::string n = name;
  connect(e, &TRealEdit::enterPressed, this, [this, n] { EnterIn(n); });
  connect(e, &TRealEdit::left, this, [this, n] { Leave(n); });
  edits.insert(name, e);
  controls_.insert(name, e);
  return e;
}

QComboBox* InitialDialogView::AddChoice(const char* name, std::span<const char* const> items,
                                        const QString& tip) {
  auto* c = new QComboBox(this);
  c->setObjectName(name);
  for (const char* item : items) c->addItem(QString(item).remove('&'));
  c->setToolTip(tip);
  const std::string n = name;
  connect(c, &QComboBox::activated, this, [this, n](int i) {
    if (syncing_) return;
    model_.SetInt(n, i);
    SyncFromModel();
  });
  choices_.insert(name, c);
  controls_.insert(name, c);
  return c;
}

QSpinBox* InitialDialogView::AddUpDown(const char* name, const char* key, int lo, int hi,
                                       const QString& tip) {
  auto* s = new QSpinBox(this);
  s->setObjectName(name);
  s->setRange(lo, hi);
  s->setToolTip(tip);
  s->setKeyboardTracking(false);
  const std::string k = key;
  connect(s, &QSpinBox::valueChanged, this, [this, k](int v) {
    if (syncing_) return;
    model_.SetInt(k, v);
    SyncFromModel();
  });
  upDowns_.insert(key, s);
  controls_.insert(name, s);
  return s;
}

QCheckBox* InitialDialogView::AddCheck(const char* name, const QString& caption,
                                       const QString& tip) {
  auto* c = new QCheckBox(caption, this);
  c->setObjectName(name);
  c->setToolTip(tip);
  const std::string n = name;
  connect(c, &QCheckBox::clicked, this, [this, n](bool on) {
    if (syncing_) return;
    if (n == "CheckElast") {
      // The elastic-parameter dialog is not part of this version: the box follows the
      // model's rule for the non-metal flag and otherwise stays as the model keeps it.
      if (!model_.ClickCheckElast()) {
        SyncFromModel();
        return;
      }
      model_.ElasticDialogClosed(std::nullopt);
    } else {
      model_.SetCheck(n, on);
      // Checking "Q external" opens the source dialog; without a source it unchecks.
      if (n == "Qext" && on && qextHandler_ && !qextHandler_()) model_.SetCheck(n, false);
    }
    SyncFromModel();
  });
  checks_.insert(name, c);
  controls_.insert(name, c);
  return c;
}

InitialDialogView::InitialDialogView(TInitional& model, Prompter& prompter, QWidget* parent)
    : QDialog(parent), model_(model), prompter_(prompter) {
  setObjectName("Initional");
  setWindowTitle("Initional");

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(BuildGrid());
  layout->addWidget(BuildFilm());
  layout->addWidget(BuildBoundaries());
  layout->addWidget(BuildTemperatures());
  layout->addWidget(BuildSubstrate());
  layout->addWidget(glassBox_);
  layout->addLayout(BuildOptions());
  Message = new QLabel(this);
  Message->setObjectName("Message");
  Message->setWordWrap(true);
  Message->setStyleSheet("color: #a00000");
  layout->addWidget(Message);
  layout->addLayout(BuildButtons());

  // Enter in a list, up-down, radio or check box walks on like Enter in an edit.
  for (auto it = controls_.begin(); it != controls_.end(); ++it) {
    if (qobject_cast<TRealEdit*>(it.value()) == nullptr && it.value() != OkBtn &&
        qobject_cast<QPushButton*>(it.value()) == nullptr) {
      it.value()->installEventFilter(this);
    }
  }
  tempRadio_->installEventFilter(this);
  SyncFromModel();
}

// Length, length unit, cell count and geometry.
QGroupBox* InitialDialogView::BuildGrid() {
  auto* grid = new QGroupBox("Grid", this);
  auto* g = new QGridLayout(grid);
  TRealEdit* len = AddEdit("Len", "length of the grid (film and substrate)", "length unit");
  TRealEdit* x1 = AddEdit("x1Edit", "length unit: 1e-7 = nm, 1e-4 = mkm", "cm");
  QSpinBox* div = AddUpDown("DimensionEdit", "Dimension", 1, 10000,
                            "total number of cells, film and substrate");
  QSpinBox* dspc =
      AddUpDown("DspcEdit", "DspcUpDown", 1, 3, "geometry: 1 planar, 2 cylindrical, 3 spherical");
  lengthUnit_ = new QLabel(this);
  g->addWidget(Buddy("Init &Length ", len, grid), 0, 0);
  g->addWidget(len, 0, 1);
  g->addWidget(Buddy("* (x1 =", x1, grid), 0, 2);
  g->addWidget(x1, 0, 3);
  g->addWidget(new QLabel("cm)", grid), 0, 4);
  g->addWidget(lengthUnit_, 0, 5);
  g->addWidget(Buddy("Di&v", div, grid), 1, 0);
  g->addWidget(div, 1, 1);
  g->addWidget(Buddy("D sp&c", dspc, grid), 1, 2);
  g->addWidget(dspc, 1, 3);

  connect(x1, &TRealEdit::left, this, [this] { UpdateUnits(); });
  return grid;
}

// The film's density and the profile: initial region, growth and its shape.
QGroupBox* InitialDialogView::BuildFilm() {
  auto* film = new QGroupBox("Film: initial profile", this);
  auto* f = new QGridLayout(film);
  TRealEdit* rho0 = AddEdit("Rho0", "initial film density", "g/cm3");
  radioGroup1_ = new QButtonGroup(this);
  pressRadio_ = new QRadioButton("Press", film);
  pressRadio_->setObjectName("RadioGroup1");
  pressRadio_->setToolTip("the profile prescribes the pressure");
  tempRadio_ = new QRadioButton("Temp", film);
  tempRadio_->setToolTip("the profile prescribes the temperature");
  radioGroup1_->addButton(pressRadio_, kProfilePress);
  radioGroup1_->addButton(tempRadio_, kProfileTemp);
  controls_.insert("RadioGroup1", pressRadio_);
  connect(radioGroup1_, &QButtonGroup::idClicked, this, [this](int id) {
    if (syncing_) return;
    model_.SetInt("RadioGroup1", id);
    SyncFromModel();
  });
  TRealEdit* pini = AddEdit("Pini", "pressure of the initial region", "GPa");
  TRealEdit* tini = AddEdit("Tini", "temperature of the initial region", "K");
  TRealEdit* xf = AddEdit("xf", "end of the initial region", "length unit");
  TRealEdit* pgr = AddEdit("Pgr", "pressure the growth profile reaches", "GPa");
  TRealEdit* tgr = AddEdit("Tgr", "temperature the growth profile reaches", "K");
  QComboBox* gfunc = AddChoice("GrouthFunc", kGrouthFuncItems, "shape of the growth profile");
  TRealEdit* dist = AddEdit("Dist", "growth length (signed)", "length unit");
  f->addWidget(Buddy("Init &rho", rho0, film), 0, 0);
  f->addWidget(rho0, 0, 1);
  auto* radios = new QHBoxLayout;
  radios->addWidget(pressRadio_);
  radios->addWidget(tempRadio_);
  f->addLayout(radios, 0, 2, 1, 2);
  pHeader_ = new QLabel(film);
  tHeader_ = new QLabel(film);
  f->addWidget(pHeader_, 1, 1, Qt::AlignHCenter);
  f->addWidget(tHeader_, 1, 2, Qt::AlignHCenter);
  f->addWidget(Buddy("&Init", pini, film), 2, 0);
  f->addWidget(pini, 2, 1);
  f->addWidget(tini, 2, 2);
  f->addWidget(Buddy("to &x", xf, film), 2, 3);
  f->addWidget(xf, 2, 4);
  f->addWidget(Buddy("&grouth to", pgr, film), 3, 0);
  f->addWidget(pgr, 3, 1);
  f->addWidget(tgr, 3, 2);
  f->addWidget(Buddy("Grouth &func", gfunc, film), 4, 0);
  f->addWidget(gfunc, 4, 1, 1, 2);
  f->addWidget(Buddy("&d ", dist, film), 4, 3);
  f->addWidget(dist, 4, 4);

  return film;
}

// Motion and outer pressure of the ends, their thermal conditions, the right end.
QGroupBox* InitialDialogView::BuildBoundaries() {
  auto* bounds = new QGroupBox("Boundaries", this);
  auto* b = new QGridLayout(bounds);
  QComboBox* move = AddChoice("MoveType", kMoveTypeItems, "motion of the left end");
  TRealEdit* pout = AddEdit("Pout", "outer pressure on the free ends", "GPa");
  QCheckBox* poutMult = AddCheck("PoutMultCheck", "+t*", "outer pressure grows with time");
  TRealEdit* poutRate = AddEdit("PoutMultEdit", "growth rate of the outer pressure", "GPa/s");
  QComboBox* bound0 = AddChoice("Bound0", kBoundItems, "thermal condition at the left end");
  TRealEdit* t0 = AddEdit("T0", "temperature of the left end", "K");
  QComboBox* boundQ = AddChoice("BoundQ", kBoundItems, "thermal condition at the right end");
  TRealEdit* tq = AddEdit("Tq", "temperature of the right end", "K");
  QCheckBox* keepVL = AddCheck("CheckKeepVL", "Keep v(N)", "the right end keeps its velocity");
  QCheckBox* vpp =
      AddCheck("V_PPoutCheck", "(P_Pout)", "with Keep v(N): v(N) = (P(N-1) - Pout) * VL");
  TRealEdit* vl = AddEdit("VL", "velocity coefficient of the right end", "km/s/GPa");
  b->addWidget(Buddy("&Move", move, bounds), 0, 0);
  b->addWidget(move, 0, 1);
  b->addWidget(Buddy("P_out", pout, bounds), 0, 2);
  b->addWidget(pout, 0, 3);
  b->addWidget(poutMult, 0, 4);
  b->addWidget(poutRate, 0, 5);
  b->addWidget(Buddy("0 Bound", bound0, bounds), 1, 0);
  b->addWidget(bound0, 1, 1);
  b->addWidget(t0, 1, 2);
  b->addWidget(Buddy("End Bound", boundQ, bounds), 1, 3);
  b->addWidget(boundQ, 1, 4);
  b->addWidget(tq, 1, 5);
  b->addWidget(keepVL, 2, 0);
  b->addWidget(vpp, 2, 1);
  b->addWidget(Buddy("VL", vl, bounds), 2, 2);
  b->addWidget(vl, 2, 3);

  return bounds;
}

// One temperature or the start of the two-temperature model.
QGroupBox* InitialDialogView::BuildTemperatures() {
  auto* thermal = new QGroupBox("Temperatures", this);
  auto* t = new QGridLayout(thermal);
  QComboBox* profile =
      AddChoice("InitProfile", kInitProfileItems, "one temperature or the two-temperature start");
  TRealEdit* te = AddEdit("TeEdit", "electron temperature", "K");
  QCheckBox* fixTe = AddCheck("FixTe", "FixTe", "electron temperature held fixed");
  t->addWidget(Buddy("Mode&l", profile, thermal), 0, 0);
  t->addWidget(profile, 0, 1);
  t->addWidget(Buddy("Te =", te, thermal), 0, 2);
  t->addWidget(te, 0, 3);
  t->addWidget(fixTe, 0, 4);

  return thermal;
}

// The substrate layer (cells, side, thickness) and its material (glassBox_).
QGroupBox* InitialDialogView::BuildSubstrate() {
  QSpinBox* glassCells = AddUpDown("xShiftDivEdit", "xShiftDiv", 0, 10000,
                                   "number of substrate cells (0: no substrate)");
  QCheckBox* out = AddCheck("CheckOut", "o&ut", "substrate after (right of) the film");
  glassBox_ = new QGroupBox("Substrate material", this);
  auto* s = new QGridLayout(glassBox_);
  TRealEdit* rho0l = AddEdit("rho0l", "initial substrate density", "g/cm3");
  TRealEdit* t0l = AddEdit("T0l", "initial substrate temperature", "K");
  TRealEdit* p0l = AddEdit("P0l", "initial substrate pressure (from its EOS)", "GPa");
  p0l->setReadOnly(true);
  TRealEdit* padh = AddEdit("PadhEdit", "film-substrate adhesion strength", "GPa");
  QCheckBox* qeg =
      AddCheck("QegCheck", "Add Qe-&>g", "electron heat flux from film into substrate");
  auto* eosl = new QPushButton("EOSl", this);
  eosl->setObjectName("EOSlButton");
  eosl->setToolTip("equation of state of the substrate");
  controls_.insert("EOSlButton", eosl);
  connect(eosl, &QPushButton::clicked, this, [this] {
    if (eosHandler_) eosHandler_(true);
    SyncFromModel();
  });
  s->addWidget(Buddy("Init rho", rho0l, glassBox_), 0, 0);
  s->addWidget(rho0l, 0, 1);
  s->addWidget(Buddy("T0l = ", t0l, glassBox_), 0, 2);
  s->addWidget(t0l, 0, 3);
  s->addWidget(Buddy("P0l = ", p0l, glassBox_), 0, 4);
  s->addWidget(p0l, 0, 5);
  s->addWidget(Buddy("Pad&h = ", padh, glassBox_), 1, 0);
  s->addWidget(padh, 1, 1);
  s->addWidget(qeg, 1, 2, 1, 2);
  s->addWidget(eosl, 1, 5);
  auto* layer = new QGroupBox("Substrate layer", this);
  layerBox_ = layer;
  auto* l = new QGridLayout(layer);
  TRealEdit* x0shift = AddEdit("x0Shift", "substrate (added layer) thickness", "length unit");
  TRealEdit* xRight = AddEdit("xRightEdit", "right end of the existing grid", "length unit");
  xRight->setReadOnly(true);
  l->addWidget(Buddy("x&0shift = ", glassCells, layer), 0, 0);
  l->addWidget(glassCells, 0, 1);
  l->addWidget(out, 0, 2);
  x0ShiftLabel_ = Buddy("thickness", x0shift, layer);
  xRightLabel_ = Buddy("right end", xRight, layer);
  l->addWidget(x0ShiftLabel_, 0, 3);
  l->addWidget(x0shift, 0, 4);
  l->addWidget(xRightLabel_, 0, 5);
  l->addWidget(xRight, 0, 6);
  l->setColumnStretch(7, 1);

  return layer;
}

// The solver and source options.
QHBoxLayout* InitialDialogView::BuildOptions() {
  auto* options = new QHBoxLayout;
  options->addWidget(AddCheck("CheckElast", "&Elast", "elastic-plastic solver"));
  options->addWidget(AddCheck("Qext", "&Q external", "laser source on"));
  QILabel = new QLabel(this);
  QILabel->setObjectName("QILabel");
  QLabel_ = new QLabel(this);
  QLabel_->setObjectName("QLabel");
  QPrLabel = new QLabel(this);
  QPrLabel->setObjectName("QPrLabel");
  auto* source = new QVBoxLayout;
  for (QLabel* l : {QILabel, QLabel_, QPrLabel}) {
    l->setToolTip("laser source in force: Q [kW/cm^3], F [mJ/cm^2], d [nm], tau [fs]");
    l->hide();
    source->addWidget(l);
  }
  options->addLayout(source);
  options->addWidget(AddCheck("V00", "V0 to 0", "shift: velocity of node 0 to 0"));
  options->addWidget(AddCheck("x00", "x0 to 0", "shift: coordinate of node 0 to 0"));
  options->addStretch(1);

  return options;
}

// The equation-of-state and thermal buttons, OK, "&Add layer" and Cancel.
QHBoxLayout* InitialDialogView::BuildButtons() {
  StatEqButton = new QPushButton("&EqvOfState", this);
  StatEqButton->setObjectName("StatEqButton");
  StatEqButton->setToolTip("equation of state of the film");
  controls_.insert("StatEqButton", StatEqButton);
  connect(StatEqButton, &QPushButton::clicked, this, [this] {
    if (eosHandler_) eosHandler_(false);
    SyncFromModel();
  });
  auto* therm = new QPushButton("El. Ther&mal Parameters", this);
  therm->setObjectName("ThermParam");
  therm->setToolTip("electron model of the film: heat capacity, conductivity, coupling");
  controls_.insert("ThermParam", therm);
  connect(therm, &QPushButton::clicked, this, [this] {
    if (thermParamHandler_) thermParamHandler_();
    SyncFromModel();
  });
  OkBtn = new QPushButton("&OK", this);
  OkBtn->setObjectName("OkBtn");
  OkBtn->setDefault(true);
  controls_.insert("OkBtn", OkBtn);
  AddLayerBtn = new QPushButton("&Add layer", this);
  AddLayerBtn->setObjectName("AddLayerBtn");
  auto* cancel = new QPushButton("Cancel", this);
  connect(OkBtn, &QPushButton::clicked, this, &InitialDialogView::PressOk);
  connect(AddLayerBtn, &QPushButton::clicked, this, &InitialDialogView::PressOk);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(StatEqButton);
  buttons->addWidget(therm);
  buttons->addStretch(1);
  buttons->addWidget(OkBtn);
  buttons->addWidget(AddLayerBtn);
  buttons->addWidget(cancel);

  return buttons;
}

bool InitialDialogView::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      QString name = watched->objectName();
      if (watched == tempRadio_) name = "RadioGroup1";
      if (auto* spin = qobject_cast<QSpinBox*>(watched)) spin->interpretText();
      EnterIn(name.toStdString());
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

QWidget* InitialDialogView::Control(const std::string& name) const {
  return controls_.value(QString::fromStdString(name), nullptr);
}

void InitialDialogView::SetPhysicalUnits(bool on) {
  physical_ = on;
  UpdateUnits();
}

void InitialDialogView::UpdateUnits() {
  const std::string unit = LengthUnitName(model_.x1Edit.StoredValue());
  lengthUnit_->setText(unit.empty() ? QString()
                                    : QStringLiteral("lengths in %1").arg(unit.c_str()));
  const QString length = unit.empty() ? QStringLiteral("x1 cm") : QString::fromStdString(unit);
  pHeader_->setText(physical_ ? "P [GPa]" : "P");
  tHeader_->setText(physical_ ? "T [K]" : "T");
  for (auto it = edits.begin(); it != edits.end(); ++it) {
    const QString u = units_.value(it.key());
    QString shown = u;
    if (u == "length unit") {
      shown = length;
    } else if (!physical_ && u != "cm") {
      shown = u.isEmpty() ? QString() : QStringLiteral("dimensionless EOS: reduced units");
    }
    it.value()->SetQuantity(tips_.value(it.key()), shown);
  }
}

void InitialDialogView::SyncFromModel() {
  syncing_ = true;
  for (TRealEdit* e : std::as_const(edits)) e->ShowField();
  for (auto it = choices_.begin(); it != choices_.end(); ++it) {
    const std::optional<int32_t> v = model_.IntByName(it.key().toStdString());
    it.value()->setCurrentIndex(v ? *v : -1);
  }
  for (auto it = upDowns_.begin(); it != upDowns_.end(); ++it) {
    const std::optional<int32_t> v = model_.IntByName(it.key().toStdString());
    if (v) it.value()->setValue(*v);
  }
  for (auto it = checks_.begin(); it != checks_.end(); ++it) {
    const std::optional<bool> v = model_.CheckByName(it.key().toStdString());
    if (v) it.value()->setChecked(*v);
  }
  pressRadio_->setText(QString::fromStdString(model_.RadioGroup1Captions[0]));
  tempRadio_->setText(QString::fromStdString(model_.RadioGroup1Captions[1]));
  radioGroup1_->setExclusive(false);
  pressRadio_->setChecked(model_.RadioGroup1 == kProfilePress);
  tempRadio_->setChecked(model_.RadioGroup1 == kProfileTemp);
  radioGroup1_->setExclusive(true);
  choices_["Bound0"]->setEnabled(model_.Bound0Enabled);
  choices_["InitProfile"]->setEnabled(model_.InitProfileEnabled);
  glassBox_->setVisible(model_.GlassFieldsVisible);
  checks_["CheckElast"]->setVisible(model_.CheckElastVisible);
  StatEqButton->setVisible(model_.StatEqButtonVisible);
  AddLayerBtn->setVisible(!model_.StatEqButtonVisible);
  OkBtn->setVisible(model_.StatEqButtonVisible);
  // The thickness and the right end of the grid matter only when a layer is added.
  const bool addLayer = !model_.StatEqButtonVisible;
  for (QWidget* w : {static_cast<QWidget*>(edits["x0Shift"]),
                     static_cast<QWidget*>(edits["xRightEdit"]), x0ShiftLabel_, xRightLabel_})
    w->setVisible(addLayer);
  // The source in force, shown while "Q external" is checked.
  const bool qext = model_.Qext && qextSummary_;
  const std::array<std::string, 3> lines = qext ? qextSummary_() : std::array<std::string, 3>{};
  const std::array<QLabel*, 3> labels{QILabel, QLabel_, QPrLabel};
  for (size_t i = 0; i < labels.size(); ++i) {
    labels[i]->setText(QString::fromStdString(lines[i]));
    labels[i]->setVisible(!lines[i].empty());
  }
  UpdateUnits();
  syncing_ = false;
}

void InitialDialogView::Leave(const std::string& name) {
  if (syncing_) return;
  model_.LeaveField(name);
  SyncFromModel();
}

void InitialDialogView::FocusName(const std::string& name) {
  QWidget* w = Control(name);
  if (w == nullptr || !w->isVisible() || !w->isEnabled()) w = OkBtn;
  w->setFocus(Qt::OtherFocusReason);
  if (auto* e = qobject_cast<TRealEdit*>(w)) e->selectAll();
}

void InitialDialogView::EnterIn(const std::string& name) {
  std::string next = model_.EnterPressed(name);
  // Controls this version does not have ("S&hift existing") pass the walk on.
  for (int guard = 0; guard < 32 && next != "OkBtn" && Control(next) == nullptr; ++guard) {
    next = model_.EnterPressed(next);
  }
  SyncFromModel();
  FocusName(next);
}

void InitialDialogView::PressOk() {
  Message->clear();
  const InitialOkResult r = model_.OkPressed();
  SyncFromModel();
  if (r.accepted) {
    accept();
    return;
  }
  if (!r.message.empty()) Message->setText(QString::fromStdString(r.message));
  if (!r.focus.empty()) FocusName(r.focus);
}

bool InitialDialogView::Open(bool addLayerMode) {
  model_.FormShow(addLayerMode);
  Message->clear();
  SyncFromModel();
  FocusName("Len");
  return exec() == QDialog::Accepted;
}

}  // namespace tarvex
