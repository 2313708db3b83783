// Factory settings.
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "cairn_test_support.h"
#include "platform/utf.h"
#include "settings_library/cairn7.h"

namespace {

namespace fs = std::filesystem;

class CairnDefaults : public cvtest::RegionTest {};

std::string U8(const char16_t* p) { return p == nullptr ? "<null>" : cv::Utf16ToUtf8(p); }

TEST_F(CairnDefaults, ScalarsAndRecordsTakeTheirFactoryValues) {
  SetAllDefaults();
  EXPECT_EQ(GetTMSOfficeStyle(), 7);
  EXPECT_EQ(GetWordListDispersionDivisions(), 8);
  EXPECT_EQ(GetIgnoreTagsSpan(), 200);
  EXPECT_EQ(GetAutoSaveMinutes(), 10);
  EXPECT_EQ(GetCurrentList(), 25);
  EXPECT_EQ(GetCallingTool(), 16);
  EXPECT_EQ(U8(GetDefaultTextSpecs()), "*.*");
  EXPECT_EQ(GetCairnSpare(), 0x64726F6E);  // "nord"
  EXPECT_EQ(GetBaseHeadingsWidth(0), 2);
  EXPECT_EQ(GetBaseHeadingsWidth(1), 5);
  EXPECT_EQ(GetMaximumPrintFrequency(), 2147483647);
  EXPECT_EQ(GetKeypressMode(1), 1);
  EXPECT_EQ(GetCarryoutProcedureTagBoolean(224), 1);
  EXPECT_EQ(GetMenuItemChecked(177), 1);
  EXPECT_EQ(GetMenuItemChecked(176), 0);
  EXPECT_EQ(GetPopupMenuTagInUse(103), 1);
  EXPECT_EQ(GetConvertTextFileOptions(), 13);
  char16_t eot[31];
  GetSplitterEOTMarker(eot);
  EXPECT_EQ(U8(eot), "[FF]");
  uint8_t row[21];
  GetDefaultColumnsVisible(3, row);
  EXPECT_EQ(row[20], 1);

  // Shortcuts: Ctrl = 0x4000, F8 = virtual key 0x77; tag 0 has none.
  EXPECT_EQ(GetMenuShortcut(31, 1), 0x4077);
  EXPECT_EQ(GetMenuShortcut(31, 0), 0x4077);
  EXPECT_EQ(GetMenuShortcut(32, 0), 0x6077);  // Shift+Ctrl+F8
  EXPECT_EQ(GetMenuShortcut(91, 0), 0x8058);  // Alt+X
  EXPECT_EQ(GetMenuShortcut(0, 1), 0);

  // Concordance settings.
  EXPECT_EQ(GetConcSaveRecCollocHorizons(), 0x00050005u);
  EXPECT_EQ(GetConcSaveRecEntriesWantedPerSW(), 2147483646);
  TConcSettingsRec32 c;
  GetConcSaveRec(&c);
  EXPECT_EQ(c.TrebleSort[0], cv::cs_left1);
  EXPECT_EQ(c.TrebleSort[1], cv::cs_right1);
  EXPECT_EQ(c.TrebleSort[2], cv::cs_right1);
  EXPECT_EQ(c.avoid_hits_within_X_words, -1);
  EXPECT_EQ(c.conc_colouring_options, 3);
  EXPECT_EQ(c.min_coll_len, 3);
  EXPECT_EQ(c.max_tag_gap, 200);

  TTextsett_rec32 ts;
  GetTextSettings(&ts);
  EXPECT_EQ(U8(ts.standard_markers[1].marker), "auto");
  EXPECT_EQ(U8(ts.language_info.new_win_font.fontname), "Segoe UI");
  EXPECT_EQ(ts.ignore_tags[0], u'<');
  EXPECT_EQ(ts.ignore_tags[6], u'>');
  EXPECT_EQ(ts.language_info.dos_codepage, 477);
  EXPECT_EQ(ts.tag_treatment_displaying, cv::wltt_tags_as_prefix);

  TWordlist_index_settings_rec wi;
  GetWordlistIndexSettings(&wi);
  EXPECT_FLOAT_EQ(wi.mutual_inforec.minima[cv::MI_Dice], -999.0f);
  EXPECT_EQ(wi.mutual_inforec.minima[cv::MI_Log_Ratio], 0.0f);
  EXPECT_EQ(wi.cluster_settings.cluster_size_max, 4);

  // The reserved value no export reads, seen from outside.
  const auto bytes = cvtest::RegionBytes(region_);
  ASSERT_EQ(bytes.size(), 92512u);
  EXPECT_EQ(bytes[44248] | bytes[44249] << 8, 38);
  EXPECT_EQ(bytes[50128], 1);  // clipboard settings: every byte 1
  EXPECT_EQ(bytes[50151], 1);
}

TEST_F(CairnDefaults, ColourTablesFollowTheStyle) {
  EXPECT_TRUE(ResetToDefaultColours(3));
  EXPECT_EQ(GetTMSOfficeStyle(), 3);
  TMyCanvasColourRecAndTypeface all[21];
  GetAllWordHandlingColourRecsOfStyle(3, all);
  for (int k = 0; k < 21; ++k) {
    SCOPED_TRACE(k);
    const auto& c = all[k].colourset.colours;
    if (k <= 8 || k == 20)
      EXPECT_EQ(c[1], c[0]);  // selected text follows the text
    else
      EXPECT_EQ(c[1], 0x000000);  // style 3's highlighted text
    EXPECT_EQ(c[3], 0xFFF8F0);    // style 3's highlight background
  }
  EXPECT_EQ(all[9].colourset.colours[2], 0xCDFAFF);
  EXPECT_EQ(all[10].colourset.colours[2], 0xFFF8F0);  // style 3's background
  TMyCanvasColourRecAndTypeface e;
  GetWordHandlingColourRecAndTypeface(5, 10, &e);
  EXPECT_EQ(e.colourset.colours[2], static_cast<int32_t>(0xFF00000F));  // style 5: button face
  GetWordHandlingColourRecAndTypeface(0, 7, &e);
  EXPECT_EQ(e.default_typeface, 8);  // tf_strikeout

  TRulerPlotWordCloudColoursRec ruler;
  GetRulerPlotWordCloudFeatures(&ruler);
  EXPECT_EQ(ruler.colours[7], 0x008CFF);
  EXPECT_EQ(ruler.plot_divisions, 8);

  const auto before = cvtest::RegionBytes(region_);
  GetWordHandlingColourRecAndTypefaceDEFAULT(7, 6, &e);
  EXPECT_EQ(e.colourset.colours[0], 0x8B3D48);
  EXPECT_EQ(e.colourset.colours[1], 0x8B3D48);
  EXPECT_EQ(e.default_typeface, 1);
  EXPECT_EQ(e.highlight_typeface, 1);
  EXPECT_TRUE(cvtest::RegionBytes(region_) == before);
}

class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old, had_ = true;
    setenv(name, value.c_str(), 1);
  }
  ~ScopedEnv() {
    if (had_)
      setenv(name_, old_.c_str(), 1);
    else
      unsetenv(name_);
  }

 private:
  const char* name_;
  std::string old_;
  bool had_ = false;
};

