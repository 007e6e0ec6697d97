// The artificial-viscosity dialog view.
#include "gui/hydro/ViscosityDialogView.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "gui/common/RealEdit.h"

namespace tarvex {

ViscosityDialogView::ViscosityDialogView(TViscosityDialogModel& model, Prompter& prompter,
                                         QWidget* parent)
    : QDialog(parent), model_(model) {
  setObjectName("ViscosityDialog");
  setWindowTitle(QString::fromUtf8(TViscosityDialogModel::Caption.data(),
                                   static_cast<qsizetype>(TViscosityDialogModel::Caption.size())));
  auto* group = new QGroupBox("Kind", this);
  auto* row = new QHBoxLayout(group);
  ViscType = new QButtonGroup(this);
  const char* tips[] = {"no artificial viscosity", "symmetric quadratic viscosity",
                        "local quadratic viscosity", "viscosity only in the limiter"};
  for (int i = 0; i < static_cast<int>(TViscosityDialogModel::ViscTypeItems.size()); ++i) {
    const std::string_view item = TViscosityDialogModel::ViscTypeItems[static_cast<size_t>(i)];
    auto* b = new QRadioButton(QString::fromUtf8(item.data(), static_cast<qsizetype>(item.size())),
                               group);
    b->setToolTip(tips[i]);
    ViscType->addButton(b, i);
    row->addWidget(b);
  }
  ViscMult = new TRealEdit(model_.ViscMult, "ViscMult", this);
  ViscMult->SetPrompter(&prompter);
  ViscMult->SetConsumeEnter(false);
  ViscMult->SetQuantity("quadratic viscosity coefficient Cq (dimensionless, >= 0)", "");
  auto* label = new QLabel(
      QString::fromUtf8(TViscosityDialogModel::ViscMultLabel.data(),
                        static_cast<qsizetype>(TViscosityDialogModel::ViscMultLabel.size())),
      this);
  label->setBuddy(ViscMult);
  auto* valueRow = new QHBoxLayout;
  valueRow->addWidget(label);
  valueRow->addWidget(ViscMult, 1);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setText("&OK");
  connect(buttons, &QDialogButtonBox::accepted, this, &ViscosityDialogView::PressOk);
  connect(buttons, &QDialogButtonBox::rejected, this, [this] {
    model_.Cancel();
    reject();
  });
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  layout->addLayout(valueRow);
  layout->addWidget(buttons);
  connect(ViscType, &QButtonGroup::idClicked, this, [this](int id) { model_.ViscType = id; });
}

void ViscosityDialogView::ShowModel() {
  if (QAbstractButton* b = ViscType->button(model_.ViscType)) b->setChecked(true);
  ViscMult->ShowField();
}

void ViscosityDialogView::PressOk() {
  const ViscosityDialogResult r = ok_ ? ok_() : ViscosityDialogResult{true, {}, 0};
  if (!r.accepted) {
    ViscMult->ShowField();
    ViscMult->setFocus();
    ViscMult->selectAll();
    return;
  }
  accept();
}

}  // namespace tarvex
