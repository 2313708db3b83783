// The corvane program run as a user runs it: word lists against an
// independent Python count, concordance hits against grep, results files
// saved and loaded back (and refused when damaged), errors and exit codes,
// settings seen from another process.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct TRun {
  int status = -1;
  std::string out;
};

std::string Env(const char* name, const char* fallback) {
  const char* v = std::getenv(name);
  return v ? v : fallback;
}

std::string Corvane() { return Env("CV_BUILD_DIR", ".") + "/bin/corvane"; }

TRun Sh(const std::string& command) {
  TRun r;
  FILE* p = ::popen(command.c_str(), "r");
  if (!p) return r;
  char buf[65536];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) r.out.append(buf, n);
  const int st = ::pclose(p);
  r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
  return r;
}

std::vector<std::string> Lines(const std::string& s) {
  std::vector<std::string> out;
  std::istringstream in(s);
  for (std::string line; std::getline(in, line);) out.push_back(line);
  return out;
}

class CorvaneTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("corvane_test_" + std::to_string(::getpid()));
    fs::create_directories(dir_);
    // A region of our own, so parallel runs and other users never meet.
    ::setenv("CV_SETTINGS_REGION", ("corvane_test_" + std::to_string(::getpid())).c_str(), 1);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string P(const std::string& name) const { return (dir_ / name).string(); }
  void Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(P(name), std::ios::binary) << bytes;
  }
  fs::path dir_;
};

// The first files of one language of the handbook, or nothing when the
// package is missing (the test then says so).
std::vector<std::string> HandbookFiles(const char* lang, std::size_t count) {
  std::vector<std::string> out;
  const fs::path d = fs::path("/usr/share/doc/debian-handbook/html") / lang;
  if (!fs::exists(d)) return out;
  for (const auto& e : fs::directory_iterator(d))
    if (e.is_regular_file() && e.path().extension() == ".html") out.push_back(e.path().string());
  std::sort(out.begin(), out.end());
  if (out.size() > count) out.resize(count);
  return out;
}

TEST_F(CorvaneTest, WordListEqualsAnIndependentCount) {
  const std::string script = Env("CV_SOURCE_DIR", ".") + "/tests/tools/fixtures/count_words.py";
  for (const char* lang : {"ru-RU", "en-US", "ja-JP", "el-GR"}) {
    const auto files = HandbookFiles(lang, 4);
    if (files.empty()) GTEST_SKIP() << "debian-handbook is not installed";
    std::string args;
    for (const auto& f : files) args += " '" + f + "'";
    const TRun mine = Sh(Corvane() + " wordlist --top 0 --tsv" + args);
    const TRun theirs = Sh("/usr/bin/python3 " + script + args);
    ASSERT_EQ(mine.status, 0) << lang;
    ASSERT_EQ(theirs.status, 0) << lang;
    auto a = Lines(mine.out), b = Lines(theirs.out);
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    EXPECT_GT(a.size(), 500u) << lang;
    EXPECT_EQ(a, b) << lang;
  }
}

TEST_F(CorvaneTest, ConcordanceHitsEqualGrep) {
  if (!fs::exists("/usr/share/dictd/gcide.dict.dz")) GTEST_SKIP() << "dict-gcide is not installed";
  // 3 MB of dictionary text, ASCII only, so that grep's bytes and our
  // characters are the same letters.
  ASSERT_EQ(Sh("zcat /usr/share/dictd/gcide.dict.dz | head -c 3000000 | LC_ALL=C tr -c '\\000-\\177' ' ' > " +
                P("gcide.txt"))
                .status,
            0);
  for (const char* word : {"the", "of", "which", "horse", "a"}) {
    // grep's word characters include "_": count it as a letter for both.
    const TRun grep = Sh(std::string("LC_ALL=C grep -o -w -i '") + word + "' " + P("gcide.txt") + " | wc -l");
    const TRun mine = Sh(Corvane() + " concord '" + word + "' " + P("gcide.txt") + " --count --no-middles");
    ASSERT_EQ(mine.status, 0);
    const auto lines = Lines(mine.out);
    ASSERT_GE(lines.size(), 3u);
    // grep -w does not take "_" for a boundary; those hits are ours alone.
    const TRun underscores = Sh(std::string("LC_ALL=C grep -o -i -P '(?<![A-Za-z0-9])") + word +
                                 "(?![A-Za-z0-9])' " + P("gcide.txt") + " | wc -l");
    EXPECT_EQ(std::stoll(lines[lines.size() - 2]), std::stoll(underscores.out)) << word;
    EXPECT_LE(std::stoll(grep.out), std::stoll(underscores.out)) << word;
  }
}