TEST_F(CairnDefaults, FoldersComeFromTheUserDirsAndFallBackToHome) {
  const fs::path home = fs::temp_directory_path() / ("cairn-home-" + region_);
  fs::create_directories(home / "cfg");
  std::ofstream(home / "cfg" / "user-dirs.dirs") << "# user dirs\nXDG_DOCUMENTS_DIR=\"$HOME/Docs\"\n";
  ScopedEnv h("HOME", home.string()), x("XDG_CONFIG_HOME", (home / "cfg").string()),
      t("TMPDIR", (home / "tmp/").string());

  EXPECT_TRUE(SetChosenTextFiles(0, u"/keep/me", 4));
  SetAllFoldersToDefault();
  const std::string base = home.string() + "/Docs/cvane7";
  EXPECT_EQ(U8(GetDefaultFolder(0)), base + "/WordList");
  EXPECT_EQ(U8(GetDefaultFolder(1)), base + "/Kwic");
  EXPECT_EQ(U8(GetDefaultFolder(9)), base + "/Character Profiler");
  EXPECT_EQ(U8(GetDefaultTextFolder()), base + "/text");
  EXPECT_EQ(U8(GetInstructionsFolder()), base);
  EXPECT_EQ(U8(GetDownloadMediaFolder()), base + "/download");
  EXPECT_EQ(U8(GetTempZipFolder()), home.string() + "/tmp");
  TFilenameWideStringAndInteger chosen;
  GetChosenTextFiles(0, &chosen);
  EXPECT_EQ(U8(chosen.filename), "/keep/me");
  EXPECT_EQ(chosen.filecount, 4);

  // No documents folder: the home folder serves, and every step still runs.
  fs::remove(home / "cfg" / "user-dirs.dirs");
  SetAllDefaults();
  EXPECT_EQ(U8(GetDefaultFolder(0)), home.string() + "/cvane7/WordList");
  EXPECT_EQ(U8(GetTempPathFolder()), home.string() + "/tmp");
  EXPECT_EQ(GetAutoSaveMinutes(), 10);  // a step after the folders
  fs::remove_all(home);
}

