// The thermal-parameter dialog on screen, bound to TThermParamDialog: the pages in a list
// (pages not available in this version are listed, disabled, with a tooltip saying so),
// the page shown with its fields, check boxes, material list and the page's own buttons,
// notes and table (the "Spline" page's files and data), and the buttons "&OK",
// "NoConduct", "&No", "Cancel" and "Print". OK and NoConduct go to the handler the owner
// gives (the session's ApplyThermParam); a refusal keeps the dialog open with the focus on
// the field it names, and the dialog closes when the form says so.
#pragma once

#include <QDialog>
#include <QMap>
#include <functional>
#include <string>
#include <vector>

#include "core/electron/ThermParamDialog.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QStackedWidget;
class QTableWidget;

namespace tarvex {

class Prompter;
class TRealEdit;

class ThermParamDialogView : public QDialog {
  Q_OBJECT

 public:
  ThermParamDialogView(TThermParamDialog& model, Prompter& prompter, QWidget* parent = nullptr);

  // Shows the model's page and values.
  void ShowModel();
  // OK and NoConduct: `ok` applies the page shown and reports the form's result.
  void SetOkHandler(std::function<ElOkResult(ElOkSource)> ok) { ok_ = std::move(ok); }
  // "&No": the page's No on the session (then the dialog closes with No).
  void SetNoHandler(std::function<void()> no) { no_ = std::move(no); }
  // A choice in a material list was accepted: what it sets in other dialogs.
  void SetChoiceHandler(std::function<void(const ElChoiceResult&)> h) { choice_ = std::move(h); }
  // "CalcRefr" clicked: `on` the box's new state; returns the state of the reflectance
  // calculation the box then shows (checking it opens the reflectance dialog).
  void SetCalcRefrHandler(std::function<bool(bool on)> h) { calcRefr_ = std::move(h); }
  void PressOk(ElOkSource source);

  // The edit of a field of a page (by page index and field name), nullptr when none.
  TRealEdit* Edit(int32_t page, const std::string& name) const;
  // The control of a name on the page shown.
  QWidget* Control(const std::string& name) const;

  QListWidget* Pages = nullptr;
  QStackedWidget* Stack = nullptr;
  QLabel* Message = nullptr;
  QPushButton* OkBtn = nullptr;
  QPushButton* NoConductBtn = nullptr;
  QPushButton* NoBtn = nullptr;
  QPushButton* CancelBtn = nullptr;
  QPushButton* PrintBtn = nullptr;

 public slots:
  // Cancel and Escape: the dialog's page and inputs return to the last OK, so that the
  // page in force is what the dialog shows (and what saved settings name) next time.
  void reject() override;

 protected:
  // Entering a field runs the form's enter handler.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The widgets of one available page.
  struct PageView {
    TElPageForm* form = nullptr;
    QWidget* widget = nullptr;
    QMap<QString, TRealEdit*> edits;
    QMap<QString, QLabel*> labels;
    QMap<QString, QCheckBox*> checks;
    QMap<QString, QPushButton*> buttons;  // the page's own ("&Init Spline")
    QMap<QString, QLabel*> notes;         // file names and the like
    QTableWidget* grid = nullptr;         // the page's table, when it has one
    QComboBox* materials = nullptr;
  };

  QWidget* BuildPage(int32_t index, PageView& view);
  void ShowPageValues(PageView& view);
  void ChoosePage(int32_t index);
  void ChooseMaterial(int32_t item);
  void PressPageButton(PageView& view, const std::string& name);
  void Print();

  TThermParamDialog& model_;
  Prompter& prompter_;
  std::function<ElOkResult(ElOkSource)> ok_;
  std::function<void()> no_;
  std::function<void(const ElChoiceResult&)> choice_;
  std::function<bool(bool)> calcRefr_;
  std::vector<PageView> pages_;  // by page index; form nullptr for a page not available
  bool syncing_ = false;
};

}  // namespace tarvex
