// tarvex1l-run: the batch runner's program entry. It installs the interrupt handler,
// creates the headless Qt application the pictures are drawn with (builds with the
// renderer only) and hands the command line to RunMain.
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <iostream>

#include "batch/BatchMain.h"
#include "batch/BatchPictures.h"

namespace {

// The one process-wide variable of the program: a signal handler can reach nothing
// else. The handler only sets it; the run's event processing reads it and presses
// Break, so the interval in progress is finished and written.
std::atomic<bool> breakRequested{false};
static_assert(std::atomic<bool>::is_always_lock_free);

extern "C" void OnInterrupt(int) {
  breakRequested.store(true, std::memory_order_relaxed);
}

void InstallInterruptHandler() {
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  // A second Ctrl-C finds the default action again and ends the program at once.
  action.sa_flags = SA_RESETHAND;
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

}  // namespace

int main(int argc, char** argv) {
  InstallInterruptHandler();
  const tarvex::batch::HeadlessGui gui;
  const bool terminal = isatty(STDERR_FILENO) == 1;
  return tarvex::batch::RunMain(argc, argv, std::cout, std::cerr, terminal, &breakRequested);
}
