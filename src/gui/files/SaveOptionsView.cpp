// The save-options dialog view.
#include "gui/files/SaveOptionsView.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "core/common/Prompter.h"
#include "core/files/SaveOptions.h"
#include "gui/common/RealEdit.h"

namespace tarvex {

SaveOptionsView::SaveOptionsView(TSaveFileOptions& model, Prompter& prompter, QWidget* parent)
    : QDialog(parent), model_(model), prompter_(prompter) {
  setObjectName("SaveFileOptions");
  setWindowTitle("SaveFileOptions");

  auto* dirButton = new QPushButton("&Directiry:", this);
  dirButton->setObjectName("DirButton");
  dirButton->setToolTip("folder the result files of a run are written to");
  DirLabel = new QLabel(this);
  DirLabel->setObjectName("DirLabel");
  DirLabel->setMinimumWidth(320);
  DirLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* dirRow = new QHBoxLayout;
  dirRow->addWidget(dirButton);
  dirRow->addWidget(DirLabel, 1);

  // ---- file names ----
  auto* names = new QGroupBox("File names: directory + number + suffix", this);
  auto* nf = new QFormLayout(names);
  Scal = new TRealEdit(model_.Scal, "Scal", names);
  Scal->SetPrompter(&prompter_);
  Scal->SetQuantity("factor applied to the time in a name; 1e12 names times in ps", "");
  AddStr = new QLineEdit(names);
  AddStr->setObjectName("AddStr");
  AddStr->setToolTip("suffix after the number (set with the time factor: ms, mks, ns, ps, fs)");
  auto* scalRow = new QHBoxLayout;
  scalRow->addWidget(Scal, 1);
  auto* addLabel = new QLabel("&Add:", names);
  addLabel->setBuddy(AddStr);
  scalRow->addWidget(addLabel);
  scalRow->addWidget(AddStr, 1);
  auto* nameLabel = new QLabel("&Name: Time *", names);
  nameLabel->setBuddy(Scal);
  nf->addRow(nameLabel, scalRow);

  AutoName = new QRadioButton("&Auto", names);
  AutoName->setObjectName("AutoName");
  AutoName->setToolTip("4 significant digits, the point written as \"p\" (1.5 -> 0001p500)");
  FixedName = new QRadioButton("&Fixed", names);
  FixedName->setObjectName("FixedName");
  FixedName->setToolTip("the number in the style, precision and width below");
  FormatType = new QComboBox(names);
  FormatType->setObjectName("FormatType");
  for (const char* t : kNameFormatTypes) FormatType->addItem(t);
  Press = new QSpinBox(names);
  Press->setObjectName("Press");
  Press->setRange(TSaveFileOptions::kPressMin, TSaveFileOptions::kPressMax);
  Press->setToolTip("precision (digits)");
  FWidth = new QSpinBox(names);
  FWidth->setObjectName("FWidth");
  FWidth->setRange(0, TSaveFileOptions::kFWidthMax);
  FWidth->setToolTip("width of the number (leading blanks become 0)");
  auto* formatRow = new QHBoxLayout;
  formatRow->addWidget(AutoName);
  formatRow->addWidget(FixedName);
  formatRow->addWidget(FormatType);
  formatRow->addWidget(new QLabel("precision", names));
  formatRow->addWidget(Press);
  formatRow->addWidget(new QLabel("width", names));
  formatRow->addWidget(FWidth);
  formatRow->addStretch(1);
  nf->addRow("Format:", formatRow);
  Preview = new QLabel(names);
  Preview->setObjectName("Preview");
  Preview->setTextInteractionFlags(Qt::TextSelectableByMouse);
  nf->addRow("Next set:", Preview);

  auto* format = new QGroupBox("Pictures", this);
  Bmp = new QRadioButton("&BMP", format);
  Jpeg = new QRadioButton("&JPEG", format);
  auto* fl = new QHBoxLayout(format);
  fl->addWidget(Bmp);
  fl->addWidget(Jpeg);
  fl->addStretch(1);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  // A suffix that cannot stand in a file name keeps the dialog open with the focus on it.
  connect(buttons, &QDialogButtonBox::accepted, this, [this] {
    if (!NameSuffixRefusal(model_.AddStr).empty()) {
      AddStr->setFocus();
      AddStr->selectAll();
      return;
    }
    accept();
  });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(dirRow);
  layout->addWidget(names);
  layout->addWidget(format);
  layout->addWidget(buttons);

  connect(dirButton, &QPushButton::clicked, this, [this] {
    if (model_.DirButton(prompter_)) SyncFromModel();
  });
  connect(Scal, &TRealEdit::left, this, [this] {
    model_.LeaveScal();
    SyncFromModel();
  });
  connect(Scal, &TRealEdit::enterPressed, this, [this] {
    model_.LeaveScal();
    SyncFromModel();
  });
  connect(AddStr, &QLineEdit::textEdited, this, [this](const QString& t) {
    model_.AddStr = t.toStdString();
    UpdatePreview();
  });
  connect(AutoName, &QRadioButton::toggled, this, [this](bool on) {
    if (syncing_) return;
    model_.RadioGroup1 = on ? kNameAuto : kNameFixed;
    SyncFromModel();
  });
  connect(FormatType, &QComboBox::currentIndexChanged, this, [this](int i) {
    if (syncing_) return;
    model_.FormatType = i;
    UpdatePreview();
  });
  connect(Press, &QSpinBox::valueChanged, this, [this](int v) {
    if (syncing_) return;
    model_.SetPress(v);
    UpdatePreview();
  });
  connect(FWidth, &QSpinBox::valueChanged, this, [this](int v) {
    if (syncing_) return;
    model_.SetFWidth(v);
    UpdatePreview();
  });
  connect(Jpeg, &QRadioButton::toggled, this, [this](bool on) {
    if (syncing_) return;
    model_.GraphType = on ? kGraphJpeg : kGraphBmp;
    UpdatePreview();
  });
}

void SaveOptionsView::SyncFromModel() {
  syncing_ = true;
  DirLabel->setText(model_.SaveDir.empty() ? QStringLiteral("(none: results are not written)")
                                           : QString::fromStdString(model_.SaveDir));
  Scal->ShowField();
  AddStr->setText(QString::fromStdString(model_.AddStr));
  (model_.RadioGroup1 == kNameAuto ? AutoName : FixedName)->setChecked(true);
  FormatType->setCurrentIndex(model_.FormatType);
  Press->setValue(model_.Press);
  FWidth->setValue(model_.FWidth);
  const bool fixed = model_.RadioGroup1 == kNameFixed;
  for (QWidget* w : {static_cast<QWidget*>(FormatType), static_cast<QWidget*>(Press),
                     static_cast<QWidget*>(FWidth)})
    w->setEnabled(fixed);
  (model_.PicturesAsJpeg() ? Jpeg : Bmp)->setChecked(true);
  syncing_ = false;
  UpdatePreview();
}

void SaveOptionsView::UpdatePreview() {
  const Real t = previewTime_ ? previewTime_() : 0;
  const std::string name = model_.MakeOutputName(t);
  Preview->setText(
      QStringLiteral("%1  (.DAT, .TXT, %2)")
          .arg(QString::fromStdString(name), model_.PicturesAsJpeg() ? ".jpg" : ".BMP"));
}

bool SaveOptionsView::Edit(const std::string& proposedDir) {
  const TSaveFileOptions before = model_;
  if (!proposedDir.empty()) model_.SaveDir = WithTrailingSeparator(proposedDir);
  SyncFromModel();
  Scal->setFocus();
  if (exec() == QDialog::Accepted) return true;
  model_ = before;
  SyncFromModel();
  return false;
}

}  // namespace tarvex
