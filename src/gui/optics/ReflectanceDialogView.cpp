// The film-reflectance dialog view.
#include "gui/optics/ReflectanceDialogView.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <array>

#include "core/common/Prompter.h"
#include "gui/common/RealEdit.h"

namespace tarvex {

namespace {

struct FieldHelp {
  const char* unit;
  const char* quantity;
};

// In the order of Treflectance::FieldNames.
constexpr std::array<FieldHelp, 8> kHelp{{
    {"nm", "probe wavelength"},
    {"nm", "initial film thickness (follows the density: HH rho0/rho)"},
    {"g/cm3", "reference density of the collision-rate fit"},
    {"g/cm3", "initial film density"},
    {"eV", "s-band energy (negative)"},
    {"", "weight of the s-s collisions"},
    {"", "weight of the s-d collisions"},
    {"", "reference reflectance; 0 takes it from the surface on OK"},
}};

}  // namespace

ReflectanceDialogView::ReflectanceDialogView(Treflectance& model, ReflectanceState& state,
                                             Prompter& prompter,
                                             std::function<std::optional<FilmCell>()> cell,
                                             QWidget* parent)
    : QDialog(parent), model_(model), state_(state), prompter_(prompter), cell_(std::move(cell)) {
  setObjectName("reflectance");
  setWindowTitle(QString::fromUtf8(Treflectance::Caption.data(),
                                   static_cast<int>(Treflectance::Caption.size())));
  auto* grid = new QGridLayout;
  TRealEdit* previous = nullptr;
  for (size_t k = 0; k < Treflectance::FieldNames.size(); ++k) {
    const std::string_view n = Treflectance::FieldNames[k];
    const QString name = QString::fromUtf8(n.data(), static_cast<int>(n.size()));
    auto* e = new TRealEdit(*model_.Field(n), name, this);
    e->SetPrompter(&prompter_);
    e->SetQuantity(kHelp[k].quantity, kHelp[k].unit);
    const std::string_view l = Treflectance::FieldLabels[k];
    auto* label = new QLabel(QString::fromUtf8(l.data(), static_cast<int>(l.size())), this);
    label->setBuddy(e);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    const int row = static_cast<int>(k);
    grid->addWidget(label, row, 0);
    grid->addWidget(e, row, 1);
    grid->addWidget(new QLabel(kHelp[k].unit, this), row, 2);
    if (previous != nullptr) previous->SetNextOnEnter(e);
    previous = e;
    fields.insert(name, e);
  }
  Switch = new QLabel(this);
  Switch->setObjectName("Switch");
  Message = new QLabel(this);
  Message->setObjectName("Message");
  Message->setWordWrap(true);
  Message->setStyleSheet("color: #a00000");

  auto* buttons = new QDialogButtonBox(this);
  const auto button = [&](std::string_view caption, const char* name) {
    auto* b =
        new QPushButton(QString::fromUtf8(caption.data(), static_cast<int>(caption.size())), this);
    b->setObjectName(name);
    b->setAutoDefault(false);
    buttons->addButton(b, QDialogButtonBox::ActionRole);
    return b;
  };
  OkBtn = button(Treflectance::OkBtnCaption, "OkBtn");
  OkBtn->setDefault(true);
  R0Btn = button(Treflectance::R0BtnCaption, "R0Btn");
  R0Btn->setToolTip("R0 := the present reflectance of the surface cell");
  CalcBtn = button(Treflectance::CalcBtnCaption, "CalcBtn");
  CalcBtn->setToolTip("-dR/R0 of the surface cell now");
  PrintBtn = button(Treflectance::PrintBtnCaption, "PrintBtn");
  CancelBtn = button("Cancel", "CancelBtn");
  connect(OkBtn, &QPushButton::clicked, this, &ReflectanceDialogView::PressOk);
  connect(R0Btn, &QPushButton::clicked, this, &ReflectanceDialogView::PressSetR0);
  connect(CalcBtn, &QPushButton::clicked, this, &ReflectanceDialogView::PressCalcCurrent);
  connect(PrintBtn, &QPushButton::clicked, this,
          [this] { prompter_.PrintForm(std::string(Treflectance::Caption)); });
  connect(CancelBtn, &QPushButton::clicked, this, [this] {
    model_.Cancel();
    reject();
  });

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(Switch);
  layout->addWidget(Message);
  layout->addWidget(buttons);
  ShowModel();
}

bool ReflectanceDialogView::Open() {
  model_.Open(state_);
  ShowModel();
  Message->clear();
  return exec() == QDialog::Accepted;
}

void ReflectanceDialogView::ShowModel() {
  for (TRealEdit* e : std::as_const(fields)) e->ShowField();
  Switch->setText(state_.ReflectanceOn ? "\"R.dat\" is written after every output interval"
                                       : "\"R.dat\" is not written (R0 = 0)");
}

void ReflectanceDialogView::Show(const TreflectanceResult& r) {
  ShowModel();
  Message->setText(r.accepted ? QString() : QString::fromStdString(r.reason));
  if (!r.accepted && !r.focus.empty()) {
    if (TRealEdit* e = fields.value(QString::fromStdString(r.focus))) {
      e->setFocus();
      e->selectAll();
    }
  }
}

void ReflectanceDialogView::PressOk() {
  const TreflectanceResult r = model_.Ok(state_, cell_ ? cell_() : std::nullopt, prompter_);
  Show(r);
  if (!r.accepted) return;
  if (r.print) prompter_.PrintForm(std::string(Treflectance::Caption));
  accept();
}

void ReflectanceDialogView::PressSetR0() {
  Show(model_.SetR0(state_, cell_ ? cell_() : std::nullopt));
}

void ReflectanceDialogView::PressCalcCurrent() {
  Show(model_.CalcCurrent(state_, cell_ ? cell_() : std::nullopt, prompter_));
}

}  // namespace tarvex
