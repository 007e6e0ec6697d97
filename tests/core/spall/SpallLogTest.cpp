// "Spall.dat": the header and record texts, appending after an existing file, and failed
// appends that keep every earlier record and are reported once.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/spall/SpallLog.h"
#include "support/FilesFixture.h"

namespace tarvex {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

constexpr const char* kHeaderShort = "\"T, K \"  \"P, GPa\" \"rho, g/cm3\"   \"time, ps\"\r\n";
constexpr const char* kHeaderLong =
    "\"T, K \"  \"P, GPa\" \"rho, g/cm3\"   \"time, ps\"       \"tau_n, ps\"   "
    "\"sigma, erg/cm2\"\r\n";

TEST(SpallLog, HeaderAndRecordColumns) {
  EXPECT_EQ(SpallLogHeader(false), kHeaderShort);
  EXPECT_EQ(SpallLogHeader(true), kHeaderLong);
  // T 7.2, p 10.4, rho 12.4, time [ps] 16 scientific; with τa: τa [ps] 16, σ 12.4.
  EXPECT_EQ(
      SpallLogRecord(1234.567L, -3.5L, 17.3L, 1.5e-12L, 2e-13L, 812.34567L),
      "1234.57\t   -3.5000\t     17.3000\t  1.50000000E+00\t  2.00000000E-01\t    812.3457\r\n");
  EXPECT_EQ(SpallLogRecord(933, -0.04567L, 2.5L, 2.25e-9L, 0, 700),
            " 933.00\t   -0.0457\t      2.5000\t  2.25000000E+03\r\n");
  // A field wider than its column stays whole and separated.
  EXPECT_EQ(SpallLogRecord(12345.678L, -12345.6L, 1, 1e-12L, 0, 0),
            "12345.68\t-12345.6000\t      1.0000\t  1.00000000E+00\r\n");
}

TSpallParams Nucleation() {
  TSpallParams sp;
  sp.CheckNucl = true;
  return sp;
}

TSpallCell FailedCell(Real T) {
  TSpallCell c;
  c.T = c.Te = T;
  c.rho = 2.3L;
  c.p = -3;
  return c;
}

TSpallVerdict Verdict(Real p, Real tauA, Real sigma) {
  TSpallVerdict v;
  v.failed = true;
  v.p = p;
  v.tauA = tauA;
  v.sigma = sigma;
  return v;
}

TEST(SpallLog, NewFileGetsTheHeaderOnceAndEarlierRecordsStay) {
  TempDir dir;
  TSpallLog log(dir.Path() / kSpallLogName);
  ASSERT_TRUE(log.Append(Nucleation(), FailedCell(1500), Verdict(-3, 1e-12L, 700), 2e-12L));
  ASSERT_TRUE(log.Append(Nucleation(), FailedCell(1600), Verdict(-2, 0, 0), 3e-12L));
  EXPECT_EQ(ReadFile(dir.File("Spall.dat")),
            std::string(kHeaderLong) + SpallLogRecord(1500, -3, 2.3L, 2e-12L, 1e-12L, 700) +
                SpallLogRecord(1600, -2, 2.3L, 3e-12L, 0, 0));
  EXPECT_EQ(log.Written(), 2);
  EXPECT_EQ(log.Failures(), 0);
  EXPECT_FALSE(log.TakeFailure());

  // A file from an earlier run: appended to, not replaced, no second header.
  const std::string earlier = std::string(kHeaderShort) + " 900.00\t   -1.0000\t      2.0000\r\n";
  WriteFile(dir.File("old.dat"), earlier);
  TSpallLog old(dir.Path() / "old.dat");
  TSpallParams strengthOnly;
  strengthOnly.CheckPliq = true;
  ASSERT_TRUE(old.Append(strengthOnly, FailedCell(1000), Verdict(-3.5L, 0, 0), 1e-12L));
  EXPECT_EQ(ReadFile(dir.File("old.dat")),
            earlier + SpallLogRecord(1000, -3.5L, 2.3L, 1e-12L, 0, 0));
}

TEST(SpallLog, ReadOnlyDirectoryIsReportedAndTheEarlierRecordsStay) {
  TempDir dir;
  const fs::path folder = dir.Path() / "locked";
  fs::create_directory(folder);
  TSpallLog log(folder / kSpallLogName);
  ASSERT_TRUE(log.Append(Nucleation(), FailedCell(1500), Verdict(-3, 1e-12L, 700), 2e-12L));
  const std::string before = ReadFile((folder / kSpallLogName).string());
  fs::permissions(folder / kSpallLogName, fs::perms::owner_read);
  fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
  if (::access(folder.c_str(), W_OK) == 0) {
    GTEST_SKIP() << "permissions do not restrict this user (root); the file-size test below "
                    "covers the failed append";
  }
  const FileWriteResult r =
      log.Append(Nucleation(), FailedCell(1600), Verdict(-4, 1e-12L, 650), 3e-12L);
  EXPECT_FALSE(r);
  EXPECT_NE(r.message.find("Spall.dat"), std::string::npos) << r.message;
  EXPECT_EQ(ReadFile((folder / kSpallLogName).string()), before);
  EXPECT_EQ(log.Failures(), 1);

  TSpallLog fresh(folder / "new.dat");  // cannot be created
  EXPECT_FALSE(fresh.Append(Nucleation(), FailedCell(1500), Verdict(-3, 0, 0), 1e-12L));
  EXPECT_FALSE(fs::exists(folder / "new.dat"));
}

// Runs in a child process: a file-size limit that the next record crosses, so its write
// fails part-way. The file must be cut back to the earlier records and the failure
// reported once.
[[noreturn]] void AppendBeyondFileSizeLimit(const fs::path& file) {
  ::signal(SIGXFSZ, SIG_IGN);  // report EFBIG instead of ending the process
  TSpallLog log(file);
  const std::string before = ReadFile(file.string());
  const rlim_t size = static_cast<rlim_t>(before.size()) + 20;
  rlimit limit{size, size};
  if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) std::_Exit(10);
  const FileWriteResult r =
      log.Append(Nucleation(), FailedCell(1600), Verdict(-4, 1e-12L, 650), 3e-12L);
  if (r.ok) std::_Exit(11);
  if (r.message.find(file.string()) == std::string::npos) std::_Exit(12);
  if (ReadFile(file.string()) != before) std::_Exit(13);
  if (log.Failures() != 1 || log.Written() != 0) std::_Exit(14);
  const std::optional<std::string> reported = log.TakeFailure();
  if (!reported || *reported != r.message) std::_Exit(15);
  if (log.TakeFailure()) std::_Exit(16);  // reported once
  std::_Exit(0);
}

TEST(SpallLog, RecordCutOffPartWayIsRemovedAgain) {
  TempDir dir;
  const fs::path file = dir.Path() / kSpallLogName;
  TSpallLog log(file);
  ASSERT_TRUE(log.Append(Nucleation(), FailedCell(1500), Verdict(-3, 1e-12L, 700), 2e-12L));
  const std::string before = ReadFile(file.string());
  EXPECT_EXIT(AppendBeyondFileSizeLimit(file), ::testing::ExitedWithCode(0), "");
  EXPECT_EQ(ReadFile(file.string()), before);
}

}  // namespace
}  // namespace tarvex
