// The integral-values window.
#include "gui/run/IntegralValuesView.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/run/IntegralValues.h"
#include "gui/common/RealEdit.h"
#include "gui/optics/ComplexEdit.h"

namespace tarvex {

TRealEdit* IntegralValuesView::AddValue(const char* name, const QString& tip) {
  RealField* f = nullptr;
  const QString n = name;
  if (n == "Et") f = &model_.Et;
  if (n == "Ek") f = &model_.Ek;
  if (n == "Es") f = &model_.Es;
  if (n == "Eadd") f = &model_.Eadd;
  if (n == "Ipdt") f = &model_.Ipdt;
  if (n == "Ivdx") f = &model_.Ivdx;
  if (n == "Ei") f = &model_.Ei;
  if (n == "Ee") f = &model_.Ee;
  if (n == "Ed") f = &model_.Ed;
  if (n == "Rho_C") f = &model_.Rho_C;
  if (n == "x_rc") f = &model_.x_rc;
  auto* e = new TRealEdit(*f, n, this);
  e->SetPrompter(&prompter_);
  e->SetQuantity(tip, "");
  e->setMinimumWidth(110);
  // Everything but the critical density is computed from the state.
  e->setReadOnly(n != "Rho_C");
  edits.insert(n, e);
  return e;
}

IntegralValuesView::IntegralValuesView(TIntegralValues& model, Prompter& prompter, QWidget* parent)
    : QDialog(parent), model_(model), prompter_(prompter) {
  setObjectName("IntegrValues");
  setWindowTitle("IntegrValues");
  setWindowFlag(Qt::Tool);
  setModal(false);

  auto* energies = new QGroupBox("Whole target (per unit area; curved grids: whole body)", this);
  auto* ef = new QFormLayout(energies);
  ef->addRow("E&therm", AddValue("Et", "thermal energy, sum of m E"));
  ekRow_ = AddValue("Ek", "kinetic energy, sum of m v^2 / 2");
  ef->addRow("E&kin", ekRow_);
  ef->addRow("E&summ", AddValue("Es", "total energy Etherm + Ekin"));
  ef->addRow("E&add", AddValue("Eadd", "energy added since the accepted initial state"));
  ef->addRow("Int P dt", AddValue("Ipdt", "time integral of the left-boundary pressure"));
  ef->addRow("rho0 Int v dx", AddValue("Ivdx", "momentum, integral of v dm"));

  twoTemperature_ = new QGroupBox("Two temperatures", this);
  auto* tf = new QFormLayout(twoTemperature_);
  tf->addRow("Eion", AddValue("Ei", "ion energy Etherm - Eel"));
  tf->addRow("Eel", AddValue("Ee", "electron energy"));
  tf->addRow("Ed", AddValue("Ed", "energy of the electron-ion disequilibrium"));

  critical_ = new QGroupBox("Critical density", this);
  auto* cf = new QFormLayout(critical_);
  cf->addRow("rho_c [g/cm3]", AddValue("Rho_C", "critical density; 0 hides the position"));
  cf->addRow("x(rho_c)", AddValue("x_rc",
                                  "position of rho_c from the film's left end, "
                                  "in units of x1"));
  RhoCBtn = new QPushButton("&rho_c", this);
  RhoCBtn->setObjectName("RhoCButton");
  RhoCBtn->setToolTip("follow where the density profile rises through rho_c (proposes rho0/3)");

  refraction_ = new QGroupBox("Refraction", this);
  auto* rf = new QFormLayout(refraction_);
  Refr = new TComplexEdit(model_.Refr, "Refr", this);
  Refr->SetPrompter(&prompter_);
  Refr->SetReadOnly(true);
  Refr->setToolTip("reflectance R +_i* phase shift h [nm] of the layered optics");
  rf->addRow("R +i h", Refr);
  RefractionBtn = new QPushButton("Re&fraction", this);
  RefractionBtn->setObjectName("RefractionButton");
  RefractionBtn->setToolTip("the layered optics: reflectance and phase of a probe beam");

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok = buttons->addButton("&Ok", QDialogButtonBox::AcceptRole);
  ok->setObjectName("OkBtn");
  buttons->addButton(RhoCBtn, QDialogButtonBox::ActionRole);
  buttons->addButton(RefractionBtn, QDialogButtonBox::ActionRole);
  connect(RefractionBtn, &QPushButton::clicked, this, &IntegralValuesView::refractionRequested);
  connect(ok, &QPushButton::clicked, this, [this] {
    model_.Visible = false;
    hide();
  });
  connect(RhoCBtn, &QPushButton::clicked, this, [this] {
    model_.RhoCButton(rho0_ ? rho0_() : 0);
    SyncFromModel();
    emit criticalDensityChanged();
  });
  connect(edits["Rho_C"], &TRealEdit::left, this, [this] {
    model_.LeaveRho_C();
    emit criticalDensityChanged();
  });

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(energies);
  layout->addWidget(twoTemperature_);
  layout->addWidget(critical_);
  layout->addWidget(refraction_);
  layout->addWidget(buttons);
  SyncFromModel();
}

void IntegralValuesView::SyncFromModel() {
  for (TRealEdit* e : std::as_const(edits)) {
    if (!e->hasFocus()) e->ShowField();
  }
  ekRow_->setEnabled(model_.EkVisible);
  twoTemperature_->setVisible(model_.T2PanelVisible);
  critical_->setVisible(model_.RCPanelVisible);
  edits["x_rc"]->setEnabled(model_.RCPanelVisible);
  Refr->ShowField();
  refraction_->setVisible(model_.RefrVisible);
}

void IntegralValuesView::ShowWindow() {
  model_.Visible = true;
  SyncFromModel();
  show();
  raise();
}

}  // namespace tarvex
