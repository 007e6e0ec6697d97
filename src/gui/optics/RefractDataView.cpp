// The refractive-data dialog view.
#include "gui/optics/RefractDataView.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "gui/common/RealEdit.h"

namespace tarvex {

namespace {

QString Q(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<int>(s.size()));
}

}  // namespace

RefractDataView::RefractDataView(TRefractData& model, Prompter& prompter, QWidget* parent)
    : QDialog(parent), model_(model), prompter_(prompter) {
  setObjectName("RefractData");
  setWindowTitle(Q(TRefractData::Caption));

  Lambda = new TRealEdit(model_.Lambda, "Lambda", this);
  Lambda->SetPrompter(&prompter_);
  Lambda->SetQuantity("probe wavelength", "nm");
  Lambda->SetConsumeEnter(false);  // Enter presses "Calculate"
  auto* top = new QHBoxLayout;
  auto* label = new QLabel("&Lambda =", this);
  label->setBuddy(Lambda);
  top->addWidget(label);
  top->addWidget(Lambda);
  top->addWidget(new QLabel("nm", this));
  top->addStretch(1);

  Table = new QTableWidget(this);
  Table->setObjectName("RefrOptData");
  Table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Table->verticalHeader()->hide();
  Table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  Table->setToolTip(
      "No: 0 vacuum, then the layers from the surface down, last the bulk; L-x: depth of the "
      "layer's upper face below the initial surface [nm]; rho [g/cm3]; Ti, Te [K]; n + ik: "
      "refractive index");

  Message = new QLabel(this);
  Message->setObjectName("Message");
  Message->setWordWrap(true);
  Message->setStyleSheet("color: #a00000");

  auto* buttons = new QDialogButtonBox(this);
  CalcBtn = new QPushButton(Q(TRefractData::CalcCaption), this);
  CalcBtn->setObjectName("Calc");
  CalcBtn->setDefault(true);
  CloseBtn = new QPushButton(Q(TRefractData::CloseCaption), this);
  CloseBtn->setObjectName("CloseBtn");
  CloseBtn->setAutoDefault(false);
  ExitBtn = new QPushButton(Q(TRefractData::ExitCaption), this);
  ExitBtn->setObjectName("ExitBtn");
  ExitBtn->setAutoDefault(false);
  buttons->addButton(CalcBtn, QDialogButtonBox::ActionRole);
  buttons->addButton(CloseBtn, QDialogButtonBox::ActionRole);
  buttons->addButton(ExitBtn, QDialogButtonBox::ActionRole);
  connect(CalcBtn, &QPushButton::clicked, this, &RefractDataView::PressCalc);
  connect(CloseBtn, &QPushButton::clicked, this, [this] {
    model_.Close();
    hide();
  });
  connect(ExitBtn, &QPushButton::clicked, this, [this] {
    model_.Close();
    reject();
    emit exitRequested();
  });

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(Table, 1);
  layout->addWidget(Message);
  layout->addWidget(buttons);
  resize(560, 360);
  ShowModel();
}

void RefractDataView::ShowModel() {
  Lambda->ShowField();
  const std::vector<RefrOptRow>& rows = model_.RefrOptData;
  Table->clear();
  Table->setColumnCount(static_cast<int>(kRefrOptTitles.size()));
  Table->setRowCount(rows.empty() ? 0 : static_cast<int>(rows.size()) - 1);
  for (size_t c = 0; c < kRefrOptTitles.size(); ++c) {
    Table->setHorizontalHeaderItem(static_cast<int>(c), new QTableWidgetItem(Q(kRefrOptTitles[c])));
  }
  for (size_t r = 1; r < rows.size(); ++r) {
    for (size_t c = 0; c < rows[r].size(); ++c) {
      auto* item = new QTableWidgetItem(QString::fromStdString(rows[r][c]));
      item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      Table->setItem(static_cast<int>(r - 1), static_cast<int>(c), item);
    }
  }
}

void RefractDataView::PressCalc() {
  if (!calc_) return;
  const RefractCalcResult r = calc_();
  ShowModel();
  Message->setText(r.accepted ? QString() : QString::fromStdString(r.reason));
  if (!r.accepted) {
    if (r.focus == "Lambda") {
      Lambda->setFocus();
      Lambda->selectAll();
    }
    return;
  }
  model_.Visible = true;
  accept();
}

}  // namespace tarvex
