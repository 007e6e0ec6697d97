// The thermal-parameter dialog view.
#include "gui/electron/ThermParamDialogView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "core/common/Prompter.h"
#include "core/electron/Materials.h"
#include "gui/common/RealEdit.h"

namespace tarvex {

namespace {

constexpr int kFieldColumns = 3;  // label-edit pairs side by side on a page
constexpr const char* kNotAvailable = "This page is not available in this version";

QString Label(const ElParamInfo& p) {
  QString text = QString::fromUtf8(p.symbol);
  if (p.unit[0] != '\0') text += QStringLiteral(" [%1]").arg(QString::fromUtf8(p.unit));
  return text + " =";
}

QString Tip(const ElParamInfo& p) {
  QString tip = QString::fromUtf8(p.help);
  if (p.unit[0] == '\0') tip += " (dimensionless)";
  if (p.role == ElFieldRole::Display) tip += " (computed)";
  if (p.role == ElFieldRole::Unused) tip += " (not used by the model)";
  return tip;
}

}  // namespace

ThermParamDialogView::ThermParamDialogView(TThermParamDialog& model, Prompter& prompter,
                                           QWidget* parent)
    : QDialog(parent), model_(model), prompter_(prompter) {
  setObjectName("ThermParamDialog");
  setWindowTitle(TThermParamDialog::kCaption);

  Pages = new QListWidget(this);
  Pages->setObjectName("Pages");
  Stack = new QStackedWidget(this);
  const auto infos = ElectronPages();
  pages_.resize(infos.size());
  for (const ElPageInfo& info : infos) {
    auto* item = new QListWidgetItem(QString::fromUtf8(info.caption), Pages);
    PageView& view = pages_[static_cast<size_t>(info.index)];
    view.form = model_.Page(info.index);
    if (view.form == nullptr) {
      // Listed so that the person sees the model exists, but it cannot be chosen.
      item->setFlags(item->flags() & ~(Qt::ItemIsEnabled | Qt::ItemIsSelectable));
      item->setToolTip(kNotAvailable);
      Stack->addWidget(new QWidget(Stack));
      continue;
    }
    item->setToolTip(QString::fromUtf8(info.note));
    Stack->addWidget(BuildPage(info.index, view));
  }
  Pages->setFixedWidth(Pages->sizeHintForColumn(0) + 2 * Pages->frameWidth() + 24);
  connect(Pages, &QListWidget::currentRowChanged, this, [this](int row) {
    if (!syncing_) ChoosePage(row);
  });
  auto* pagesLabel = new QLabel("Pa&ges", this);
  pagesLabel->setBuddy(Pages);
  auto* left = new QVBoxLayout;
  left->addWidget(pagesLabel);
  left->addWidget(Pages, 1);
  auto* top = new QHBoxLayout;
  top->addLayout(left);
  top->addWidget(Stack, 1);

  Message = new QLabel(this);
  Message->setObjectName("Message");
  Message->setWordWrap(true);
  Message->setStyleSheet("color: #a00000");

  OkBtn = new QPushButton("&OK", this);
  OkBtn->setObjectName("OkBtn");
  OkBtn->setDefault(true);
  OkBtn->setToolTip("Install the model of the page shown; heat conduction on");
  NoConductBtn = new QPushButton("NoConduct", this);
  NoConductBtn->setObjectName("NoConductBtn");
  NoConductBtn->setShortcut(QKeySequence("Alt+C"));
  NoConductBtn->setToolTip("Install the model of the page shown without heat conduction (Alt+C)");
  NoBtn = new QPushButton("&No", this);
  NoBtn->setObjectName("NoBtn");
  NoBtn->setToolTip("No electron conductivity");
  CancelBtn = new QPushButton("Cancel", this);
  CancelBtn->setObjectName("CancelBtn");
  CancelBtn->setToolTip("Close; nothing changes (Esc)");
  PrintBtn = new QPushButton("Print", this);
  PrintBtn->setObjectName("PrintBtn");
  PrintBtn->setShortcut(QKeySequence("Alt+P"));
  PrintBtn->setToolTip("Print the dialog (Alt+P)");
  connect(OkBtn, &QPushButton::clicked, this, [this] { PressOk(ElOkSource::OkBtn); });
  connect(NoConductBtn, &QPushButton::clicked, this, [this] { PressOk(ElOkSource::NoConductBtn); });
  connect(NoBtn, &QPushButton::clicked, this, [this] {
    if (no_) no_();
    done(QDialog::Rejected);  // No acted: its changes stay
  });
  connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
  connect(PrintBtn, &QPushButton::clicked, this, &ThermParamDialogView::Print);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(PrintBtn);
  buttons->addStretch(1);
  for (QPushButton* b : {OkBtn, NoConductBtn, NoBtn, CancelBtn}) buttons->addWidget(b);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addWidget(Message);
  layout->addLayout(buttons);
  // Wide enough for every page's columns; the rows of a long page scroll.
  int width = 0;
  for (const PageView& view : pages_) {
    if (auto* scroll = qobject_cast<QScrollArea*>(view.widget)) {
      width = std::max(width, scroll->widget()->sizeHint().width());
    }
  }
  Stack->setMinimumWidth(width + style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 4);
  resize(sizeHint().width(), 640);
  ShowModel();
}

QWidget* ThermParamDialogView::BuildPage(int32_t index, PageView& view) {
  auto* scroll = new QScrollArea(Stack);
  scroll->setWidgetResizable(true);
  auto* page = new QWidget(scroll);
  page->setObjectName(QStringLiteral("page%1").arg(index));
  auto* layout = new QVBoxLayout(page);
  TElPageForm& form = *view.form;

  // The material list: the frames' Materials, the "Simple metall" page's Metals.
  std::vector<const char*> items;
  if (form.Page().frameClass != nullptr) {
    for (const ElMaterialInfo& m : kMaterials) items.push_back(m.name);
  } else if (form.Page().index == model_.SimpleMetall().Page().index) {
    for (const ElMetallInfo& m : kMetalls) items.push_back(m.name);
  }
  if (!items.empty()) {
    view.materials = new QComboBox(page);
    view.materials->setObjectName("Materials");
    view.materials->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    view.materials->setMinimumContentsLength(8);
    view.materials->setPlaceholderText("(none)");
    for (const char* m : items) view.materials->addItem(QString::fromUtf8(m));
    view.materials->setToolTip("Material: presets this page or shows the page of its model");
    connect(view.materials, &QComboBox::activated, this,
            [this](int item) { ChooseMaterial(item); });
    auto* row = new QHBoxLayout;
    auto* label = new QLabel("Ma&terials", page);
    label->setBuddy(view.materials);
    row->addWidget(label);
    row->addWidget(view.materials);
    row->addStretch(1);
    layout->addLayout(row);
  }

  auto* grid = new QGridLayout;
  int k = 0;
  for (const ElParamInfo& p : form.Params()) {
    RealField* field = form.FieldByName(p.name);
    auto* e = new TRealEdit(*field, p.name, page);
    e->SetPrompter(&prompter_);
    e->SetConsumeEnter(false);  // Enter also presses OK
    e->SetQuantity(Tip(p), QString::fromUtf8(p.unit));
    e->setReadOnly(p.role == ElFieldRole::Display);
    e->setMinimumWidth(e->fontMetrics().horizontalAdvance(QStringLiteral("0.000000E+000")));
    const std::string name = p.name;
    TElPageForm* f = &form;
    e->SetUserEditHandler([f, field, name](const std::string& text) {
      field->SetText(text);
      f->FieldChanged(name);
    });
    connect(e, &TRealEdit::left, this, [this, f, name, &view] {
      if (syncing_) return;
      f->LeaveField(name);
      ShowPageValues(view);
    });
    e->installEventFilter(this);
    auto* label = new QLabel(Label(p), page);
    label->setBuddy(e);
    label->setToolTip(e->toolTip());
    grid->addWidget(label, k / kFieldColumns, 2 * (k % kFieldColumns), Qt::AlignRight);
    grid->addWidget(e, k / kFieldColumns, 2 * (k % kFieldColumns) + 1);
    view.edits.insert(p.name, e);
    view.labels.insert(p.name, label);
    ++k;
  }
  for (int c = 0; c < kFieldColumns; ++c) grid->setColumnStretch(2 * c + 1, 1);
  layout->addLayout(grid);

  auto* checks = new QHBoxLayout;
  for (const ElCheckInfo& c : form.Checks()) {
    auto* box = new QCheckBox(QString::fromUtf8(c.caption), page);
    box->setObjectName(c.name);
    box->setToolTip(QString::fromUtf8(c.help));
    const std::string name = c.name;
    TElPageForm* f = &form;
    connect(box, &QCheckBox::clicked, this, [this, f, name, &view, box](bool on) {
      if (syncing_) return;
      if (name == "CalcRefr" && calcRefr_) {
        on = calcRefr_(on);
        box->setChecked(on);
      }
      f->SetCheck(name, on);
      f->CheckChanged(name);
      ShowPageValues(view);
    });
    checks->addWidget(box);
    view.checks.insert(c.name, box);
  }
  checks->addStretch(1);
  layout->addLayout(checks);

  // The page's own buttons, each followed by its note (the file it read), and its table.
  const std::vector<ElNote> notes = form.Notes();
  for (const ElButtonInfo& b : form.Buttons()) {
    auto* button = new QPushButton(QString::fromUtf8(b.caption), page);
    button->setObjectName(b.name);
    button->setToolTip(QString::fromUtf8(b.help));
    const std::string name = b.name;
    connect(button, &QPushButton::clicked, this,
            [this, name, &view] { PressPageButton(view, name); });
    view.buttons.insert(b.name, button);
    auto* row = new QHBoxLayout;
    row->addWidget(button);
    row->addStretch(1);
    layout->addLayout(row);
  }
  for (const ElNote& n : notes) {
    auto* label = new QLabel(page);
    label->setObjectName(QString::fromStdString(n.name));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    view.notes.insert(QString::fromStdString(n.name), label);
    layout->addWidget(label);
  }
  if (const ElGrid g = form.Grid(); !g.titles.empty()) {
    view.grid = new QTableWidget(page);
    view.grid->setObjectName("Data");
    view.grid->setColumnCount(static_cast<int>(g.titles.size()));
    QStringList titles;
    for (const std::string& t : g.titles) titles << QString::fromStdString(t);
    view.grid->setHorizontalHeaderLabels(titles);
    view.grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view.grid->setMinimumHeight(180);
    layout->addWidget(view.grid, 1);
  }
  layout->addStretch(1);
  scroll->setWidget(page);
  view.widget = scroll;
  return scroll;
}

void ThermParamDialogView::ShowPageValues(PageView& view) {
  const bool was = syncing_;
  syncing_ = true;
  TElPageForm& form = *view.form;
  for (auto it = view.edits.begin(); it != view.edits.end(); ++it) {
    const std::string name = it.key().toStdString();
    it.value()->ShowField();
    const bool visible = form.Visible(name);
    it.value()->setVisible(visible);
    view.labels.value(it.key())->setVisible(visible);
  }
  for (auto it = view.checks.begin(); it != view.checks.end(); ++it) {
    it.value()->setChecked(form.Check(it.key().toStdString()).value_or(false));
  }
  if (view.materials != nullptr) view.materials->setCurrentIndex(form.MaterialChoice());
  for (auto it = view.buttons.begin(); it != view.buttons.end(); ++it) {
    it.value()->setVisible(form.ButtonVisible(it.key().toStdString()));
  }
  for (const ElNote& n : form.Notes()) {
    if (QLabel* label = view.notes.value(QString::fromStdString(n.name), nullptr)) {
      label->setText(QString::fromStdString(n.text));
      label->setVisible(n.visible);
    }
  }
  if (view.grid != nullptr) {
    const ElGrid g = form.Grid();
    view.grid->setVisible(g.visible);
    view.grid->setRowCount(static_cast<int>(g.rows.size()));
    for (size_t r = 0; r < g.rows.size(); ++r) {
      for (size_t c = 0; c < g.rows[r].size(); ++c) {
        auto* item = new QTableWidgetItem(QString::fromStdString(g.rows[r][c]));
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        view.grid->setItem(static_cast<int>(r), static_cast<int>(c), item);
      }
    }
    view.grid->resizeColumnsToContents();
  }
  syncing_ = was;
}

void ThermParamDialogView::ShowModel() {
  syncing_ = true;
  const int32_t active = model_.ActivePage();
  Pages->setCurrentRow(active);
  Stack->setCurrentIndex(active);
  for (PageView& view : pages_) {
    if (view.form != nullptr) ShowPageValues(view);
  }
  syncing_ = false;
}

void ThermParamDialogView::ChoosePage(int32_t index) {
  Message->clear();
  const ElChoiceResult r = model_.ShowPage(index);
  if (!r) Message->setText(QString::fromStdString(r.message));
  ShowModel();
}

void ThermParamDialogView::ChooseMaterial(int32_t item) {
  if (syncing_) return;
  Message->clear();
  const ElChoiceResult r = model_.ChooseMaterial(item);
  if (!r) Message->setText(QString::fromStdString(r.message));
  if (r && choice_) choice_(r);
  ShowModel();
}

void ThermParamDialogView::PressPageButton(PageView& view, const std::string& name) {
  if (syncing_) return;
  Message->clear();
  // Errors were shown by the page through the prompter (an error box); the dialog stays.
  const ElButtonResult r = view.form->PressButton(name, prompter_);
  ShowPageValues(view);
  if (!r.focus.empty()) {
    if (QWidget* w = Control(r.focus); w != nullptr && w->isVisible()) w->setFocus();
  }
}

TRealEdit* ThermParamDialogView::Edit(int32_t page, const std::string& name) const {
  if (page < 0 || page >= static_cast<int32_t>(pages_.size())) return nullptr;
  return pages_[static_cast<size_t>(page)].edits.value(QString::fromStdString(name), nullptr);
}

QWidget* ThermParamDialogView::Control(const std::string& name) const {
  const PageView& view = pages_[static_cast<size_t>(model_.ActivePage())];
  const QString n = QString::fromStdString(name);
  if (QWidget* e = view.edits.value(n, nullptr)) return e;
  if (QWidget* c = view.checks.value(n, nullptr)) return c;
  if (QWidget* b = view.buttons.value(n, nullptr)) return b;
  if (name == "Materials") return view.materials;
  return findChild<QPushButton*>(n);
}

void ThermParamDialogView::PressOk(ElOkSource source) {
  Message->clear();
  const ElOkResult r = ok_ ? ok_(source) : ElOkResult{true, true, {}, {}};
  ShowModel();
  if (!r.installed && !r.focus.empty()) {
    Message->setText(QString::fromStdString(r.message));
    prompter_.Beep(MessageKind::Warning);
    if (QWidget* w = Control(r.focus); w != nullptr && w->isVisible()) {
      w->setFocus();
      if (auto* e = qobject_cast<TRealEdit*>(w)) e->selectAll();
    }
    return;
  }
  if (r.closes) accept();
}

bool ThermParamDialogView::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn && !syncing_) {
    if (auto* e = qobject_cast<TRealEdit*>(watched)) {
      PageView& view = pages_[static_cast<size_t>(model_.ActivePage())];
      if (view.form != nullptr && view.edits.contains(e->objectName())) {
        view.form->EnterField(e->objectName().toStdString());
        ShowPageValues(view);
      }
    }
  }
  return QDialog::eventFilter(watched, event);
}

void ThermParamDialogView::Print() {
  // Through the form: the desktop prompter prints the dialog in front, which is this one.
  model_.Print(prompter_);
}

void ThermParamDialogView::reject() {
  model_.Cancel();
  ShowModel();
  QDialog::reject();
}

}  // namespace tarvex
