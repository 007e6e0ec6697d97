// The laser-source dialog view.
#include "gui/laser/QextDialogView.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/common/Prompter.h"
#include "gui/common/RealEdit.h"

namespace tarvex {

namespace {

// The tooltip of a control: its line for this instance of the dialog (units included).
QString Help(const TQextDialog& model, const char* name) {
  const QextControlInfo* c = TQextDialog::FindControl(name);
  if (c == nullptr) return {};
  return QString::fromUtf8(model.PreHeating() && c->preHelp[0] != '\0' ? c->preHelp : c->help);
}

QLabel* Buddy(const QString& text, QWidget* buddy, QWidget* parent) {
  auto* l = new QLabel(text, parent);
  l->setBuddy(buddy);
  return l;
}

}  // namespace

QextDialogView::QextDialogView(TQextDialog& model, Prompter& prompter, QWidget* parent)
    : QDialog(parent), model_(model), prompter_(prompter) {
  setObjectName(model_.PreHeating() ? "QextPreHeatDialog" : "QextDialog");
  setWindowTitle(TQextDialog::kCaption);

  // "Q = ( &F = [edit] [mJ/cm^2] ) / (d*tau)": the fixed label with the edit in its gap.
  AEdit = AddEdit(model_.AEdit, "AEdit");
  const QString fluence = QString::fromUtf8(TQextDialog::kFluenceLabel);
  const qsizetype gap = fluence.indexOf("  ");
  auto* fluenceRow = new QHBoxLayout;
  fluenceRow->addWidget(Buddy(fluence.left(gap).trimmed(), AEdit, this));
  fluenceRow->addWidget(AEdit);
  fluenceRow->addWidget(new QLabel(fluence.mid(gap).trimmed(), this));
  fluenceRow->addStretch(1);

  timeGroup_ = new QGroupBox(TQextDialog::kTimeGroupCaption, this);
  auto* t = new QGridLayout(timeGroup_);
  tSelect = AddChoice("tSelect");
  tEdit = AddEdit(model_.tEdit, "tEdit");
  t->addWidget(Buddy("ti&me shape", tSelect, timeGroup_), 0, 0);
  t->addWidget(tSelect, 0, 1, 1, 3);
  t->addWidget(Buddy("&tau =", tEdit, timeGroup_), 1, 0);
  t->addWidget(tEdit, 1, 1);
  t->addWidget(new QLabel("[fs]", timeGroup_), 1, 2);
  t->setColumnStretch(3, 1);

  auto* spaceGroup = new QGroupBox(TQextDialog::kSpaceGroupCaption, this);
  auto* s = new QGridLayout(spaceGroup);
  xSelect = AddChoice("xSelect");
  dEdit = AddEdit(model_.dEdit, "dEdit");
  s->addWidget(Buddy("&space shape", xSelect, spaceGroup), 0, 0);
  s->addWidget(xSelect, 0, 1, 1, 3);
  s->addWidget(Buddy("&d =", dEdit, spaceGroup), 1, 0);
  s->addWidget(dEdit, 1, 1);
  s->addWidget(new QLabel("[nm]", spaceGroup), 1, 2);
  s->addWidget(new QLabel(TQextDialog::kSideLabel, spaceGroup), 2, 1, 1, 3);
  s->setColumnStretch(3, 1);

  QFLabel = new QLabel(this);
  QFLabel->setObjectName("QFLabel");
  QFLabel->setToolTip(Help(model_, "QFLabel"));
  QFLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
  PrehtLabel = new QLabel(this);
  PrehtLabel->setObjectName("PrehtLabel");
  PrehtLabel->setToolTip(Help(model_, "PrehtLabel"));
  controls_.insert("QFLabel", QFLabel);
  controls_.insert("PrehtLabel", PrehtLabel);
  Message = new QLabel(this);
  Message->setObjectName("Message");
  Message->setWordWrap(true);
  Message->setStyleSheet("color: #a00000");

  PreHtBtn = new QPushButton("&PreHt", this);
  OkBitBtn = new QPushButton("&OK", this);
  BitBtn2 = new QPushButton("&No", this);
  for (QPushButton* b : {PreHtBtn, OkBitBtn, BitBtn2}) {
    const char* name = b == PreHtBtn ? "PreHtBtn" : b == OkBitBtn ? "OkBitBtn" : "BitBtn2";
    b->setObjectName(name);
    b->setToolTip(Help(model_, name));
    controls_.insert(name, b);
  }
  OkBitBtn->setDefault(true);
  connect(OkBitBtn, &QPushButton::clicked, this, &QextDialogView::PressOk);
  connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
  connect(PreHtBtn, &QPushButton::clicked, this, &QextDialogView::PressPreHt);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(PreHtBtn);
  buttons->addStretch(1);
  buttons->addWidget(OkBitBtn);
  buttons->addWidget(BitBtn2);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fluenceRow);
  layout->addWidget(timeGroup_);
  layout->addWidget(spaceGroup);
  layout->addWidget(QFLabel);
  layout->addWidget(PrehtLabel);
  layout->addWidget(Message);
  layout->addLayout(buttons);
  setTabOrder(AEdit, tSelect);
  setTabOrder(tSelect, tEdit);
  setTabOrder(tEdit, xSelect);
  setTabOrder(xSelect, dEdit);
  setTabOrder(dEdit, PreHtBtn);
  setTabOrder(PreHtBtn, OkBitBtn);
  setTabOrder(OkBitBtn, BitBtn2);
  ShowModel();
}

