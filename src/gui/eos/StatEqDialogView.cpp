// The equation-of-state dialog view.
#include "gui/eos/StatEqDialogView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "core/eos/EosConductivity.h"
#include "gui/common/RealEdit.h"
#include "gui/eos/TableDialogView.h"

namespace tarvex {

StatEqDialogView::StatEqDialogView(TStatEqDialog& model, EosState& eos, Prompter& prompter,
                                   QWidget* parent)
    : QDialog(parent), model_(model), eos_(eos), prompter_(prompter) {
  setObjectName("StatEqDialog");
  setWindowTitle(TStatEqDialog::kCaption);

  EqType = new QListWidget(this);
  EqType->setObjectName("EqType");
  for (const EosModelInfo& m : EosCatalog()) {
    auto* item = new QListWidgetItem(m.caption, EqType);
    if (!m.Available()) {
      item->setForeground(palette().brush(QPalette::Disabled, QPalette::Text));
      item->setToolTip("not available in this version");
    }
  }
  EqType->setMinimumWidth(150);
  auto* listLabel = new QLabel("&Model", this);
  listLabel->setBuddy(EqType);

  auto* params = new QGroupBox("Parameters", this);
  auto* form = new QFormLayout(params);
  form_ = form;
  // The heat conductivity of the medium: its check box, the options, the constant and T0,
  // and the frame of the "FnT" law.
  auto* kappaBox = new QGroupBox(this);
  auto* kappaForm = new QFormLayout(kappaBox);
  CheckKappa = new QCheckBox("Heat &conductivity of the medium", kappaBox);
  CheckKappa->setObjectName("CheckKappa");
  kappaMultChec = new QCheckBox("&*  kappa T0 / T", kappaBox);
  kappaMultChec->setObjectName("kappaMultChec");
  kappaFnTCheck = new QCheckBox("&FnT  solid / liquid law", kappaBox);
  kappaFnTCheck->setObjectName("kappaFnTCheck");
  auto* kappaOptions = new QHBoxLayout;
  kappaOptions->addWidget(kappaMultChec);
  kappaOptions->addWidget(kappaFnTCheck);
  kappaForm->addRow(CheckKappa);
  kappaForm->addRow(kappaOptions);
  kappaFnTFrame = new QGroupBox("FnT [W/m/K, K]", kappaBox);
  kappaFnTFrame->setObjectName("kappaFnTFrame");
  auto* fntForm = new QFormLayout(kappaFnTFrame);
  for (const EosDialogFieldInfo& f : EosDialogFields()) {
    RealField* field = model_.FieldByName(f.name);
    if (field == nullptr) continue;
    QWidget* parentBox = IsKappaFnTParam(f.name) ? kappaFnTFrame
                         : IsKappaParam(f.name)  ? static_cast<QWidget*>(kappaBox)
                                                 : static_cast<QWidget*>(params);
    QFormLayout* rows = IsKappaFnTParam(f.name) ? fntForm : IsKappaParam(f.name) ? kappaForm : form;
    auto* edit = new TRealEdit(*field, f.name, parentBox);
    edit->SetPrompter(&prompter);
    edit->SetConsumeEnter(false);  // Enter presses OK
    edit->SetQuantity(QString::fromUtf8(f.help).remove(QLatin1Char('`')),
                      QString::fromUtf8(f.unit));
    const QString unit = *f.unit != '\0' ? QStringLiteral(" [%1]").arg(f.unit) : QString();
    rows->addRow(QString::fromUtf8(f.label) + unit, edit);
    fields.insert(f.name, edit);
  }
  kappaForm->addRow(kappaFnTFrame);
  Metal = new QComboBox(this);
  Metal->setObjectName("Metal");
  Metal->setToolTip("material of the chosen model (sets its parameters)");
  form->addRow("Me&tal", Metal);
  TabFiles = new QPushButton("Ta&ble files...", this);
  TabFiles->setObjectName("TabFiles");
  TabFiles->setToolTip("load the table set of \"Table\" and \"Scaled Tab\"");
  TabFiles->setAutoDefault(false);
  TabLabel = new QLabel(this);
  TabLabel->setObjectName("TabLabel");
  auto* tableRow = new QHBoxLayout;
  tableRow->addWidget(TabFiles);
  tableRow->addWidget(TabLabel, 1);
  form->addRow(tableRow);
  connect(TabFiles, &QPushButton::clicked, this, &StatEqDialogView::PressTabFiles);

  NoElEOS = new QCheckBox("&No electron EOS", this);
  NoElEOS->setObjectName("NoElEOS");
  Spall = new QCheckBox("Sp&all", this);
  Spall->setObjectName("Spall");
  InfoLabel = new QLabel(this);
  InfoLabel->setObjectName("InfoLabel");
  Message = new QLabel(this);
  Message->setObjectName("Message");
  Message->setWordWrap(true);
  Message->setStyleSheet("color: #a00000");

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  OkBtn = buttons->button(QDialogButtonBox::Ok);
  OkBtn->setText("&OK");
  buttons->button(QDialogButtonBox::Cancel)->setText("&Cancel");
  connect(buttons, &QDialogButtonBox::accepted, this, &StatEqDialogView::PressOk);
  connect(buttons, &QDialogButtonBox::rejected, this, &StatEqDialogView::PressCancel);

  auto* left = new QVBoxLayout;
  left->addWidget(listLabel);
  left->addWidget(EqType, 1);
  auto* right = new QVBoxLayout;
  right->addWidget(params);
  right->addWidget(kappaBox);
  right->addWidget(NoElEOS);
  right->addWidget(Spall);
  right->addStretch(1);
  auto* top = new QHBoxLayout;
  top->addLayout(left);
  top->addLayout(right, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addWidget(InfoLabel);
  layout->addWidget(Message);
  layout->addWidget(buttons);

  // A model is chosen when its item is selected (click, arrow keys); the current item the
  // list takes on gaining the focus selects nothing, so opening the dialog chooses none.
  connect(EqType, &QListWidget::itemSelectionChanged, this, [this] {
    const QList<QListWidgetItem*> chosen = EqType->selectedItems();
    if (syncing_ || chosen.isEmpty()) return;
    const TStatEqResult r = model_.SelectModel(EqType->row(chosen.front()));
    Message->setText(QString::fromStdString(r.message));
    SyncFromModel();
  });
  connect(Metal, &QComboBox::currentIndexChanged, this, [this](int i) {
    if (syncing_) return;
    model_.SetMetal(i);
    SyncFromModel();
  });
  for (QCheckBox* box : {CheckKappa, kappaMultChec, kappaFnTCheck}) {
    connect(box, &QCheckBox::toggled, this, [this, box](bool on) {
      if (syncing_) return;
      model_.SetCheck(box->objectName().toStdString(), on);
      SyncFromModel();
    });
  }
  connect(NoElEOS, &QCheckBox::toggled, this, [this](bool on) {
    if (!syncing_) ToggleNoElEOS(on);
  });
  connect(Spall, &QCheckBox::toggled, this, [this](bool on) {
    if (!syncing_) PressSpall(on);
  });
  SyncFromModel();
}

void StatEqDialogView::SyncFromModel() {
  syncing_ = true;
  EqType->setCurrentRow(model_.EqType());
  {
    // The materials of the chosen model.
    const QSignalBlocker block(Metal);
    Metal->clear();
    for (const EosPreset& p : model_.Metals()) Metal->addItem(p.name);
    Metal->setCurrentIndex(model_.Metal());
  }
  Metal->setEnabled(model_.Enabled("Metal"));
  CheckKappa->setChecked(model_.CheckKappa());
  kappaMultChec->setChecked(model_.KappaMultCheck());
  kappaFnTCheck->setChecked(model_.KappaFnTCheck());
  kappaMultChec->setEnabled(model_.Enabled("kappaMultChec"));
  kappaFnTCheck->setEnabled(model_.Enabled("kappaFnTCheck"));
  kappaFnTFrame->setVisible(model_.KappaFnTCheck());
  NoElEOS->setChecked(model_.NoElEOS());
  NoElEOS->setVisible(model_.Visible("NoElEOS"));
  Spall->setChecked(model_.Spall());
  Spall->setVisible(model_.Visible("Spall"));
  // The common fields stay in view (disabled where the chosen model does not read them);
  // a field of one model's frame is shown only with that model, labelled with its unit.
  const auto catalog = EosCatalog();
  const EosModelInfo* chosen =
      model_.EqType() >= 0 ? &catalog[static_cast<size_t>(model_.EqType())] : nullptr;
  for (auto it = fields.begin(); it != fields.end(); ++it) {
    const std::string name = it.key().toStdString();
    it.value()->ShowField();
    const bool used = model_.Enabled(name);
    it.value()->setEnabled(used);
    if (EosSharedDialogField(name)) continue;
    form_->setRowVisible(it.value(), used);
    if (!used || chosen == nullptr) continue;
    for (const EosParamInfo& p : chosen->params) {
      if (name != p.name) continue;
      if (auto* label = qobject_cast<QLabel*>(form_->labelForField(it.value()))) {
        const QString unit = *p.unit != '\0' ? QStringLiteral(" [%1]").arg(p.unit) : QString();
        // "Rho0Edit" reads as "Rho0": the control's suffix says nothing to a physicist.
        QString text = QString::fromUtf8(p.name);
        if (text.endsWith(QLatin1String("Edit"))) text.chop(4);
        label->setText(text + unit);
        label->setToolTip(QString::fromUtf8(p.help));
      }
    }
  }
  InfoLabel->setText(QString::fromStdString(model_.InfoLabel()));
  TabFiles->setEnabled(model_.Enabled("TabFiles") && tables_[model_.Left() ? 1 : 0] != nullptr);
  TabLabel->setText("Table: " + QString::fromStdString(model_.TabLabel()));
  syncing_ = false;
}

void StatEqDialogView::FocusControl(const std::string& name) {
  const QString n = QString::fromStdString(name);
  if (TRealEdit* e = fields.value(n, nullptr)) {
    e->setFocus();
    e->selectAll();
  } else if (QWidget* w = findChild<QWidget*>(n)) {
    w->setFocus();
  }
}

bool StatEqDialogView::Open(bool left) {
  model_.SetLeft(left);
  setWindowTitle(QString(TStatEqDialog::kCaption) + (left ? " (substrate)" : " (film)"));
  Message->clear();
  SyncFromModel();
  EqType->setFocus();
  return exec() == QDialog::Accepted;
}

TStatEqContext StatEqDialogView::Context() {
  TStatEqContext c = context_;
  c.prompter = &prompter_;
  return c;
}

void StatEqDialogView::ToggleNoElEOS(bool on) {
  model_.SetNoElEOS(on);
  const bool hasEnergy = context_.electron != nullptr && context_.electron->ElEnergy;
  if (on && !hasEnergy && context_.openThermal) {
    const ElectronModel* em = context_.openThermal();
    model_.SetNoElEOS(em != nullptr && em->ElEnergy);
  }
  SyncFromModel();
}

void StatEqDialogView::PressOk() {
  const TStatEqResult r = model_.Ok(eos_, Context());
  SyncFromModel();
  if (!r) {
    Message->setText(QString::fromStdString(r.message));
    FocusControl(r.focus);
    return;
  }
  Message->clear();
  accept();
}

void StatEqDialogView::PressSpall(bool down) {
  if (!down) {
    model_.SetSpall(false);
    if (spallOff_) spallOff_();
    SyncFromModel();
    return;
  }
  const TStatEqResult r = model_.Ok(eos_, Context());
  if (!r) {
    // No equation of state accepted: no spallation dialog, the box goes up again.
    model_.SetSpall(false);
    SyncFromModel();
    Message->setText(QString::fromStdString(r.message));
    FocusControl(r.focus);
    return;
  }
  Message->clear();
  const bool ok = spallOpen_ && spallOpen_();
  model_.SetSpall(ok);
  if (!ok && spallOff_) spallOff_();
  SyncFromModel();
  accept();
}

void StatEqDialogView::SetTableDialogs(TStatEqTables* film, TStatEqTables* left) {
  tables_[0] = film;
  tables_[1] = left;
  SyncFromModel();
}

void StatEqDialogView::PressTabFiles() {
  const int m = model_.Left() ? 1 : 0;
  if (tables_[m] == nullptr) return;
  if (tableViews_[m] == nullptr) tableViews_[m] = new TableDialogView(*tables_[m], prompter_, this);
  const TStatEqTables::Result r = tableViews_[m]->Open();
  if (r == TStatEqTables::Result::Ok) {
    model_.SetTable(tables_[m]->Table(), tables_[m]->TableFile().string());
    SyncFromModel();
    OkBtn->setFocus();
    return;
  }
  model_.SetTable(nullptr, {});
  SyncFromModel();
}

void StatEqDialogView::PressCancel() {
  model_.Cancel(eos_);
  reject();
}

}  // namespace tarvex
