// Helpers of the batch-runner tests: the bundled shock-tube example, temporary
// directories, run files on disk, the library's main function with captured output, and
// the real executable started as a child process.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "batch/BatchMain.h"
#include "batch/Examples.h"
#include "core/common/NumStringFormat.h"

namespace tarvex::batch::testing {

namespace fs = std::filesystem;

inline std::string ShockTubeText() {
  const BundledExample* e = FindExample("shock_tube");
  if (e == nullptr) throw std::runtime_error("the shock_tube example is not bundled");
  return std::string(e->text);
}

// `text` with the first occurrence of `from` replaced by `to` (the text must hold it).
inline std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  const size_t at = text.find(from);
  if (at == std::string::npos) throw std::runtime_error("no \"" + from + "\" in the text");
  return text.replace(at, from.size(), to);
}

// A fresh directory, removed with everything in it at the end of the scope.
class TempDir {
 public:
  TempDir() {
    std::string pattern = (fs::temp_directory_path() / "tarvex-batch-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
  }
  ~TempDir() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const fs::path& path() const { return path_; }
  std::string Write(const std::string& name, const std::string& text) const {
    const fs::path p = path_ / name;
    std::ofstream(p, std::ios::binary) << text;
    return p.string();
  }

 private:
  fs::path path_;
};

// The lines of a text file without their line ends (CR LF or LF).
inline std::vector<std::string> FileLines(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::vector<std::string> out;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    out.push_back(line);
  }
  return out;
}

// A number of a result file's field (blanks around it ignored), read as the program reads
// numbers; a field that is no number fails the test.
inline Real FieldNumber(std::string text) {
  text.erase(0, text.find_first_not_of(" \t"));
  text.erase(text.find_last_not_of(" \t") + 1);
  Real v = 0;
  EXPECT_EQ(TNumStringFormat().Parse(text, v), TConvertStatus::Ok) << text;
  return v;
}

struct MainResult {
  int code = -1;
  std::string out;
  std::string err;
};

// The library's main function with the given arguments (the program name is added).
inline MainResult CallMain(std::vector<std::string> args,
                           const std::atomic<bool>* breakFlag = nullptr) {
  args.insert(args.begin(), "tarvex1l-run");
  std::vector<const char*> argv;
  for (const std::string& a : args) argv.push_back(a.c_str());
  std::ostringstream out;
  std::ostringstream err;
  MainResult r;
  r.code = RunMain(static_cast<int>(argv.size()), argv.data(), out, err, false, breakFlag);
  r.out = out.str();
  r.err = err.str();
  return r;
}

// The real executable as a child process; its stderr is readable through a pipe.
class Child {
 public:
  explicit Child(std::vector<std::string> args) {
    args.insert(args.begin(), TARVEX_RUN_EXE);
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    int fds[2];
    if (::pipe(fds) != 0) throw std::runtime_error("pipe failed");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDERR_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_addclose(&actions, fds[1]);
    const int rc = posix_spawn(&pid_, TARVEX_RUN_EXE, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(fds[1]);
    errFd_ = fds[0];
    if (rc != 0) throw std::runtime_error("posix_spawn failed");
  }
  ~Child() {
    if (pid_ > 0) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
    if (errFd_ >= 0) ::close(errFd_);
  }
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;

  pid_t pid() const { return pid_; }

  // Reads stderr until `text` appeared or `seconds` passed; whether it appeared.
  bool WaitForOutput(const std::string& text, double seconds) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (err_.find(text) == std::string::npos) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          until - std::chrono::steady_clock::now());
      if (left.count() <= 0) return false;
      pollfd p{errFd_, POLLIN, 0};
      if (::poll(&p, 1, static_cast<int>(left.count())) <= 0) return false;
      char buf[4096];
      const ssize_t n = ::read(errFd_, buf, sizeof buf);
      if (n <= 0) return false;
      err_.append(buf, static_cast<size_t>(n));
    }
    return true;
  }

  // Waits up to `seconds` for the exit; the exit code, or -1 (killed on time-out or by a
  // signal).
  int Wait(double seconds) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    int status = 0;
    for (;;) {
      const pid_t done = ::waitpid(pid_, &status, WNOHANG);
      if (done == pid_) break;
      if (std::chrono::steady_clock::now() > until) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, &status, 0);
        pid_ = -1;
        return -1;
      }
      ::usleep(20000);
    }
    pid_ = -1;
    DrainErr();
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  const std::string& err() const { return err_; }

 private:
  void DrainErr() {
    char buf[4096];
    ssize_t n = 0;
    while ((n = ::read(errFd_, buf, sizeof buf)) > 0) err_.append(buf, static_cast<size_t>(n));
  }

  pid_t pid_ = -1;
  int errFd_ = -1;
  std::string err_;
};

}  // namespace tarvex::batch::testing