TRealEdit* QextDialogView::AddEdit(RealField& field, const char* name) {
  auto* e = new TRealEdit(field, name, this);
  e->SetPrompter(&prompter_);
  e->SetQuantity(Help(model_, name), "");
  e->setFixedWidth(e->fontMetrics().horizontalAdvance(QStringLiteral("0.000000000E+000")));
  const std::string n = name;
  connect(e, &TRealEdit::enterPressed, this, [this, n] { EnterIn(n); });
  connect(e, &TRealEdit::left, this, [this, n] {
    if (syncing_) return;
    model_.LeaveField(n);
    ShowModel();
  });
  controls_.insert(name, e);
  return e;
}

QComboBox* QextDialogView::AddChoice(const char* name) {
  auto* c = new QComboBox(this);
  c->setObjectName(name);
  for (const char* item : TQextDialog::ChoiceItems(name)) c->addItem(QString::fromUtf8(item));
  c->setToolTip(Help(model_, name));
  c->installEventFilter(this);
  const std::string n = name;
  connect(c, &QComboBox::activated, this, [this, n](int item) {
    if (syncing_) return;
    model_.SetChoice(n, item);
    ShowModel();
  });
  controls_.insert(name, c);
  return c;
}

QWidget* QextDialogView::Control(const std::string& name) const {
  return controls_.value(QString::fromStdString(name), nullptr);
}

void QextDialogView::ShowModel() {
  syncing_ = true;
  for (TRealEdit* e : {AEdit, tEdit, dEdit}) e->ShowField();
  tSelect->setCurrentIndex(model_.tSelect);
  xSelect->setCurrentIndex(model_.xSelect);
  // The pre-heating instance keeps the main source's time shape and tau, disabled.
  tSelect->setEnabled(model_.Enabled("tSelect"));
  tEdit->setEnabled(model_.Enabled("tEdit"));
  QFLabel->setText(QString::fromStdString(model_.QFLabel));
  PrehtLabel->setText(QString::fromStdString(model_.PrehtLabel));
  PrehtLabel->setVisible(model_.Visible("PrehtLabel"));
  PreHtBtn->setVisible(model_.Visible("PreHtBtn"));
  syncing_ = false;
}

void QextDialogView::FocusName(const std::string& name) {
  QWidget* w = Control(name);
  if (w == nullptr || !w->isVisible() || !w->isEnabled()) w = OkBitBtn;
  w->setFocus();
  if (auto* e = qobject_cast<TRealEdit*>(w)) e->selectAll();
}

void QextDialogView::EnterIn(const std::string& name) {
  const std::string next = model_.EnterPressed(name);
  ShowModel();
  if (next == "OkBitBtn" && name != "dEdit") {
    PressOk();
    return;
  }
  FocusName(next);
}

bool QextDialogView::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && (watched == tSelect || watched == xSelect)) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      EnterIn(watched->objectName().toStdString());
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void QextDialogView::Refused(const TQextResult& r) {
  ShowModel();
  Message->setText(QString::fromStdString(r.message));
  prompter_.Beep(MessageKind::Warning);
  FocusName(r.focus);
}

void QextDialogView::PressOk() {
  Message->clear();
  const TQextResult r = ok_ ? ok_() : TQextResult::Accepted();
  if (!r) {
    Refused(r);
    return;
  }
  ShowModel();
  accept();
}

void QextDialogView::PressPreHt() {
  Message->clear();
  const TQextResult r = model_.PreHtBtnClick();
  if (!r) {
    Refused(r);
    return;
  }
  bool ok = false;
  {
    // The pre-heating instance: its OK only checks its own fields (the source is set by
    // this dialog's OK), so the source record it is given stays untouched.
    TQextDialog& pre = *model_.PreHeatDialog();
    QextDialogView view(pre, prompter_, this);
    view.setWindowTitle(QStringLiteral("%1: PreHt").arg(TQextDialog::kCaption));
    view.SetOkHandler([&pre] {
      LaserSource untouched;
      return pre.OkPressed(untouched);
    });
    view.AEdit->setFocus();
    ok = view.exec() == QDialog::Accepted;
  }
  FocusName(model_.PreHeatClosed(ok));
  ShowModel();
}

}  // namespace tarvex
