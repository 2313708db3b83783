#include "tools/results_file.h"

#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <vector>
#include <fstream>
#include <sstream>

#include "platform/coding.h"
#include "stored/wdef.h"
#include "tools/tool_support.h"

namespace cv::tool {

namespace {
std::array<std::uint32_t, 256> MakeCrcTable() {
  std::array<std::uint32_t, 256> t{};
  for (std::uint32_t i = 0; i < 256; ++i) {
    std::uint32_t c = i;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    t[i] = c;
  }
  return t;
}
}  // namespace

std::uint32_t Crc32(std::uint32_t crc, const void* p, std::size_t n) {
  static const auto table = MakeCrcTable();
  const auto* b = static_cast<const unsigned char*>(p);
  for (std::size_t i = 0; i < n; ++i) crc = table[(crc ^ b[i]) & 0xFF] ^ (crc >> 8);
  return crc;
}

void TResultsWriter::Bytes(const void* p, std::size_t n) {
  s_.WriteBuffer(p, static_cast<Int64>(n));
}

void TResultsWriter::PatchInt32(std::size_t at, Integer v) {
  const Int64 here = s_.Position();
  s_.Seek(static_cast<Int64>(at), TSeekOrigin::soBeginning);
  Int32(v);
  s_.Seek(here, TSeekOrigin::soBeginning);
}

void TResultsWriter::Int32(Integer v) {
  unsigned char b[4];
  for (int i = 0; i < 4; ++i) b[i] = static_cast<unsigned char>(static_cast<std::uint32_t>(v) >> (8 * i));
  Bytes(b, 4);
}

void TResultsWriter::Int64v(Int64 v) {
  unsigned char b[8];
  for (int i = 0; i < 8; ++i) b[i] = static_cast<unsigned char>(static_cast<std::uint64_t>(v) >> (8 * i));
  Bytes(b, 8);
}

void TResultsWriter::String(std::u16string_view v) {
  if (v.size() > static_cast<std::size_t>(kMaxStoredString)) v = v.substr(0, kMaxStoredString);
  Int32(static_cast<Integer>(v.size()));
  std::string b(v.size() * 2, '\0');
  for (std::size_t i = 0; i < v.size(); ++i) {
    b[2 * i] = static_cast<char>(v[i] & 0xFF);
    b[2 * i + 1] = static_cast<char>(v[i] >> 8);
  }
  Bytes(b.data(), b.size());
}

void TResultsReader::Damaged(const std::string& what) const {
  throw TToolError(name_ + ": damaged results file (" + what + ")");
}

void TResultsReader::Need(std::size_t n) const {
  if (n > end_ - pos_) Damaged("it ends too soon");
}

Integer TResultsReader::Int32() {
  Need(4);
  std::uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(static_cast<unsigned char>(b_[pos_ + i])) << (8 * i);
  pos_ += 4;
  return static_cast<Integer>(v);
}

Int64 TResultsReader::Int64v() {
  Need(8);
  std::uint64_t v = 0;
  for (int i = 0; i < 8; ++i) v |= static_cast<std::uint64_t>(static_cast<unsigned char>(b_[pos_ + i])) << (8 * i);
  pos_ += 8;
  return static_cast<Int64>(v);
}

string TResultsReader::String() {
  const Integer len = Int32();
  if (len < 0 || len > kMaxStoredString) Damaged("a text length of " + std::to_string(len));
  Need(static_cast<std::size_t>(len) * 2);
  string s(static_cast<std::size_t>(len), u'\0');
  for (Integer i = 0; i < len; ++i)
    s[i] = static_cast<char16_t>(static_cast<unsigned char>(b_[pos_ + 2 * i]) |
                                 (static_cast<unsigned char>(b_[pos_ + 2 * i + 1]) << 8));
  pos_ += static_cast<std::size_t>(len) * 2;
  return s;
}

Integer TResultsReader::Count(std::size_t min_entry) {
  const Integer n = Int32();
  if (n < 0 || static_cast<std::size_t>(n) > (end_ - pos_) / (min_entry ? min_entry : 1))
    Damaged("a count of " + std::to_string(n));
  return n;
}

void SaveResults(const std::string& file_name, tool_type tool, TCorvaneList list,
                 const std::function<void(TResultsWriter&)>& body) {
  try {
    SaveFileAtomically(U16(file_name), [&](TStream& s) {
      TCheckSignature sig{};
      if (!DiskSignatureISOKForToolAndList(sig, tool, list, s, writing))
        throw TToolError("cannot write the results header");
      TResultsWriter w(s);
      w.Int32(kResultsVersion);
      body(w);
      // The checksum is taken over what is on disk, after any patches.
      const Int64 end = s.Position();
      s.Seek(static_cast<Int64>(kCheckSignatureSize), TSeekOrigin::soBeginning);
      std::uint32_t crc = 0xFFFFFFFFu;
      std::vector<char> buf(1 << 20);
      for (Int64 left = end - static_cast<Int64>(kCheckSignatureSize); left > 0;) {
        const Int64 want = std::min<Int64>(left, static_cast<Int64>(buf.size()));
        s.ReadBuffer(buf.data(), want);
        crc = Crc32(crc, buf.data(), static_cast<std::size_t>(want));
        left -= want;
      }
      crc = ~crc;
      s.Seek(end, TSeekOrigin::soBeginning);
      unsigned char b[4];
      for (int i = 0; i < 4; ++i) b[i] = static_cast<unsigned char>(crc >> (8 * i));
      s.WriteBuffer(b, 4);
    });
  } catch (const TToolError&) {
    throw;
  } catch (const std::exception& e) {
    throw TToolError("cannot save " + file_name + ": " + e.what());
  }
}

std::unique_ptr<TResultsReader> OpenResults(const std::string& file_name, tool_type tool, TCorvaneList list) {
  std::ifstream in(file_name, std::ios::binary);
  if (!in) throw TToolError("cannot read " + file_name);
  std::ostringstream ss;
  ss << in.rdbuf();
  std::string bytes = ss.str();
  if (bytes.size() < kCheckSignatureSize + 8)
    throw TToolError(file_name + ": not a corvane results file (too short)");
  TBytesStream head(std::string_view(bytes).substr(0, kCheckSignatureSize));
  TCheckSignature sig{};
  if (!DiskSignatureISOKForToolAndList(sig, tool, list, head, reading))
    throw TToolError(file_name + ": not a corvane " + (list == lt_word_list ? "word list" : "concordance") +
                     " results file");
  const std::size_t content_end = bytes.size() - 4;
  std::uint32_t stored = 0;
  for (int i = 0; i < 4; ++i)
    stored |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[content_end + i])) << (8 * i);
  const std::uint32_t crc =
      ~Crc32(0xFFFFFFFFu, bytes.data() + kCheckSignatureSize, content_end - kCheckSignatureSize);
  auto r = std::make_unique<TResultsReader>(std::move(bytes), file_name);
  if (crc != stored) r->Damaged("checksum mismatch");
  r->SetRange(kCheckSignatureSize, content_end);
  const Integer version = r->Int32();
  if (version != kResultsVersion) r->Damaged("version " + std::to_string(version));
  return r;
}

bool IsResultsFile(const std::string& file_name, tool_type tool, TCorvaneList list) {
  std::ifstream in(file_name, std::ios::binary);
  char b[kCheckSignatureSize];
  if (!in.read(b, sizeof b)) return false;
  TBytesStream head(std::string_view(b, sizeof b));
  TCheckSignature sig{};
  return DiskSignatureISOKForToolAndList(sig, tool, list, head, reading);
}

}  // namespace cv::tool
