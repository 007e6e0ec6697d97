// The table-set dialog view.
#include "gui/eos/TableDialogView.h"

#include <QAbstractTableModel>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace tarvex {

namespace {

// One table page of the model as a grid (the model's cells, edited through it).
class PageModel : public QAbstractTableModel {
 public:
  PageModel(TStatEqTables& model, int32_t page, QObject* parent)
      : QAbstractTableModel(parent), model_(model), page_(page) {}
  int rowCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : model_.RowCount(page_);
  }
  int columnCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : model_.ColCount(page_);
  }
  QVariant data(const QModelIndex& i, int role) const override {
    if (role == Qt::DisplayRole || role == Qt::EditRole) {
      return QString::fromStdString(model_.Cell(page_, i.row(), i.column())).trimmed();
    }
    if (role == Qt::TextAlignmentRole) return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role == Qt::BackgroundRole && (i.row() < 2 || i.column() == 0)) {
      return QColor(0xEE, 0xEE, 0xEE);  // the grid rows and the temperature column
    }
    return {};
  }
  Qt::ItemFlags flags(const QModelIndex& i) const override {
    Qt::ItemFlags f = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (model_.CellEditable(page_, i.row(), i.column())) f |= Qt::ItemIsEditable;
    return f;
  }
  bool setData(const QModelIndex& i, const QVariant& v, int role) override {
    if (role != Qt::EditRole) return false;
    if (!model_.SetCell(page_, i.row(), i.column(), v.toString().toStdString())) return false;
    emit dataChanged(i, i);
    return true;
  }
  QVariant headerData(int section, Qt::Orientation o, int role) const override {
    if (role != Qt::DisplayRole) return {};
    if (o == Qt::Vertical) return section < 2 ? QVariant(QString()) : QVariant(section - 1);
    return section == 0 ? QVariant(QString()) : QVariant(section);
  }

 private:
  TStatEqTables& model_;
  int32_t page_;
};

QString Caption(const std::string& caption) {
  return QString::fromStdString(caption);  // "&Pressu": Qt shows the accelerator mark too
}

}  // namespace

TableDialogView::TableDialogView(TStatEqTables& model, Prompter& prompter, QWidget* parent)
    : QDialog(parent), model_(model), prompter_(prompter) {
  setObjectName("StatEqTables");
  setWindowTitle(TStatEqTables::kCaption);

  Pages = new QTabWidget(this);
  auto* dataPage = new QWidget(Pages);
  Memo = new QPlainTextEdit(dataPage);
  Memo->setObjectName("Memo");
  Memo->setReadOnly(true);
  Memo->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  Memo->setLineWrapMode(QPlainTextEdit::NoWrap);
  Label1 = new QLabel(dataPage);
  Label1->setObjectName("Label1");
  Summary = new QLabel(dataPage);
  Summary->setObjectName("Summary");
  Summary->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  Summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* dataLayout = new QVBoxLayout(dataPage);
  dataLayout->addWidget(Label1);
  dataLayout->addWidget(Memo, 1);
  dataLayout->addWidget(Summary);
  Pages->addTab(dataPage, "Data");

  auto button = [&](const char* text, const char* name) {
    auto* b = new QPushButton(text, this);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
  };
  LoadFileBtn = button("&Load File", "LoadFile");
  ContinueBtn = button("&Continue", "Continue");
  OkBtn = button("OK", "OK");
  ReSetBtn = button("ReSet", "ReSet");
  EditBtn = button("&Edit", "Edit");
  SaveBtn = button("&Save", "Save");
  CancelBtn = button("Cancel", "Cancel");
  connect(LoadFileBtn, &QPushButton::clicked, this, &TableDialogView::PressLoadFile);
  connect(ContinueBtn, &QPushButton::clicked, this, &TableDialogView::PressContinue);
  connect(OkBtn, &QPushButton::clicked, this, &TableDialogView::PressOk);
  connect(ReSetBtn, &QPushButton::clicked, this, &TableDialogView::PressReSet);
  connect(EditBtn, &QPushButton::clicked, this, &TableDialogView::PressEdit);
  connect(SaveBtn, &QPushButton::clicked, this, &TableDialogView::PressSave);
  connect(CancelBtn, &QPushButton::clicked, this, &TableDialogView::PressCancel);

  Message = new QLabel(this);
  Message->setObjectName("Message");
  Message->setWordWrap(true);
  Message->setStyleSheet("color: #a00000");

  auto* buttons = new QHBoxLayout;
  for (QPushButton* b : {LoadFileBtn, ContinueBtn, EditBtn, SaveBtn}) buttons->addWidget(b);
  buttons->addStretch(1);
  for (QPushButton* b : {OkBtn, ReSetBtn, CancelBtn}) buttons->addWidget(b);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Pages, 1);
  layout->addWidget(Message);
  layout->addLayout(buttons);
  resize(760, 520);
  RebuildPages();
  SyncFromModel();
}

