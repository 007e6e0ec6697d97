// The desktop program of the dialog tests: a scripted prompter (also behind the session's
// router, as in the program), the application model and its main window, shown and active.
#pragma once

#include <QDialog>
#include <functional>

#include "GuiTestSupport.h"
#include "core/app/AppModel.h"
#include "gui/common/RoutedPrompter.h"
#include "gui/run/MainWindow.h"
#include "gui/setup/InitialDialogView.h"

namespace tarvex::guitest {

struct Desktop {
  ScriptedQtPrompter prompter;
  RoutedPrompter routed{prompter};
  AppModel app{routed};
  MainWindow window{app, prompter};

  Desktop() {
    prompter.SetMainWindow(&window);
    prompter.Script("Save(print) settings?", Answer::No);
    window.show();
    // Focus changes (and so the leave-field handlers) need the active window.
    QApplication::setActiveWindow(&window);
  }

  // "&Init/Shift", then `open` (a click in the initial-conditions dialog) shows `dialog`,
  // in which `inside` runs; a dialog still open afterwards is closed so that a failed step
  // cannot hang the test. Then the initial-conditions dialog is cancelled.
  template <class View>
  void FromInitialDialog(const std::function<void(InitialDialogView*)>& open, View* dialog,
                         const std::function<void(View*)>& inside) {
    WhileModal(
        [&] {
          InitialDialogView* d = window.InitialDialog();
          WhileModal(
              [&] {
                QApplication::setActiveWindow(dialog);
                inside(dialog);
                if (dialog->isVisible()) dialog->reject();
              },
              [&] { open(d); });
          d->reject();
        },
        [this] { window.InitBtn->click(); });
  }
};

}  // namespace tarvex::guitest
