// Real lists nobody here wrote: WordNet's irregular forms as a lemma list and
// the wamerican word list as a stop list, each checked against an
// independent script over the same files (tests/lemmatiser_library/fixtures).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "lemmatiser_library/lemma_and_match_lists.h"
#include "platform/utf.h"

namespace cv {
namespace {

constexpr LCID kEnglish = 0x0409;
const char* const kWordNet = "/usr/share/wordnet";
const char* const kWords = "/usr/share/dict/american-english";

std::string Fixtures() { return std::string(std::getenv("CV_SOURCE_DIR")) + "/tests/lemmatiser_library/fixtures"; }

std::string RunCommand(const std::string& command) {
  FILE* p = popen(command.c_str(), "r");
  if (p == nullptr) return {};
  std::string out;
  char buf[65536];
  for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, p)) > 0;) out.append(buf, n);
  return pclose(p) == 0 ? out : std::string();
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

string WriteTemp(const std::string& name, const std::string& bytes) {
  const std::string path = testing::TempDir() + name;
  std::ofstream(path, std::ios::binary) << bytes;
  return Utf8ToUtf16(path);
}

std::vector<std::string> ExcFiles() {
  std::vector<std::string> files;
  for (const char* pos : {"adj", "adv", "noun", "verb"}) files.push_back(std::string(kWordNet) + "/" + pos + ".exc");
  return files;
}

TEST(LemmatiserRealLists, WordNetIrregularFormsMapToTheirFirstLemma) {
  for (const std::string& f : ExcFiles())
    if (!std::filesystem::exists(f)) GTEST_SKIP() << f << " is missing: install the Debian package wordnet-base";

  // "variant lemma [lemma ...]" becomes "lemma -> variant".
  std::string list;
  std::string command = "/usr/bin/python3 " + Fixtures() + "/wordnet_first_lemmas.py";
  for (const std::string& f : ExcFiles()) {
    command += " " + f;
    std::istringstream in(ReadAll(f));
    for (std::string line; std::getline(in, line);) {
      std::istringstream fields(line);
      std::string variant, lemma;
      if (fields >> variant >> lemma) list += lemma + " -> " + variant + "\n";
    }
  }
  const std::string expected_text = RunCommand(command);
  ASSERT_FALSE(expected_text.empty()) << "the oracle script failed: " << command;
  std::map<std::string, std::string> expected;
  std::istringstream lines(expected_text);
  for (std::string line; std::getline(lines, line);) {
    const auto tab = line.find('\t');
    expected[line.substr(0, tab)] = line.substr(tab + 1);
  }
  ASSERT_GT(expected.size(), 5000u);

  TLemmaList lemmas(cs_anyhow);
  ASSERT_TRUE(lemmas.LoadFromFile(nullptr, nullptr, kEnglish, cs_anyhow, WriteTemp("wordnet_lemmas.txt", list)));
  std::map<std::string, std::string> walked;
  lemmas.ShowProc = [&](TLemmaEntryRec& t, TCaseSensitivity, Boolean, Boolean, Integer, Integer) {
    walked[static_cast<const char*>(t.variantp)] = Utf16ToUtf8(t.headwordp);
  };
  lemmas.Traverse();
  EXPECT_EQ(walked, expected);
  EXPECT_EQ(lemmas.lemma_pair_entries, static_cast<Integer>(expected.size()));
  for (const auto& [variant, lemma] : expected) {
    TLemmaEntryRec found{};
    ASSERT_TRUE(lemmas.FoundVariant(variant.c_str(), found)) << variant;
    EXPECT_EQ(Utf16ToUtf8(found.headwordp), lemma) << variant;
  }
}

TEST(LemmatiserRealLists, WordListAsStopListWalksInByteOrderForwardsAndReversed) {
  if (!std::filesystem::exists(kWords)) GTEST_SKIP() << kWords << " is missing: install the Debian package wamerican";
  const std::string expected = RunCommand("/usr/bin/python3 " + Fixtures() + "/upper_sorted_words.py < " + kWords +
                                          " | LC_ALL=C sort -u");
  ASSERT_FALSE(expected.empty()) << "the oracle pipeline failed";

  const std::string words = ReadAll(kWords);
  std::vector<std::string> lines;
  std::istringstream in(words);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  std::string reversed;
  for (auto it = lines.rbegin(); it != lines.rend(); ++it) reversed += *it + "\n";

  for (const auto& [name, bytes] : {std::pair<std::string, const std::string*>{"forwards", &words},
                                    std::pair<std::string, const std::string*>{"reversed", &reversed}}) {
    SCOPED_TRACE(name);
    TStopList stops(cs_anyhow);
    ASSERT_TRUE(stops.LoadFromFile(nullptr, nullptr, kEnglish, cs_anyhow, WriteTemp("stop_" + name + ".txt", *bytes)));
    EXPECT_TRUE(stops.using_unicode) << "valid UTF-8 with accented words is read as UTF-8";
    std::string walked;
    stops.ShowProc = [&](void* p, TCaseSensitivity, Boolean, Boolean, Integer, Integer) {
      walked += Utf16ToUtf8(static_cast<const char16_t*>(p)) + "\n";
    };
    stops.Traverse();
    EXPECT_TRUE(walked == expected) << "walk and `sort -u` differ; walk has " << walked.size() << " bytes, oracle "
                                    << expected.size();
    EXPECT_EQ(stops.lines, static_cast<Integer>(lines.size()));
  }
}

}  // namespace
}  // namespace cv
