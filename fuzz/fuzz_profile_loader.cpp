// libFuzzer target: the profile loader. The input is a table file (".DAT"), optionally
// followed by a NUL byte and its header (".TXT"); both are loaded into a session with an
// ideal-gas film, as "LoadFile" does. A refused load says why and changes nothing; an
// accepted one leaves a grid whose coordinates increase.
#include <unistd.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "core/app/AppModel.h"
#include "core/eos/EosBind.h"
#include "core/files/ProfileReader.h"
#include "core/hydro/HydrStat.h"

namespace {

namespace fs = std::filesystem;

void Write(const fs::path& path, std::string_view content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
}

// A directory of this process for the two files, removed at exit.
struct ScratchDir {
  ScratchDir() {
    // Memory-backed when the system has it: every input writes two files.
    const fs::path root =
        fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    path = root / ("tarvex-fuzz-profile-" + std::to_string(getpid()));
    fs::create_directories(path);
  }
  ~ScratchDir() {
    std::error_code ec;
    fs::remove_all(path, ec);
  }
  fs::path path;
};

const fs::path& Dir() {
  static const ScratchDir dir;
  return dir.path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tarvex;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const size_t nul = input.find('\0');
  const fs::path table = Dir() / "0001p500ps.DAT";
  const fs::path header = Dir() / "0001p500ps.TXT";
  Write(table, input.substr(0, nul));
  std::error_code ec;
  fs::remove(header, ec);
  if (nul != std::string_view::npos) Write(header, input.substr(nul + 1));

  ScriptedPrompter prompter;
  prompter.Script("With Thermocond", Answer::No);
  prompter.Script("Data dimension", Answer::Ok);
  prompter.Script(kAskWithoutHeader, Answer::Ok);
  AppModel app(prompter);
  const Real values[] = {1.4L, 1};
  BindEos(app.session.eos, EosMedium::Film, *FindEosModel("ideal_gas"), values);
  const ProfileLoadResult r = app.LoadProfile(table.string(), true);
  if (!r.ok) {
    if (app.session.StateA != nullptr) __builtin_trap();  // a refused load changed the state
    return 0;
  }
  const THydrStat& A = *app.session.StateA;
  for (size_t j = 1; j < A.x.size(); ++j) {
    if (!(A.x[j] > A.x[j - 1])) __builtin_trap();
  }
  // What loaded writes out as a set that loads again to as many cells: a load either
  // fails cleanly or round-trips.
  const int32_t N = A.CellCount();
  app.files.RefreshDisplay(true);
  const fs::path again = Dir() / "0002p000ps.DAT";
  if (!app.files.WriteProfile(again.string(), false)) return 0;  // a full disk, not a fault
  ScriptedPrompter prompter2;
  prompter2.Script("With Thermocond", Answer::No);
  AppModel app2(prompter2);
  BindEos(app2.session.eos, EosMedium::Film, *FindEosModel("ideal_gas"), values);
  const ProfileLoadResult r2 = app2.LoadProfile(again.string(), true);
  if (!r2.ok || app2.session.StateA == nullptr || app2.session.StateA->CellCount() != N) {
    __builtin_trap();
  }
  return 0;
}