void TableDialogView::RebuildPages() {
  while (Pages->count() > 1) {
    QWidget* w = Pages->widget(1);
    Pages->removeTab(1);
    delete w;
  }
  tables_.clear();
  for (int32_t p = 1; p < model_.PageCount(); ++p) {
    auto* view = new QTableView(Pages);
    view->setObjectName(Caption(model_.PageAt(p).caption).remove('&'));
    view->setModel(new PageModel(model_, p, view));
    view->horizontalHeader()->setDefaultSectionSize(104);
    view->verticalHeader()->setDefaultSectionSize(22);
    view->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    // One selection for every page.
    connect(view->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& i) {
              if (syncing_ || !i.isValid()) return;
              model_.Select(i.row(), i.column());
              SyncFromModel();
            });
    Pages->addTab(view, Caption(model_.PageAt(p).caption));
    tables_.push_back(view);
  }
}

void TableDialogView::SyncFromModel() {
  syncing_ = true;
  QStringList memo;
  for (const std::string& l : model_.Memo()) memo << QString::fromStdString(l);
  Memo->setPlainText(memo.join('\n'));
  Label1->setText(QString::fromStdString(model_.Label1()));
  const TStatEqTables::DataFields& d = model_.Fields();
  QString summary;
  if (!d.NT.empty()) {
    summary =
        QStringLiteral("Material %1\nT  %2 .. %3 %4, %5 nodes, %6\nrho %7 .. %8 %9, %10 nodes, %11")
            .arg(QString::fromStdString(d.Material), QString::fromStdString(d.T_ini),
                 QString::fromStdString(d.T_fin), QString::fromStdString(d.T_dim),
                 QString::fromStdString(d.NT), QString::fromStdString(d.TGrid),
                 QString::fromStdString(d.R_ini), QString::fromStdString(d.R_fin),
                 QString::fromStdString(d.R_dim))
            .arg(QString::fromStdString(d.NV), QString::fromStdString(d.VGrid));
  }
  for (const std::string& l : model_.Extremes()) summary += '\n' + QString::fromStdString(l);
  Summary->setText(summary.trimmed());
  for (QTableView* v : tables_) {
    const QModelIndex i = v->model()->index(model_.SelectedRow(), model_.SelectedCol());
    v->selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect);
    v->setEditTriggers(model_.Visible("&Save")
                           ? QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                           : QAbstractItemView::NoEditTriggers);
  }
  LoadFileBtn->setVisible(model_.Visible("&Load File"));
  ContinueBtn->setVisible(model_.Visible("&Continue"));
  OkBtn->setVisible(model_.Visible("OK"));
  ReSetBtn->setVisible(model_.Visible("ReSet"));
  EditBtn->setVisible(model_.Visible("&Edit"));
  SaveBtn->setVisible(model_.Visible("&Save"));
  syncing_ = false;
}

void TableDialogView::Show(const TTablesResult& r) {
  Message->setText(QString::fromStdString(r.message));
  SyncFromModel();
  const QString focus = QString::fromStdString(model_.Focus()).remove('&').remove(' ');
  if (QWidget* w = findChild<QWidget*>(focus)) w->setFocus();
}

TStatEqTables::Result TableDialogView::Open() {
  Message->clear();
  SyncFromModel();
  exec();
  return model_.GetResult();
}

void TableDialogView::PressLoadFile() {
  Show(model_.LoadFile(prompter_));
}

void TableDialogView::PressContinue() {
  const TTablesResult r = model_.Continue(prompter_);
  RebuildPages();
  Show(r);
  if (r && Pages->count() > 1) Pages->setCurrentIndex(1);
}

void TableDialogView::PressOk() {
  const TTablesResult r = model_.Ok();
  if (!r) {
    Show(r);
    return;
  }
  Message->clear();
  accept();
}

void TableDialogView::PressReSet() {
  model_.ReSet();
  done(QDialog::Rejected);
}

void TableDialogView::PressEdit() {
  model_.Edit();
  SyncFromModel();
}

void TableDialogView::PressSave() {
  Show(model_.Save(prompter_));
}

void TableDialogView::PressCancel() {
  model_.Cancel();
  reject();
}

}  // namespace tarvex
