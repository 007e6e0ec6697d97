// Output names from times, times from names, picture captions and the save options'
// handlers.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/common/Prompter.h"
#include "core/files/SaveOptions.h"
#include "support/FilesFixture.h"

namespace tarvex {
namespace {

struct NameCase {
  Real t;
  Real scal;
  const char* add;
  int32_t layout;  // -1 "&Auto", else the FormatType of "&Fixed"
  int32_t press;
  int32_t width;
  const char* name;
};

TEST(OutputName, NumberTextsOfTimes) {
  const NameCase cases[] = {
      {1.5L, 1, "ps", -1, 0, 0, "0001p500ps"},
      {0.005L, 1, "", -1, 0, 0, "0p005"},
      {5e-6L, 1, "", -1, 0, 0, "5E-6"},
      {-2, 1, "ns", -1, 0, 0, "#2ns"},
      {1234.5L, 1, "", -1, 0, 0, "1234"},  // general, 4 digits
      {3e-12L, 1e12L, "ps", -1, 0, 0, "3ps"},
      {250, 1, "", -1, 0, 0, "0250p000"},
      {-1.5L, 1, "", 2, 2, 8, "000#1p50"},  // Fixed, 2 decimals, width 8
      {12346, 1, "", 1, 3, 0, "1p235E4"},   // Exponent, 3 decimals
      {1.5e-12L, 1, "s", 1, 2, 0, "1p50E-12s"},
      {7, 1, "fs", 0, 4, 6, "000007fs"},  // General, width 6
  };
  for (const NameCase& c : cases) {
    TSaveFileOptions o;
    o.Scal.SetValue(c.scal);
    o.AddStr = c.add;
    if (c.layout >= 0) {
      o.RadioGroup1 = kNameFixed;
      o.FormatType = c.layout;
      o.SetPress(c.press);
      o.SetFWidth(c.width);
    }
    o.SaveDir = "out/";
    EXPECT_EQ(o.MakeOutputName(c.t), std::string("out/") + c.name) << static_cast<double>(c.t);
  }
}

TEST(OutputName, TimesFromNames) {
  const TSaveFileOptions o;
  struct Case {
    const char* name;
    Real t;
  };
  const Case cases[] = {
      {"0001p500ps.DAT", 1.5e-12L},
      {"#2ns.DAT", -2e-9L},
      {"15ps.DAT", 15e-12L},
      {"dir/sub/0p005.DAT", 0.005L},
      {"5E-6.DAT", 5e-6L},
      {"000#1p50.DAT", -1.5L},
      {"00#002ns.DAT", -2e-9L},
      {"3mks.DAT", 3e-6L},
      {"7fs.DAT", 7e-15L},
      {"2ms.dat", 2e-3L},
      {"0250p000", 250},
      {"1p235E4", 12350},
      {"42abc.DAT", 42},
      {"0000p040.DAT", 0.04L},
  };
  for (const Case& c : cases) {
    const std::optional<Real> t = TimeFromName(c.name, o.NameStr);
    ASSERT_TRUE(t.has_value()) << c.name;
    EXPECT_NEAR(static_cast<double>(*t), static_cast<double>(c.t),
                1e-15 * std::fabs(static_cast<double>(c.t)))
        << c.name;
  }
  for (const char* bad : {"profile.DAT", "#.DAT", "p.DAT", "", "E5.DAT", "-.DAT"}) {
    EXPECT_FALSE(TimeFromName(bad, o.NameStr).has_value()) << bad;
  }
}

// Every automatic name reads back as the time it was made from (to its 4 significant
// digits when the general layout is used).
TEST(OutputName, AutomaticNamesReadBack) {
  for (const Real scal : {Real{1}, Real{1e12L}, Real{1e9L}, Real{1e15L}}) {
    TSaveFileOptions o;
    o.Scal.SetValue(scal);
    o.LeaveScal();
    const Real unit = scal == 1 ? 1 : 1 / scal;
    for (const Real v : {Real{0.001L}, Real{0.02L}, Real{1.5L}, Real{37.25L}, Real{998}, Real{1500},
                         Real{-3}, Real{-0.004L}, Real{2.5e-7L}}) {
      const Real t = v * unit;
      const std::string name = o.MakeOutputName(t) + ".DAT";
      const std::optional<Real> back = TimeFromName(name, o.NameStr);
      ASSERT_TRUE(back.has_value()) << name;
      EXPECT_NEAR(static_cast<double>(*back / t), 1.0, 5e-4) << name;
    }
  }
}

TEST(OutputName, PictureCaptions) {
  EXPECT_EQ(PictureCaption("dir/0001p500ps.jpg"), "0001 ,500ps");
  EXPECT_EQ(PictureCaption("#2ns.BMP"), " - 2ns");
  EXPECT_EQ(PictureCaption("000#1p50.jpg"), "000 - 1 ,50");
  EXPECT_EQ(PictureCaption("#2ns.jpg", false), "#2ns");
  EXPECT_EQ(PictureCaption("plot.jpg"), "plot");
}

TEST(SaveOptions, ScaleSetsTheSuffixAndLimitsHold) {
  TSaveFileOptions o;
  EXPECT_EQ(o.Scal.StoredValue(), 1);
  EXPECT_TRUE(o.PicturesAsJpeg());
  const struct {
    const char* text;
    const char* suffix;
  } cases[] = {{"1e3", "ms"}, {"1e6", "mks"}, {"1e9", "ns"}, {"1e12", "ps"}, {"1e15", "fs"}};
  for (const auto& c : cases) {
    o.Scal.SetText(c.text);
    o.LeaveScal();
    EXPECT_EQ(o.AddStr, c.suffix) << c.text;
  }
  o.Scal.SetText("7");
  o.LeaveScal();
  EXPECT_EQ(o.AddStr, "fs");  // other factors leave the suffix
  o.SetPress(20);
  EXPECT_EQ(o.Press, TSaveFileOptions::kPressMax);
  o.SetPress(-5);
  EXPECT_EQ(o.Press, TSaveFileOptions::kPressMin);
  o.SetFWidth(99);
  EXPECT_EQ(o.FWidth, TSaveFileOptions::kFWidthMax);
}

// The suffix the dialog (and the run file through it) refuses: control characters and
// directory separators; what it takes stays part of one file name.
TEST(SaveOptions, SuffixRefusals) {
  const struct {
    std::string suffix;
    std::string fragment;  // "" = taken
  } cases[] = {
      {"ps", ""},
      {"", ""},
      {"_µm run", ""},
      {std::string("p\0s", 3), "no control character (U+0000 at position 2)"},
      {"ps\r", "no control character (U+000D at position 3)"},
      {"\x7F", "no control character (U+007F at position 1)"},
      {"a/b", "no \"/\""},
      {"c:", "no \"/\""},
  };
  for (const auto& c : cases) {
    const std::string why = NameSuffixRefusal(c.suffix);
    if (c.fragment.empty()) {
      EXPECT_EQ(why, "") << c.suffix;
    } else {
      EXPECT_NE(why.find(c.fragment), std::string::npos) << why;
    }
  }
}

TEST(SaveOptions, DirectoryPickerCreatesAndAddsTheSeparator) {
  testing::TempDir dir;
  ScriptedPrompter p;
  TSaveFileOptions o;
  p.ScriptDirectory(dir.File("new/out"));
  ASSERT_TRUE(o.DirButton(p));
  EXPECT_EQ(o.SaveDir, dir.File("new/out") + "/");
  EXPECT_TRUE(std::filesystem::is_directory(dir.File("new/out")));
  p.ScriptDirectory(std::nullopt);
  EXPECT_FALSE(o.DirButton(p));
  EXPECT_EQ(o.SaveDir, dir.File("new/out") + "/");
  EXPECT_EQ(WithTrailingSeparator("C:"), "C:");
  EXPECT_EQ(WithTrailingSeparator("a\\"), "a\\");
  EXPECT_EQ(WithTrailingSeparator(""), "");
}

}  // namespace
}  // namespace tarvex