TEST_F(CorvaneTest, ResultsFilesRoundTripAndDamageIsRefused) {
  Write("a.txt", "The cat sat on the mat.\nThe dog saw the cat.\n");
  Write("b.txt", "No cats here; a CAT there, and a catalogue.\n");
  // Concordance and word list: saved output equals loaded output.
  const TRun run = Sh(Corvane() + " concord 'cat*' " + P("") + " -o " + P("c.cnc") + " --no-colour");
  ASSERT_EQ(run.status, 0);
  EXPECT_NE(run.out.find("5 hits in 2 files"), std::string::npos) << run.out;
  const TRun load = Sh(Corvane() + " concord --load " + P("c.cnc") + " --no-colour");
  EXPECT_EQ(load.status, 0);
  EXPECT_EQ(load.out, run.out);
  const TRun wl = Sh(Corvane() + " wordlist " + P("a.txt") + " " + P("b.txt") + " -o " + P("w.lst"));
  ASSERT_EQ(wl.status, 0);
  EXPECT_NE(wl.out.find("cat"), std::string::npos);
  EXPECT_EQ(Sh(Corvane() + " wordlist --load " + P("w.lst")).out, wl.out);

  std::string bytes;
  {
    std::ifstream in(P("c.cnc"), std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), {});
  }
  ASSERT_GT(bytes.size(), 100u);
  struct Damage {
    const char* what;
    std::string bytes;
  } damages[] = {
      {"truncated", bytes.substr(0, bytes.size() - 7)},
      {"header only", bytes.substr(0, 57)},
      {"flipped content byte", [&] { auto b = bytes; b[b.size() / 2] ^= 0x20; return b; }()},
      {"flipped header byte", [&] { auto b = bytes; b[20] ^= 0x01; return b; }()},
      {"empty", ""},
  };
  for (const auto& d : damages) {
    Write("bad.cnc", d.bytes);
    const TRun r = Sh(Corvane() + " concord --load " + P("bad.cnc") + " 2>&1");
    EXPECT_EQ(r.status, 1) << d.what;
    EXPECT_EQ(r.out.rfind("corvane: ", 0), 0u) << d.what << ": " << r.out;
    EXPECT_EQ(r.out.find("hits in"), std::string::npos) << d.what;
  }
  // A word list is not a concordance.
  EXPECT_EQ(Sh(Corvane() + " concord --load " + P("w.lst") + " 2>/dev/null").status, 1);
}

// A file read in blocks is cut at white space; a run longer than a block is
// cut anyway, but never inside a character.
TEST_F(CorvaneTest, LongRunsAreNeverCutInsideACharacter) {
  // "\u1E01\u1E01-" is 7 bytes, so the 8 MiB block boundary falls inside a
  // character; hyphens end words but not the run of non-blank bytes.
  std::string run;
  constexpr int kRepeats = 1'300'000;
  for (int i = 0; i < kRepeats; ++i) run += "\xE1\xB8\x81\xE1\xB8\x81-";
  Write("run.txt", "\xEF\xBB\xBF" + run + " tail\n");
  const TRun r = Sh(Corvane() + " wordlist --top 0 --tsv " + P("run.txt"));
  ASSERT_EQ(r.status, 0);
  EXPECT_EQ(r.out.find("\xEF\xBF\xBD"), std::string::npos) << "a character was split";
  EXPECT_NE(r.out.find("\xE1\xB8\x81\xE1\xB8\x81\t" + std::to_string(kRepeats)), std::string::npos)
      << r.out.substr(0, 400);
}

TEST_F(CorvaneTest, BadArgumentsFailCleanlyWithoutAResultsFile) {
  Write("a.txt", "some text\n");
  struct Case {
    std::string args;
    int status;
  } cases[] = {
      {"concord '*' " + P("a.txt") + " -o " + P("x.cnc"), 2},
      {"concord 'text' " + P("missing.txt") + " -o " + P("x.cnc"), 1},
      {"concord 'text' " + P("a.txt") + " -o " + P("nofolder/x.cnc"), 1},
      {"concord 'text' " + P("a.txt") + " --width abc -o " + P("x.cnc"), 2},
      {"concord", 2},
      {"wordlist --frobnicate", 2},
      {"keywords only-one", 2},
      {"settings get NoSuchSetting", 2},
      {"settings set AutoSaveMinutes lots", 2},
      {"frobnicate", 2},
  };
  for (const auto& c : cases) {
    const TRun r = Sh(Corvane() + " " + c.args + " 2>&1");
    EXPECT_EQ(r.status, c.status) << c.args << "\n" << r.out;
    EXPECT_NE(r.out.find("corvane: "), std::string::npos) << c.args;
    EXPECT_FALSE(fs::exists(P("x.cnc"))) << c.args;
  }
  for (const char* cmd : {"concord", "wordlist", "keywords", "settings"}) {
    const TRun r = Sh(Corvane() + " " + cmd + " --help");
    EXPECT_EQ(r.status, 0) << cmd;
    EXPECT_EQ(r.out.rfind("usage: corvane ", 0), 0u) << cmd;
  }
}