TEST_F(CairnDefaults, RunningToolsStayReachableAcrossAFactoryReset) {
  SetShellWnd(0x51);
  SetToolsOpen(1, 2);
  SetActiveMainToolWindow(1, 0x77);
  // Alone in the region: everything goes.
  SetAllDefaults();
  EXPECT_EQ(GetShellWnd(), 0u);
  EXPECT_EQ(GetToolsOpen(1), 0);

  SetShellWnd(0x51);
  SetToolsOpen(1, 2);
  SetActiveMainToolWindow(1, 0x77);
  SetActiveChildToolWindow(4, 0x78);
  SetAutoSaveMinutes(99);
  const pid_t other = cvtest::StartHelper({"setup", "hold"}, 2);
  ASSERT_GT(other, 0);
  SetAllDefaults();
  EXPECT_EQ(GetShellWnd(), 0x51u);
  EXPECT_EQ(GetToolsOpen(1), 2);
  EXPECT_EQ(GetActiveMainToolWindow(1), 0x77u);
  EXPECT_EQ(GetActiveChildToolWindow(4), 0x78u);
  EXPECT_EQ(GetAutoSaveMinutes(), 10);
  cvtest::KillHard(other);
}

// Locale-dependent steps, each in a process started with an explicit locale.
TEST(CairnDefaultsLocale, LocaleMeasurementAndCodePageComeFromTheLocale) {
  struct Case {
    const char* locale;
    const char* expected;
  } const cases[] = {
      {"C", "lcid=0409 acp=1252 units=0 margin=1.00 name=English"},
      {"POSIX", "lcid=0409 acp=1252 units=0 margin=1.00 name=English"},
      {"de_DE.UTF-8", "lcid=0407 acp=1252 units=1 margin=2.54 name=German"},
      {"ru_RU.UTF-8", "lcid=0419 acp=1251 units=1 margin=2.54 name=Russian"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.locale);
    const std::string region = cvtest::UniqueRegionName();
    const std::string out = cvtest::RunHelper(
        {"setup", "defaults", "dump_locale"},
        {"CV_SETTINGS_REGION=" + region, std::string("LC_ALL=") + c.locale, "LANG=", "LC_CTYPE="});
    EXPECT_EQ(out, std::string("ok\nok\n") + c.expected + "\n");
  }
}

}  // namespace
