// SetAllDefaults, byte for byte: an image of the whole record is built here
// from the factory values and their offsets in the record (written out as
// numbers, independently of the library's structs), everything else zero,
// and compared with the region another process filled in.
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cairn_test_support.h"
#include "core/my_types_mini.h"
#include "platform/utf.h"

namespace {

class Image {
 public:
  Image() : b_(92512, 0) {}
  void u8(std::size_t off, unsigned v) { b_.at(off) = static_cast<std::uint8_t>(v); }
  void i16(std::size_t off, int v) { put(off, static_cast<std::uint32_t>(v), 2); }
  void i32(std::size_t off, std::int64_t v) { put(off, static_cast<std::uint32_t>(v), 4); }
  void f32(std::size_t off, float v) {
    std::uint32_t bits;
    std::memcpy(&bits, &v, 4);
    put(off, bits, 4);
  }
  void text(std::size_t off, const std::u16string& s) {
    for (std::size_t i = 0; i < s.size(); ++i) put(off + 2 * i, s[i], 2);
  }
  void fill(std::size_t off, std::size_t n, unsigned v) {
    for (std::size_t i = 0; i < n; ++i) u8(off + i, v);
  }
  const std::vector<std::uint8_t>& bytes() const { return b_; }

 private:
  void put(std::size_t off, std::uint32_t v, int n) {
    for (int i = 0; i < n; ++i) b_.at(off + i) = static_cast<std::uint8_t>(v >> (8 * i));
  }
  std::vector<std::uint8_t> b_;
};

constexpr std::int64_t MaxInt = 2147483647;

void WordHandling(Image& m) {
  // Per style: highlighted text, highlight background, background.
  const std::int64_t styles[13][3] = {
      {0xFFFFFF, 0xFADAC4, 0xFDEADA}, {0xFFFFFF, 0xCBC0FF, 0xCBC0FF}, {0xFFFFFF, 0x8CC0B1, 0xCFF0EA},
      {0x000000, 0xFFF8F0, 0xFFF8F0}, {0x000000, 0xFFF8F8, 0xFCEBDC}, {0xFFFFFF, 0xFADAC4, 0xFF00000F},
      {0x000000, 0x7BEEFF, 0xFFF8F0}, {0x000000, 0x7BEEFF, 0xFFFFFF}, {0x000000, 0x7BEEFF, 0xBFBFBF},
      {0x000000, 0x7BEEFF, 0xFFFFFF}, {0x000000, 0x7BEEFF, 0xFFFFFF}, {0xFFFFFF, 0xA9A9A9, 0xFFFFFF},
      {0xFFFFFF, 0xA9A9A9, 0xD3D3D3}};
  const std::int64_t window = cv::MyColourToRGB(static_cast<cv::TColor>(0xFF000005));
  const std::int64_t window_text = cv::MyColourToRGB(static_cast<cv::TColor>(0xFF000008));
  const std::int64_t text[21] = {window_text, 0x808080, 0xFF0000, 0x000080, 0x006400, 0xD30094, 0x8B3D48,
                                 0x696969,    0x0000FF, 0x000080, 0x000000, 0x008000, 0x000000, 0x0000FF,
                                 0x000000,    0x808080, 0x000080, 0xC0C0C0, 0x0000FF, 0x800080, window_text};
  for (int s = 0; s < 13; ++s) {
    for (int k = 0; k < 21; ++k) {
      const std::size_t e = 420 * s + 20 * k;
      const bool both = k <= 8 || k == 20;
      m.i32(e + 0, text[k]);
      m.i32(e + 4, both ? text[k] : styles[s][0]);
      m.i32(e + 8, k == 9 ? 0xCDFAFF : k == 10 ? styles[s][2] : window);
      m.i32(e + 12, styles[s][1]);
      const unsigned tf = (k >= 2 && k <= 6) ? 1 : k == 7 ? 8 : 0;
      m.u8(e + 16, tf);
      m.u8(e + 17, tf);
    }
  }
}

Image ExpectedDefaults(const std::u16string& base, const std::u16string& temp) {
  Image m;
  WordHandling(m);
  m.u8(36524, 7);
  m.i16(92454, 8);
  m.u8(36528, 1);
  m.u8(14448 + 1, 1);
  m.fill(52556, 225, 1);
  m.fill(50128, 24, 1);
  m.text(85060, temp);
  m.i32(83188, 0x000080);
  m.u8(92471, 1);
  const std::int64_t ruler[10] = {0x000000, 0x000080, 0x006400, 0xFF0000, 0x800000,
                                  0xFFFFFF, 0x00008B, 0x008CFF, 0x006400, 0xFFFFFF};
  for (int i = 0; i < 10; ++i) m.i32(51160 + 4 * i, ruler[i]);
  m.i32(51200, 8);
  m.u8(92503, 1);
  // Printer, U.S. units (the C locale).
  for (int i = 0; i < 4; ++i) m.f32(50240 + 900 + 4 * i, 1.0f);
  // Folders.
  m.text(89758, base + u"/text");
  m.text(90802, temp);
  m.text(88192, base);
  for (int i = 0; i < 10; ++i) m.text(24980 + 522 * i, base + u"/" + cv::Tool_Name(static_cast<cv::tool_type>(i)));
  m.text(86104, base + u"/download");
  // Word cloud.
  m.u8(36932 + 3, 1);
  m.u8(36932 + 4, 1);
  m.f32(36932 + 8, 0.99f);
  m.f32(36932 + 12, 0.913f);
  m.i32(36932 + 20, 9);
  m.i16(92456, 200);
  m.i16(92450, 2);
  m.i16(92446, 5);
  m.i16(92448, 2);
  m.i32(92428, MaxInt);
  // Word-list settings.
  m.i16(50212, 1000);
  m.i16(50214, 1);
  m.i32(50212 + 16, 100000000);
  m.u8(50212 + 21, 1);
  m.u8(50212 + 22, 1);
  m.u8(50212 + 23, 49);
  m.i32(36780 + 12, 1);
  m.i32(36780 + 16, 1);
  // Keyword database.
  m.u8(46916 + 16, 2);
  m.i32(46916 + 12, 5);
  m.i32(46916 + 4, 1);
  m.i32(46916 + 8, 5);
  m.f32(46916 + 20, 5.0f);
  m.i32(46916 + 28, 30);
  m.i32(46916 + 32, 100);
  // Plot.
  m.fill(50152, 4, 1);
  m.i32(50152 + 12, 100);
  m.i32(50152 + 16, 5000);
  m.u8(92502, 1);
  for (int tag : {177, 80, 46}) m.u8(52331 + tag, 1);
  m.u8(43405, 13);
  // Text settings.
  const std::size_t ts = 40376;
  m.i32(ts + 2704, MaxInt);
  m.text(ts + 1072 + 204, u"auto");
  m.i32(ts + 4, 0x0409);
  m.u8(ts + 330 + 1, 10);
  m.text(ts + 330 + 2, u"Segoe UI");
  m.u8(ts + 43, 1);
  m.i16(ts + 46, 1252);
  m.i16(ts + 48, 477);
  m.text(ts + 936, u"English");
  m.text(ts + 1048, u"<");
  m.text(ts + 1060, u">");
  m.u8(ts + 1046, 1);
  m.u8(ts + 1040, 1);
  m.u8(ts + 2708, 1);
  // Collocate script.
  const std::int64_t script[10] = {MaxInt, 1, MaxInt, 10, MaxInt, 1, MaxInt, 1, MaxInt, 5};
  for (int i = 0; i < 10; ++i) m.i32(49772 + 4 * i, script[i]);
  m.i32(92396, 100);
  // Concordance.
  const std::size_t c = 47192;
  m.i32(c + 648, 2147483646);
  for (std::size_t off : {1704, 1706, 1708, 1710, 1714, 1716, 1718}) m.i16(c + off, 5);
  m.u8(c + 1734, 1);
  m.u8(c + 1737, 2);
  m.u8(c + 1738, 3);
  m.i16(c + 1740, 1000);
  m.i16(c + 1742, 5);
  m.u8(c + 1745, 4);
  m.u8(c + 1746, 6);
  m.u8(c + 1747, 6);
  m.i16(c + 1758, 3);
  m.i16(c + 1760, 3);
  m.i32(c + 1772, 200);
  m.i32(c + 1784, -1);
  m.u8(c + 1792, 3);
  // Keywords.
  const std::size_t k = 44252;
  const std::int64_t links[6] = {2, 1, 2000, 3, 0, 5};
  for (int i = 0; i < 6; ++i) m.i32(k + 1060 + 4 * i, links[i]);
  m.f32(k + 1600, 5.0f);
  m.f32(k + 1040, 0.1f);
  m.i16(k + 1044, 3);
  m.f32(k + 1608, 2.5f);
  m.f32(k + 1604, 1.5f);
  m.i32(k + 1048, 1000);
  m.u8(k + 1589, 1);
  m.text(83192, u"*.*");
  m.u8(43409, 16);
  m.u8(52781, 1);
  m.u8(52785, 1);
  m.f32(52788 + 4 + 8 * 1 + 4, 3.0f);
  m.i16(44248, 38);
  // Character n-grams.
  const std::size_t g = 36588;
  m.fill(g, 3, 1);
  m.i32(g + 52, 2);
  const std::int64_t grams[8] = {3, 20, 3, 3, 1, MaxInt, 2, MaxInt};
  for (int i = 0; i < 8; ++i) m.i32(g + 4 + 4 * i, grams[i]);
  m.u8(g + 36, 1);
  m.i32(92400, 10);
  // Moving window.
  m.i32(36712, 1000);
  m.i32(36712 + 4, 100);
  m.i32(36712 + 12, 2);
  m.i32(36712 + 16, 10);
  // Word-list index.
  const std::size_t w = 36996;
  m.i32(w + 3292, 5);
  m.i32(w + 3244 + 32, 3);
  m.i32(w + 3244, 3);
  m.i32(w + 3244 + 16, 4);
  m.i32(w + 3244 + 4, 1);
  m.u8(w + 3244 + 24, 1);
  m.u8(w + 3244 + 12, 2);
  m.f32(w + 3244 + 8, 50.0f);
  m.u8(w + 3032 + 1, 2);
  m.i32(w + 3032 + 16, 5);
  m.i32(w + 3032 + 96, 1);
  m.i32(w + 3032 + 20, 5);
  m.f32(w + 3032 + 24, 0.5f);
  const float minima[6] = {-999.0f, 3.0f, 3.0f, 1.0f, 3.0f, 2.0f};
  for (int i = 0; i < 6; ++i) m.f32(w + 3032 + 28 + 4 * i, minima[i]);
  m.text(49980, u"[FF]");
  m.fill(50042, 84, 1);
  m.u8(36993, 25);
  m.i16(92452, 500);
  m.i16(92460, 3);
  m.text(92412, u"");
  m.u8(92412, 'n');
  m.u8(92413, 'o');
  m.u8(92414, 'r');
  m.u8(92415, 'd');
  m.u8(43407, 1);
  m.u8(92499, 1);
  m.f32(53012 + 1288, 1.5f);
  m.i32(53012 + 1108, 10);
  m.u8(43404, 1);
  // Menu shortcuts: Shift 0x2000, Ctrl 0x4000, Alt 0x8000; F1 = 0x70.
  const std::pair<int, int> shortcuts[] = {
      {1, 0x4071}, {3, 0x404F}, {4, 0x4050}, {5, 0x72}, {8, 0x404E}, {10, 0x75}, {11, 0x405A},
      {16, 0xC046}, {18, 0x8074}, {19, 0x73}, {20, 0x4073}, {22, 0x4043}, {26, 0x4057}, {29, 0x404C},
      {30, 0x77}, {31, 0x4077}, {32, 0x6077}, {33, 0x74}, {34, 0x79}, {40, 0x76}, {50, 0x6043},
      {57, 0x4072}, {69, 0x7A}, {82, 0x4055}, {91, 0x8058}, {95, 0x404D}, {97, 0x4075}, {98, 0x6075},
      {145, 0x78}, {167, 0xA074}, {170, 0x4046}, {180, 0xC045}, {199, 0x8077}, {200, 0xC077}};
  for (auto [tag, code] : shortcuts) {
    m.i16(51656 + 2 * tag, code);
    m.i16(51206 + 2 * tag, code);
  }
  for (int tag : {103, 22, 29, 5}) m.u8(52106 + tag, 1);
  m.u8(36836, 1);
  m.u8(36837, 1);
  m.i16(36836 + 8, 9);
  return m;
}

TEST(CairnDefaultsImage, EveryByteOfTheFactoryRecord) {
  namespace fs = std::filesystem;
  const std::string region = cvtest::UniqueRegionName();
  const fs::path home = fs::temp_directory_path() / ("cairn-image-" + region);
  const std::string temp = (home / "tmp").string();
  std::string out;
  const std::vector<std::string> env = {"CV_SETTINGS_REGION=" + region, "HOME=" + home.string(),
                                        "XDG_CONFIG_HOME=" + (home / "none").string(), "TMPDIR=" + temp,
                                        "LC_ALL=C", "LANG=", "LC_CTYPE="};
  const pid_t holder = cvtest::StartHelper({"setup", "defaults", "hold"}, 3, &out, env);
  ASSERT_GT(holder, 0);
  ASSERT_EQ(out, "ok\nok\nready\n");
  const auto actual = cvtest::RegionBytes(region);
  cvtest::KillHard(holder);

  const std::u16string base = cv::Utf8ToUtf16(home.string()) + u"/cvane7";
  const auto expected = ExpectedDefaults(base, cv::Utf8ToUtf16(temp)).bytes();
  ASSERT_EQ(actual.size(), expected.size());
  int reported = 0;
  for (std::size_t i = 0; i < expected.size() && reported < 20; ++i) {
    if (actual[i] != expected[i]) {
      ADD_FAILURE() << "byte " << i << ": " << int(actual[i]) << ", expected " << int(expected[i]);
      ++reported;
    }
  }
}

}  // namespace
