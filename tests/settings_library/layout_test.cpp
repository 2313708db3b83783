// The settings layouts: the offsets pinned in the headers (each checked
// against offsetof by a static_assert) agree with the offsets Free Pascal
// computes for the same records in Delphi mode (fixtures/layout_offsets.txt,
// made by fixtures/make_layout_fixture.py).
#include <cstdlib>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "settings_library/settings_record.h"

namespace {

std::string Source(const std::string& rel) {
  const char* dir = std::getenv("CV_SOURCE_DIR");
  std::ifstream in(std::string(dir != nullptr ? dir : ".") + "/" + rel);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(SettingsLayout, PinnedOffsetsAgreeWithFreePascal) {
  std::map<std::string, long> fpc;
  std::istringstream f(Source("tests/settings_library/fixtures/layout_offsets.txt"));
  std::string key;
  long value;
  while (f >> key >> value) fpc[key] = value;
  ASSERT_GT(fpc.size(), 500u);

  int checked = 0;
  for (const char* header : {"settings_library/settings_records.h", "settings_library/settings_record.h"}) {
    const std::string text = Source(header);
    const std::regex field(R"(CV_FIELD_AT\((\w+), (\w+), (\d+)\))"), rec(R"(CV_REC_AT\((\w+), (\d+)\))"),
        size(R"(static_assert\(sizeof\((\w+)\) == (\d+)\))");
    for (std::sregex_iterator i(text.begin(), text.end(), field), e; i != e; ++i, ++checked)
      EXPECT_EQ(fpc[(*i)[1].str() + "." + (*i)[2].str()], std::stol((*i)[3])) << (*i)[0];
    for (std::sregex_iterator i(text.begin(), text.end(), rec), e; i != e; ++i, ++checked)
      EXPECT_EQ(fpc["TCairnSettingsRec." + (*i)[1].str()], std::stol((*i)[2])) << (*i)[0];
    for (std::sregex_iterator i(text.begin(), text.end(), size), e; i != e; ++i, ++checked)
      EXPECT_EQ(fpc[(*i)[1].str() + ".SizeOf"], std::stol((*i)[2])) << (*i)[0];
  }
  EXPECT_GT(checked, 500);
  EXPECT_EQ(fpc["TCairnSettingsRec.SizeOf"], static_cast<long>(sizeof(cv::TCairnSettingsRec)));
  EXPECT_EQ(fpc["TCairnSettingsRec.conc_settings"], static_cast<long>(offsetof(cv::TCairnSettingsRec, conc_settings)));
}

}  // namespace
