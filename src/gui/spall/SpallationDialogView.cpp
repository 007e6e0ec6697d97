// The spallation dialog view.
#include "gui/spall/SpallationDialogView.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>
#include <vector>

#include "core/common/Prompter.h"
#include "gui/common/RealEdit.h"

namespace tarvex {

namespace {

const TSpallFieldInfo& Info(const char* name) {
  return *FindSpallField(name);
}

// What a blank item of the material list stands for (its caption stays empty).
QString BlankItemHelp(const TSpallPreset& p) {
  if (!p.defined) return QStringLiteral("no preset: choosing it changes nothing");
  return p.sigmaRhoT ? QStringLiteral("gold, surface tension sigma(rho,Ti), p_liq = p_sol")
                     : QString();
}

}  // namespace

SpallationDialogView::SpallationDialogView(TSpallation& model, Prompter& prompter, QWidget* parent)
    : QDialog(parent), model_(model), prompter_(prompter) {
  setObjectName("SpallationDialog");
  setWindowTitle(TSpallation::kCaption);

  // A row of a grid: caption (right-aligned, the edit its buddy), edit, unit.
  const auto row = [this](QGridLayout* g, int r, int c, const char* name) {
    const TSpallFieldInfo& f = Info(name);
    TRealEdit* e = AddEdit(f);
    auto* label = new QLabel(QString::fromUtf8(f.caption), e->parentWidget());
    label->setBuddy(e);
    label->setToolTip(QString::fromUtf8(f.help));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* unit = new QLabel(QString::fromUtf8(f.unit), e->parentWidget());
    g->addWidget(label, r, c);
    g->addWidget(e, r, c + 1);
    g->addWidget(unit, r, c + 2);
    rows_.insert(name, {label, e, unit});
  };

  // ---- the criteria ----
  auto* criteria = new QGroupBox("Criteria", this);
  auto* cl = new QVBoxLayout(criteria);
  for (const char* name : {"CheckNucl", "CheckSpall", "CheckPliq", "CheckPsol", "CheckSol"})
    cl->addWidget(AddCheck(Info(name)));
  cl->addStretch(1);

  // ---- the time criteria: nucleation and spall time ----
  auto* times = new QGroupBox("Nucleation and spall time", this);
  auto* tg = new QGridLayout(times);
  row(tg, 0, 0, "etaEdit");
  row(tg, 1, 0, "VEdit");
  tg->addWidget(AddCheck(Info("VCalcCheck")), 2, 0, 1, 3);
  row(tg, 3, 0, "CSpall");
  tg->setColumnStretch(3, 1);
  tg->setRowStretch(4, 1);

  // ---- the surface tension ----
  auto* sigma = new QGroupBox("Surface tension", this);
  auto* sg = new QGridLayout(sigma);
  row(sg, 0, 0, "sigma_mEdit");
  row(sg, 1, 0, "TmEdit");
  row(sg, 2, 0, "TcEdit");
  row(sg, 3, 0, "sigma0Edit");
  row(sg, 4, 0, "rho_blEdit");
  RadioGroup1 = new QGroupBox(sigma);
  RadioGroup1->setObjectName("RadioGroup1");
  RadioGroup1->setToolTip(QString::fromUtf8(Info("RadioGroup1").help));
  SigmaT = new QRadioButton(TSpallation::kSigmaModels[0], RadioGroup1);
  SigmaRhoT = new QRadioButton(TSpallation::kSigmaModels[1], RadioGroup1);
  SigmaT->setToolTip("sigma(T) = sigma0 (1 - T/Tc)^1.25");
  SigmaRhoT->setToolTip("surface tension of the liquid from its density and energy");
  auto* rg = new QHBoxLayout(RadioGroup1);
  rg->addWidget(SigmaT);
  rg->addWidget(SigmaRhoT);
  rg->addStretch(1);
  sg->addWidget(RadioGroup1, 5, 0, 1, 3);
  row(sg, 6, 0, "sigmaREdit");
  row(sg, 7, 0, "Ei0Edit");
  sg->setColumnStretch(3, 1);
  sg->setRowStretch(8, 1);
  for (QRadioButton* b : {SigmaT, SigmaRhoT}) {
    connect(b, &QRadioButton::clicked, this, [this, b] {
      if (syncing_) return;
      const TSpallResult r = model_.SetSigmaModel(b == SigmaT ? 0 : 1, Env());
      ShowModel();
      if (!r) Refused(r);
    });
  }

  // ---- the materials ----
  Materials = new QListWidget(this);
  Materials->setObjectName("Materials");
  Materials->setToolTip(QString::fromUtf8(Info("Materials").help));
  for (const TSpallPreset& p : SpallMaterials()) {
    auto* item = new QListWidgetItem(QString::fromUtf8(p.name), Materials);
    if (p.name[0] == '\0') item->setToolTip(BlankItemHelp(p));
  }
  Materials->setFixedWidth(Materials->fontMetrics().horizontalAdvance(QStringLiteral("Materials")) +
                           24);
  auto* materialsLabel = new QLabel("&Materials", this);
  materialsLabel->setBuddy(Materials);
  // A preset applies when an item is selected (click, arrow keys); the current item a
  // list takes on gaining the focus selects nothing and so applies nothing.
  connect(Materials, &QListWidget::itemSelectionChanged, this, [this] {
    const QList<QListWidgetItem*> chosen = Materials->selectedItems();
    if (syncing_ || chosen.isEmpty()) return;
    const TSpallResult r = model_.SelectMaterial(Materials->row(chosen.front()), Env());
    ShowModel();
    if (!r) Refused(r);
  });

  // ---- the strength limits and the electrons' share of the pressure ----
  auto* strength = new QGroupBox("Strength limits", this);
  auto* pg = new QGridLayout(strength);
  row(pg, 0, 0, "Pliq0Edit");
  row(pg, 0, 3, "PliqTEdit");
  row(pg, 0, 6, "PliqT2Edit");
  row(pg, 1, 0, "Psol0Edit");
  row(pg, 1, 3, "PsolTEdit");
  row(pg, 1, 6, "PsolT2Edit");
  row(pg, 2, 0, "pTeUEdit");
  row(pg, 2, 3, "pTeDEdit");
  pg->setColumnStretch(9, 1);

  // ---- what a failed cell carries ----
  auto* foam = new QGroupBox("Failed cells", this);
  auto* fg = new QGridLayout(foam);
  fg->addWidget(AddCheck(Info("Foam")), 0, 0);
  row(fg, 0, 1, "Pf");
  row(fg, 0, 4, "Rf");
  row(fg, 0, 7, "Rfc");
  fg->setColumnStretch(10, 1);

  Message = new QLabel(this);
  Message->setObjectName("Message");
  Message->setWordWrap(true);
  Message->setStyleSheet("color: #a00000");

  OkBtn = new QPushButton("OK", this);
  OkBtn->setObjectName("OkBtn");
  OkBtn->setToolTip("Check and keep the criteria; spallation is then tested (Enter)");
  OkBtn->setDefault(true);
  CancelBtn = new QPushButton("Cancel", this);
  CancelBtn->setObjectName("CancelBtn");
  CancelBtn->setToolTip("Close; spallation is not tested (Esc)");
  CancelBtn->setAutoDefault(false);
  connect(OkBtn, &QPushButton::clicked, this, &SpallationDialogView::PressOk);
  connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(OkBtn);
  buttons->addWidget(CancelBtn);

  auto* leftColumn = new QVBoxLayout;
  leftColumn->addWidget(criteria);
  leftColumn->addWidget(times, 1);
  auto* materialsColumn = new QVBoxLayout;
  materialsColumn->addWidget(materialsLabel);
  materialsColumn->addWidget(Materials, 1);
  auto* top = new QHBoxLayout;
  top->addLayout(leftColumn);
  top->addWidget(sigma, 1);
  top->addLayout(materialsColumn);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addWidget(strength);
  layout->addWidget(foam);
  layout->addWidget(Message);
  layout->addLayout(buttons);

  // Tab order: the criteria, their parameters group by group, the list, the buttons.
  std::vector<QWidget*> order;
  for (const char* name : {"CheckNucl", "CheckSpall", "CheckPliq", "CheckPsol", "CheckSol"})
    order.push_back(checks.value(name));
  order.push_back(fields.value("etaEdit"));
  order.push_back(fields.value("VEdit"));
  order.push_back(checks.value("VCalcCheck"));
  order.push_back(fields.value("CSpall"));
  for (const char* name : {"sigma_mEdit", "TmEdit", "TcEdit", "sigma0Edit", "rho_blEdit"})
    order.push_back(fields.value(name));
  order.push_back(SigmaT);
  order.push_back(SigmaRhoT);
  for (const char* name : {"sigmaREdit", "Ei0Edit", "Pliq0Edit", "PliqTEdit", "PliqT2Edit",
                           "Psol0Edit", "PsolTEdit", "PsolT2Edit", "pTeUEdit", "pTeDEdit"})
    order.push_back(fields.value(name));
  order.push_back(checks.value("Foam"));
  for (const char* name : {"Pf", "Rf", "Rfc"}) order.push_back(fields.value(name));
  order.push_back(Materials);
  order.push_back(OkBtn);
  order.push_back(CancelBtn);
  for (size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
  ShowModel();
}

TRealEdit* SpallationDialogView::AddEdit(const TSpallFieldInfo& f) {
  auto* e = new TRealEdit(*model_.FieldByName(f.name), f.name, this);
  e->SetPrompter(&prompter_);
  e->SetConsumeEnter(false);                      // Enter presses OK
  e->SetQuantity(QString::fromUtf8(f.help), "");  // the help names the unit
  e->setFixedWidth(e->fontMetrics().horizontalAdvance(QStringLiteral("-0.00000000E+00")));
  const std::string name = f.name;
  connect(e, &TRealEdit::left, this, [this, name] { Leave(name); });
  fields.insert(f.name, e);
  return e;
}

QCheckBox* SpallationDialogView::AddCheck(const TSpallFieldInfo& f) {
  auto* c = new QCheckBox(QString::fromUtf8(f.caption), this);
  c->setObjectName(f.name);
  c->setToolTip(QString::fromUtf8(f.help));
  const std::string name = f.name;
  connect(c, &QCheckBox::toggled, this, [this, name](bool on) {
    if (syncing_) return;
    const TSpallResult r = model_.SetCheck(name, on);
    ShowModel();
    if (!r.focus.empty()) FocusName(r.focus);  // Foam: on to its strength
  });
  checks.insert(f.name, c);
  return c;
}

QWidget* SpallationDialogView::Control(const std::string& name) const {
  const QString n = QString::fromStdString(name);
  if (TRealEdit* e = fields.value(n, nullptr)) return e;
  if (QCheckBox* c = checks.value(n, nullptr)) return c;
  if (n == "RadioGroup1") return SigmaRhoT->isChecked() ? SigmaRhoT : SigmaT;
  if (n == "Materials") return Materials;
  if (n == "OkBtn") return OkBtn;
  if (n == "CancelBtn") return CancelBtn;
  return nullptr;
}

void SpallationDialogView::ShowModel() {
  syncing_ = true;
  for (auto it = fields.begin(); it != fields.end(); ++it) {
    it.value()->ShowField();
    const bool shown = model_.Visible(it.key().toStdString());
    for (QWidget* w : rows_.value(it.key())) w->setVisible(shown);
  }
  for (auto it = checks.begin(); it != checks.end(); ++it)
    it.value()->setChecked(model_.Check(it.key().toStdString()));
  RadioGroup1->setVisible(model_.Visible("RadioGroup1"));
  SigmaT->setChecked(model_.SigmaModel() == 0);
  SigmaRhoT->setChecked(model_.SigmaModel() == 1);
  {
    const QSignalBlocker block(Materials);
    if (model_.Material() >= 0) {
      Materials->setCurrentRow(model_.Material());
    } else {
      Materials->clearSelection();
    }
  }
  syncing_ = false;
}

void SpallationDialogView::FocusName(const std::string& name) {
  QWidget* w = Control(name);
  if (w == nullptr || !w->isVisibleTo(this) || !w->isEnabled()) w = OkBtn;
  w->setFocus();
  if (auto* e = qobject_cast<TRealEdit*>(w)) e->selectAll();
}

void SpallationDialogView::Refused(const TSpallResult& r) {
  Message->setText(QString::fromStdString(r.message));
  prompter_.Beep(MessageKind::Warning);
  FocusName(r.focus);
}

void SpallationDialogView::Leave(const std::string& name) {
  if (syncing_ || !isVisible()) return;
  const TSpallResult r = model_.LeaveField(name, Env());
  ShowModel();
  if (r) return;
  // The focus is on its way to another control: bring it back once it has arrived.
  Message->setText(QString::fromStdString(r.message));
  prompter_.Beep(MessageKind::Warning);
  QTimer::singleShot(0, this, [this, name] { FocusName(name); });
}

bool SpallationDialogView::Open() {
  model_.FormShow(Env());
  Message->clear();
  ShowModel();
  checks.value("CheckNucl")->setFocus();
  return exec() == QDialog::Accepted;
}

void SpallationDialogView::PressOk() {
  Message->clear();
  // Enter in an edit presses OK with the focus still there: leave the field first, so that
  // what it derives (sigma0 from sigma_m) is in place.
  if (auto* e = qobject_cast<TRealEdit*>(focusWidget());
      e != nullptr && fields.contains(e->objectName())) {
    const TSpallResult left = model_.LeaveField(e->objectName().toStdString(), Env());
    ShowModel();
    if (!left) {
      Refused(left);
      return;
    }
  }
  const TSpallOkResult r = ok_ ? ok_() : TSpallOkResult{};
  ShowModel();
  switch (r.close) {
    case TSpallClose::Open:
      Refused(r.result);
      return;
    case TSpallClose::Cancel:
      reject();
      return;
    case TSpallClose::Ok:
      if (r.print) prompter_.PrintForm(TSpallation::kCaption);
      accept();
      return;
  }
}

}  // namespace tarvex
