// The save-options dialog view.
#include "gui/files/SaveOptionsView.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/common/Prompter.h"

namespace tarvex {

SaveOptionsView::SaveOptionsView(Prompter& prompter, QWidget* parent)
    : QDialog(parent), prompter_(prompter) {
  setObjectName("SaveFileOptions");
  setWindowTitle("SaveFileOptions");
  auto* dirButton = new QPushButton("&Directiry:", this);
  dirButton->setObjectName("DirButton");
  dirButton->setToolTip("folder the result files of a run are written to");
  DirLabel = new QLabel(this);
  DirLabel->setObjectName("DirLabel");
  DirLabel->setMinimumWidth(280);
  DirLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* dirRow = new QHBoxLayout;
  dirRow->addWidget(dirButton);
  dirRow->addWidget(DirLabel, 1);
  auto* format = new QGroupBox("Pictures", this);
  Bmp = new QRadioButton("&BMP", format);
  Jpeg = new QRadioButton("&JPEG", format);
  auto* fl = new QHBoxLayout(format);
  fl->addWidget(Bmp);
  fl->addWidget(Jpeg);
  fl->addStretch(1);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(dirRow);
  layout->addWidget(format);
  layout->addWidget(buttons);
  connect(dirButton, &QPushButton::clicked, this, [this] {
    const std::optional<std::string> d = prompter_.ChooseDirectory("Output directory", dir_);
    if (!d) return;
    dir_ = WithSeparator(*d);
    DirLabel->setText(QString::fromStdString(dir_));
  });
}

std::string SaveOptionsView::WithSeparator(const std::string& dir) {
  if (dir.empty() || dir.back() == '/' || dir.back() == '\\' || dir.back() == ':') return dir;
  return dir + "/";
}

bool SaveOptionsView::Edit(std::string& saveDir, bool& picturesAsJpeg) {
  dir_ = saveDir;
  DirLabel->setText(QString::fromStdString(dir_));
  (picturesAsJpeg ? Jpeg : Bmp)->setChecked(true);
  if (exec() != QDialog::Accepted) return false;
  saveDir = dir_;
  picturesAsJpeg = Jpeg->isChecked();
  return true;
}

}  // namespace tarvex
