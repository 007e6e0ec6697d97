// The "Histories" window.
#include "gui/run/HistoriesView.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "core/files/HistoryPlot.h"
#include "gui/plot/GraphWidget.h"

namespace tarvex {

HistoriesView::HistoriesView(THistoryPlot& model, Prompter& prompter, QWidget* parent)
    : QDialog(parent), model_(model) {
  setObjectName("Histories");
  setWindowTitle("Histories");
  setWindowFlag(Qt::Tool);
  setModal(false);

  ColumnCombo = new QComboBox(this);
  ColumnCombo->setObjectName("ColumnCombo");
  ColumnCombo->setToolTip("the column of the time history plotted against the time");
  ColumnCombo->setMinimumContentsLength(16);
  StatusLabel = new QLabel(this);
  StatusLabel->setObjectName("StatusLabel");
  Graph = new TImageFrame(model_.graph, prompter, this);
  Graph->setObjectName("HistoryGraph");

  auto* top = new QHBoxLayout;
  auto* caption = new QLabel("&Column", this);
  caption->setBuddy(ColumnCombo);
  top->addWidget(caption);
  top->addWidget(ColumnCombo);
  top->addWidget(StatusLabel, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(Graph, 1);
  resize(720, 480);

  connect(ColumnCombo, &QComboBox::currentIndexChanged, this, [this](int k) {
    if (k >= 0 && model_.SelectColumn(k)) Graph->Redraw();
  });
}

void HistoriesView::Reload() {
  model_.Reload();
  SyncFromModel();
}

void HistoriesView::SyncFromModel() {
  QStringList titles;
  for (const std::string& t : model_.ColumnTitles()) titles << QString::fromStdString(t);
  QStringList shown;
  for (int k = 0; k < ColumnCombo->count(); ++k) shown << ColumnCombo->itemText(k);
  if (titles != shown) {
    const QSignalBlocker block(ColumnCombo);
    ColumnCombo->clear();
    ColumnCombo->addItems(titles);
  }
  {
    const QSignalBlocker block(ColumnCombo);
    ColumnCombo->setCurrentIndex(titles.isEmpty() ? -1 : model_.Column());
  }
  ColumnCombo->setEnabled(!titles.isEmpty());
  const QString file = QString::fromStdString(model_.File());
  StatusLabel->setText(model_.Error().empty()
                           ? QString("%1: %2 records").arg(file).arg(model_.RecordCount())
                           : QString::fromStdString(model_.Error()));
  Graph->Redraw();
}

}  // namespace tarvex