TEST_F(CorvaneTest, SettingsChangedInOneProcessAreSeenInAnother) {
  // The watcher holds the region and reports each change.
  FILE* watch = ::popen((Corvane() + " settings watch AutoSaveMinutes --seconds 4").c_str(), "r");
  ASSERT_NE(watch, nullptr);
  char first[64] = {};
  ASSERT_NE(std::fgets(first, sizeof first, watch), nullptr);
  const TRun set = Sh(Corvane() + " settings set autosaveminutes 37");
  EXPECT_EQ(set.status, 0);
  EXPECT_EQ(set.out, "AutoSaveMinutes = 37\n");
  EXPECT_EQ(Sh(Corvane() + " settings get AutoSaveMinutes").out, "37\n");
  EXPECT_EQ(Sh(Corvane() + " settings set AutoSaveMinutes 37").out, "AutoSaveMinutes = 37 (unchanged)\n");
  char next[64] = {};
  ASSERT_NE(std::fgets(next, sizeof next, watch), nullptr);
  EXPECT_STREQ(next, "37\n");
  ::pclose(watch);
}

TEST_F(CorvaneTest, KeywordsOfOneTextAgainstAnother) {
  std::string study, ref;
  for (int i = 0; i < 200; ++i) study += "a whale swam in the sea and a whale sang\n";
  for (int i = 0; i < 400; ++i) ref += "the cat sat in the house and the dog sang\n";
  Write("study.txt", study);
  Write("ref.txt", ref);
  ASSERT_EQ(Sh(Corvane() + " wordlist " + P("ref.txt") + " -o " + P("ref.lst") + " >/dev/null").status, 0);
  const TRun r = Sh(Corvane() + " keywords " + P("study.txt") + " " + P("ref.lst") + " --negatives");
  ASSERT_EQ(r.status, 0) << r.out;
  const auto lines = Lines(r.out);
  ASSERT_GE(lines.size(), 4u);
  // "a" and "whale" lead (equal scores); absent from the reference, their
  // %DIFF is infinite.
  EXPECT_NE((lines[2] + lines[3]).find("whale"), std::string::npos) << r.out;
  EXPECT_NE(lines[2].find("inf"), std::string::npos) << r.out;
  // "the" is under-used in the study: a negative keyword.
  EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const std::string& l) {
    return l.find("  the ") != std::string::npos && l.find(" -") != std::string::npos;
  })) << r.out;
}

TEST_F(CorvaneTest, LemmaAndStopListsThroughTheLemmatiser) {
  Write("go.txt", "He went home. She goes there. They have gone. We go.\n");
  Write("lemmas.txt", "go -> went, gone, goes\n");
  Write("stop.txt", "she\nwe\n");
  const TRun c = Sh(Corvane() + " concord go " + P("go.txt") + " --lemmas " + P("lemmas.txt") + " --no-colour");
  EXPECT_NE(c.out.find("4 hits in 1 file"), std::string::npos) << c.out;
  const TRun w = Sh(Corvane() + " wordlist " + P("go.txt") + " --lemmas " + P("lemmas.txt") + " --stop " +
                    P("stop.txt") + " --tsv --top 0");
  auto lines = Lines(w.out);
  std::sort(lines.begin(), lines.end());
  EXPECT_EQ(lines, (std::vector<std::string>{"GO\t4\t1", "He\t1\t1", "They\t1\t1", "have\t1\t1", "home\t1\t1",
                                             "there\t1\t1"}))
      << w.out;
  EXPECT_EQ(Sh(Corvane() + " wordlist " + P("go.txt") + " --lemmas " + P("missing.txt") + " 2>/dev/null").status, 1);
}

TEST_F(CorvaneTest, DefaultRunConcordancesTheLicences) {
  const TRun r = Sh(Corvane() + " 2>/dev/null");
  ASSERT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("Concordance of \"licen?e\""), std::string::npos);
  EXPECT_NE(r.out.find("GPL-3"), std::string::npos);
  EXPECT_NE(r.out.find(" hits in "), std::string::npos);
}

}  // namespace
