// The refractive-data dialog: the table and its "_opt.dat" text (written and read back,
// refused when damaged), "Calculate", and the R(t) series file (create, append, rewrite,
// cancel, failed writes).
#include "core/optics/RefractData.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "core/common/Prompter.h"
#include "core/optics/ComplexField.h"
#include "core/optics/FilmReflectance.h"
#include "support/FilesFixture.h"

namespace tarvex {
namespace {

namespace fs = std::filesystem;

std::string Slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// A prompter whose save dialog answers with a scripted name and counts its calls.
struct CountingPrompter : ScriptedPrompter {
  int32_t saveDialogs = 0;
  std::optional<std::string> saveName;
  std::optional<std::string> ChooseSaveFile(const std::string&, const std::string& filter,
                                            const std::string&) override {
    ++saveDialogs;
    lastFilter = filter;
    return saveName;
  }
  std::string lastFilter;
};

std::vector<OpticalLayer> SampleMedia() {
  std::vector<OpticalLayer> m(3);
  m[0] = {0, -2.5L, 0, 0, 0, ComplexOne, -1, 0};
  m[1] = {1, -2.5L, 17.25L, 1500, 9000, {0.5L, 2.75L}, 3, 2};
  m[2] = {2, 4, 19.3L, 300, 300, {0.25L, 3.5L}, 0, 3};
  return m;
}

TEST(RefractData, OptFileLayout) {
  const TNumStringFormat fmt;
  const std::vector<RefrOptRow> rows = RefrOptTable(SampleMedia(), fmt);
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[0], (RefrOptRow{"No", "L-x", "rho", "Ti", "Te", "n", "k"}));
  EXPECT_EQ(rows[2], (RefrOptRow{"1", "-2.5", "17.25", "1500", "9000", "0.5", "2.75"}));
  const std::string text = OptFileText(rows);
  const std::string first =
      "        No        L-x        rho         Ti         Te          n          k\r\n";
  EXPECT_EQ(text.substr(0, first.size()), first);
  EXPECT_NE(text.find("\r\n         1       -2.5      17.25       1500       9000        0.5"
                      "       2.75\r\n"),
            std::string::npos);
  // A text longer than its field is written whole and still separated.
  const std::vector<RefrOptRow> wide{{"No", "1.23456789012E-05", "b", "c", "d", "e", "f"}};
  EXPECT_EQ(
      OptFileText(wide),
      "        No 1.23456789012E-05          b          c          d          e          f\r\n");
}

TEST(RefractData, OptFileReadsBack) {
  const TNumStringFormat fmt;
  const OptFileRead read = ReadOptFile(OptFileText(RefrOptTable(SampleMedia(), fmt)), fmt);
  ASSERT_TRUE(read.ok) << read.reason;
  ASSERT_EQ(read.media.size(), 3u);
  EXPECT_EQ(read.media[1].depth, -2.5L);
  EXPECT_EQ(read.media[1].N, (Complex{0.5L, 2.75L}));
  EXPECT_EQ(read.media[2].rho, 19.3L);
  // The stack of a read table gives its reflectance again.
  EXPECT_TRUE(ReflectanceOfMedia(read.media, 620).ok);
}

TEST(RefractData, DamagedOptFilesAreRefused) {
  const std::string title = "No L-x rho Ti Te n k\r\n";
  const std::string vacuum = "0 0 0 0 0 1 0\r\n";
  struct Case {
    std::string text;
    const char* expect;  // part of the reason
  };
  const Case cases[] = {
      {"", "empty"},
      {"No L-x rho Ti Te n\r\n" + vacuum, "Line 1"},
      {title + vacuum, "no layers"},
      {title, "no layers"},
      {title + vacuum + "1 2 19.3 300 300 0.2\r\n", "Line 3: 7 values"},
      {title + vacuum + "1 2 19.3 300 300 0.2 abc\r\n", "\"abc\" is not a number"},
      {title + vacuum + "1 2 19.3 300 300 -0.2 3\r\n", "negative n"},
      {title + vacuum + "1 2 19.3 300 300 0.2 -3\r\n", "negative k"},
      {title + vacuum + "1 2 -19.3 300 300 0.2 3\r\n", "negative rho"},
      {title + vacuum + "1 2 19.3 -300 300 0.2 3\r\n", "negative Ti"},
      {title + vacuum + "2 2 19.3 300 300 0.2 3\r\n", "row number 1"},
      {title + "0 5 0 0 0 1 0\r\n1 2 19.3 300 300 0.2 3\r\n", "decreases"},
  };
  const TNumStringFormat fmt;
  for (const Case& c : cases) {
    const OptFileRead r = ReadOptFile(c.text, fmt);
    EXPECT_FALSE(r.ok) << c.text;
    EXPECT_NE(r.reason.find(c.expect), std::string::npos) << r.reason;
    EXPECT_TRUE(r.media.empty() || !r.ok);
  }
  // A refused load leaves the dialog's table as it was.
  TRefractData dialog;
  const std::vector<RefrOptRow> before = dialog.RefrOptData;
  EXPECT_FALSE(dialog.LoadOptFile(title + vacuum).ok);
  EXPECT_EQ(dialog.RefrOptData, before);
  EXPECT_TRUE(dialog.LoadOptFile(OptFileText(RefrOptTable(SampleMedia(), fmt))).ok);
  EXPECT_EQ(dialog.RefrOptData.size(), 4u);
}

// A cold gold film of 10 cells with a heated top cell.
struct GoldFilm {
  FilmReflectance model;
  std::vector<Real> x, rho, Ti, Te;
  GoldFilm() {
    for (int32_t i = 0; i <= 10; ++i) x.push_back(i * 5e-7L);
    rho.assign(10, 19.3L);
    Ti.assign(10, 300);
    Te.assign(10, 300);
    Ti[9] = 900;
    Te[9] = 6000;
  }
  OpticalTarget Target() const {
    return OpticalTarget{x, rho, Ti, Te, x.back(), 0.1L, 19.3L, 300, FilmDielectric(model)};
  }
};

TEST(RefractData, CalculateShowsTheTableAndTheRefraction) {
  GoldFilm film;
  TRefractData dialog;
  EXPECT_EQ(dialog.Lambda.Text(), "620");
  LayeredOpticsState st;
  TComplexField Refr;
  CountingPrompter pr;
  const TNumStringFormat fmt;
  const RefractCalcResult r = dialog.Calc(film.Target(), st, Refr, 1e-12L, fmt, pr);
  ASSERT_TRUE(r.accepted) << r.reason;
  ASSERT_EQ(dialog.RefrOptData.size(), 4u);  // title, vacuum, the hot cell, the bulk
  EXPECT_EQ(dialog.RefrOptData[3][0], "2");
  EXPECT_EQ(Refr.StoredValue().im, st.PrevPhase);
  EXPECT_GT(Refr.StoredValue().re, 0.9L);
  // No file was chosen: the save dialog was offered once, cancelled, and not again.
  EXPECT_EQ(pr.saveDialogs, 1);
  EXPECT_EQ(pr.lastFilter, "Data file|*.DAT");
  EXPECT_FALSE(st.Series.On());
  ASSERT_TRUE(dialog.Calc(film.Target(), st, Refr, 2e-12L, fmt, pr).accepted);
  EXPECT_EQ(pr.saveDialogs, 1);
  // A wavelength that is not positive is refused, nothing changes.
  const Complex before = Refr.StoredValue();
  dialog.Lambda.SetText("-620");
  const RefractCalcResult bad = dialog.Calc(film.Target(), st, Refr, 3e-12L, fmt, pr);
  EXPECT_FALSE(bad.accepted);
  EXPECT_EQ(bad.focus, "Lambda");
  EXPECT_EQ(Refr.StoredValue(), before);
}

TEST(RefractSeries, CreatesAppendsRewritesAndCancels) {
  testing::TempDir dir;
  const fs::path file = dir.Path() / "Rt.DAT";
  const TNumStringFormat fmt;
  TComplexField Refr;
  Refr.SetValue({0.9375L, -0.25L});
  const std::string header = "           t\t           R\t           P\r\n";
  const std::string record = "         1.5\t        0.9375\t       -0.25\r\n";
  EXPECT_EQ(RefractSeries::HeaderLine(), header);
  EXPECT_EQ(RefractSeries::RecordLine(1.5e-12L, fmt, Refr), record);

  CountingPrompter pr;
  RefractSeries series;
  // Not asked and off: no dialog.
  EXPECT_FALSE(series.ChooseSeriesFile(pr, false));
  EXPECT_EQ(pr.saveDialogs, 0);
  // A new file, named without an extension: ".DAT" is added, the header written.
  pr.saveName = (dir.Path() / "Rt").string();
  ASSERT_TRUE(series.ChooseSeriesFile(pr, true));
  EXPECT_EQ(series.Path(), file.string());
  EXPECT_EQ(Slurp(file), header);
  ASSERT_TRUE(series.Append(1.5e-12L, fmt, Refr, pr));
  ASSERT_TRUE(series.Append(1.5e-12L, fmt, Refr, pr));
  EXPECT_EQ(Slurp(file), header + record + record);
  EXPECT_TRUE(pr.asked.empty());

  // While on, the set-up asks for the file again without being asked: Yes appends.
  pr.saveName = file.string();
  pr.Script(kAskAppendSeries, Answer::Yes);
  ASSERT_TRUE(series.ChooseSeriesFile(pr, false));
  ASSERT_EQ(pr.asked.size(), 1u);
  EXPECT_EQ(pr.asked[0].text, "Append new data to existing file");
  ASSERT_TRUE(series.Append(1.5e-12L, fmt, Refr, pr));
  EXPECT_EQ(Slurp(file), header + record + record + record);
  // No rewrites it with the header.
  pr.Script(kAskAppendSeries, Answer::No);
  ASSERT_TRUE(series.ChooseSeriesFile(pr, true));
  EXPECT_EQ(Slurp(file), header);
  // Cancel switches the series off and keeps the file.
  pr.Script(kAskAppendSeries, Answer::Cancel);
  EXPECT_FALSE(series.ChooseSeriesFile(pr, true));
  EXPECT_TRUE(series.Append(1.5e-12L, fmt, Refr, pr));  // off: nothing written
  EXPECT_EQ(Slurp(file), header);
  EXPECT_TRUE(pr.informed.empty());
}

TEST(RefractSeries, FailedWritesSwitchTheSeriesOffAndAreReported) {
  testing::TempDir dir;
  const TNumStringFormat fmt;
  TComplexField Refr;
  CountingPrompter pr;
  RefractSeries series;
  // The file cannot be created: its folder is a regular file.
  const fs::path blocker = dir.Path() / "plain.txt";
  std::ofstream(blocker) << "x";
  pr.saveName = (blocker / "Rt.DAT").string();
  EXPECT_FALSE(series.ChooseSeriesFile(pr, true));
  EXPECT_FALSE(series.On());
  ASSERT_EQ(pr.informed.size(), 1u);
  EXPECT_NE(pr.informed[0].find("Rt.DAT"), std::string::npos);
  EXPECT_EQ(series.LastError(), pr.informed[0]);

  // The file is chosen, then its place is taken by a directory: the append fails, the
  // series goes off, and later records are not attempted.
  const fs::path file = dir.Path() / "Rt.DAT";
  pr.saveName = file.string();
  ASSERT_TRUE(series.ChooseSeriesFile(pr, true));
  fs::remove(file);
  fs::create_directory(file);
  EXPECT_FALSE(series.Append(1e-12L, fmt, Refr, pr));
  EXPECT_FALSE(series.On());
  EXPECT_EQ(pr.informed.size(), 2u);
  EXPECT_TRUE(series.Append(2e-12L, fmt, Refr, pr));
  EXPECT_EQ(pr.informed.size(), 2u);

  // Through the dialog the failure is flagged and the calculation still stands.
  GoldFilm film;
  TRefractData dialog;
  LayeredOpticsState st;
  fs::remove(file);
  ASSERT_TRUE(st.Series.ChooseSeriesFile(pr, true));
  fs::remove(file);
  fs::create_directory(file);
  const RefractCalcResult r = dialog.Calc(film.Target(), st, Refr, 1e-12L, fmt, pr);
  EXPECT_TRUE(r.accepted);
  EXPECT_TRUE(r.seriesFailed);
  EXPECT_FALSE(st.Series.On());
}

}  // namespace
}  // namespace tarvex
