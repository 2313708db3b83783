#include "text/utf8_unit.h"

#include <cstring>

#include "files/my_kpsmall.h"

namespace cv {

namespace {
constexpr Byte LengthOf(unsigned b) {
  return b < 0xC0 ? 0 : b < 0xE0 ? 1 : b < 0xF0 ? 2 : b < 0xF8 ? 3 : b < 0xFC ? 4 : 5;
}
constexpr unsigned kYieldEvery = 4096;
}  // namespace

const Byte kUTF8SequenceLength[256] = {
#define L4(b) LengthOf(b), LengthOf(b + 1), LengthOf(b + 2), LengthOf(b + 3)
#define L16(b) L4(b), L4(b + 4), L4(b + 8), L4(b + 12)
#define L64(b) L16(b), L16(b + 16), L16(b + 32), L16(b + 48)
    L64(0), L64(64), L64(128), L64(192)
#undef L64
#undef L16
#undef L4
};

AnsiString UTF8SignatureAsUTF8String() { return AnsiString("\xEF\xBB\xBF"); }

Boolean IsUTF8Signature(Byte b1, Byte b2, Byte b3) { return b1 == 0xEF && b2 == 0xBB && b3 == 0xBF; }

Boolean IsUTF8SignatureA(const void* p) {
  if (p == nullptr) return false;
  const auto* b = static_cast<const Byte*>(p);
  return IsUTF8Signature(b[0], b[1], b[2]);
}

Boolean IsUTF8SignatureW(const WideChar* p) {
  if (p == nullptr || p[0] == 0 || p[1] == 0) return false;
  Byte b[4];
  std::memcpy(b, p, 4);  // the two units are known to be there
  return IsUTF8Signature(b[0], b[1], b[2]);
}

Integer UTF8LengthInChars(std::string_view bytes) {
  const std::size_t n = bytes.size();
  std::size_t i = 0;
  Integer chars = 0;
  while (i < n) {
    const Byte b = static_cast<Byte>(bytes[i]);
    std::size_t step;
    if (b < 0x80) step = 1;
    else if ((b & 0xE0) == 0xC0) step = 2;
    else if ((b & 0xF0) == 0xE0) step = 3;
    else if ((b & 0xF8) == 0xF0) step = 4;
    else if ((b & 0xFC) == 0xF8) step = 5;
    else if ((b & 0xFE) == 0xFC) step = 6;
    else return static_cast<Integer>(n);  // continuation byte, FE or FF in lead position
    if (step > n - i) return static_cast<Integer>(n);
    i += step;
    ++chars;
  }
  return chars;
}

namespace {
bool Continuation(Byte b) { return b >= 0x80 && b <= 0xBF; }

// The sequence rules for one sequence of n + 1 bytes (n continuations).
bool SequenceOK(const Byte* s, unsigned n) {
  const Byte lead = s[0];
  if (n > 3) return false;
  if (!(lead < 0x80 || (lead >= 0xC2 && lead <= 0xF4))) return false;
  if (n >= 3 && !Continuation(s[3])) return false;
  if (n >= 2 && !Continuation(s[2])) return false;
  if (n >= 1) {
    if (!Continuation(s[1])) return false;
    if (lead == 0xE0 && s[1] < 0xA0) return false;
    if (lead == 0xF0 && s[1] < 0x90) return false;
    if (lead == 0xF4 && s[1] > 0x8F) return false;
  }
  return true;
}
}  // namespace

Boolean CheckedUTF(std::string_view bytes, Boolean& all_ascii) {
  all_ascii = true;
  const auto* s = reinterpret_cast<const Byte*>(bytes.data());
  const std::size_t len = bytes.size();
  for (std::size_t i = 0; i < len; ++i) {
    const unsigned n = kUTF8SequenceLength[s[i]];
    if (n > len - i - 1) return false;
    if (!SequenceOK(s + i, n)) return false;
    if (n > 0) {
      all_ascii = false;
      return true;
    }
    if ((i + 1) % kYieldEvery == 0) MyYieldProcess();
  }
  return true;
}

}  // namespace cv
