#include "tools/tool_support.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <fstream>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "files/dir_listing.h"
#include "files/file_utils.h"
#include "lists/zip_archive.h"
#include "platform/nls.h"
#include "platform/utf.h"
#include "search/wide_masks.h"
#include "text/code_pages.h"
#include "text/my_string_functions.h"

namespace cv::tool {

// ---------------------------------------------------------------------------
// Arguments

TArgs::TArgs(const std::vector<std::string>& args, const std::vector<TOptionSpec>& specs) {
  bool options_done = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (options_done || a.size() < 2 || a[0] != '-') {
      positional_.push_back(a);
      continue;
    }
    if (a == "--") {
      options_done = true;
      continue;
    }
    std::string name = a, value;
    bool has_value = false;
    if (a.rfind("--", 0) == 0) {
      const auto eq = a.find('=');
      if (eq != std::string::npos) {
        name = a.substr(0, eq);
        value = a.substr(eq + 1);
        has_value = true;
      }
    }
    const TOptionSpec* opt_spec = nullptr;
    for (const auto& s : specs)
      if (name == s.name || (s.alias && name == s.alias)) opt_spec = &s;
    if (!opt_spec) throw UsageError("unknown option " + name + " (see --help)");
    if (opt_spec->takes_value && !has_value) {
      if (i + 1 >= args.size()) throw UsageError("option " + name + " needs a value");
      value = args[++i];
    } else if (!opt_spec->takes_value && has_value) {
      throw UsageError("option " + name + " takes no value");
    }
    options_.emplace_back(opt_spec->name, value);
  }
}

bool TArgs::Has(const std::string& name) const {
  return std::any_of(options_.begin(), options_.end(), [&](const auto& o) { return o.first == name; });
}

std::string TArgs::Value(const std::string& name, const std::string& fallback) const {
  for (auto it = options_.rbegin(); it != options_.rend(); ++it)
    if (it->first == name) return it->second;
  return fallback;
}

long long TArgs::Number(const std::string& name, long long fallback, long long lo, long long hi) const {
  if (!Has(name)) return fallback;
  const std::string v = Value(name);
  char* end = nullptr;
  errno = 0;
  const long long n = std::strtoll(v.c_str(), &end, 10);
  if (v.empty() || *end != '\0' || errno != 0 || n < lo || n > hi)
    throw UsageError(name + " wants a whole number from " + std::to_string(lo) + " to " + std::to_string(hi) +
                     ", not \"" + v + "\"");
  return n;
}

std::string ExeFolder() {
  char buf[4096];
  const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n <= 0) return ".";
  std::string p(buf, static_cast<std::size_t>(n));
  const auto slash = p.rfind('/');
  return slash == std::string::npos ? "." : p.substr(0, slash);
}

// ---------------------------------------------------------------------------
// Choosing files

namespace {

bool MatchesAny(const std::string& name, const std::vector<std::string>& masks) {
  const string n = U16(name);
  for (const auto& m : masks)
    if (MatchesMask(n, U16(m))) return true;
  return false;
}

std::string BaseName(const std::string& p) {
  const auto s = p.find_last_of('/');
  return s == std::string::npos ? p : p.substr(s + 1);
}

bool IsZipName(const std::string& p) {
  const auto dot = p.rfind('.');
  if (dot == std::string::npos) return false;
  std::string ext = p.substr(dot);
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
  return ext == ".zip";
}

void AddFile(const std::string& path, Int64 size, const TFileChoice& choice, std::vector<TTextFile>& out) {
  if (choice.zip_members && IsZipName(path)) {
    try {
      TZipArchiveReader zip(U16(path));
      for (Integer m = 1; m <= zip.MemberCount(); ++m) {
        const std::string name = U8(zip.MemberName(m));
        if (name.empty() || name.back() == '/') continue;
        if (!MatchesAny(BaseName(name), choice.masks)) continue;
        out.push_back({path + "/" + name, path, zip.MemberSize(m)});
      }
      return;
    } catch (const EZipError& e) {
      throw TToolError(path + ": not a readable zip archive (" + e.what() + ")");
    }
  }
  out.push_back({path, "", size});
}

void Walk(const std::string& folder, const TFileChoice& choice, std::vector<TTextFile>& out, int depth) {
  std::vector<TDirEntry> entries;
  if (!ReadDirectory(U16(folder), entries)) throw TToolError("cannot read the folder " + folder);
  const std::string prefix = folder.empty() || folder.back() == '/' ? folder : folder + "/";
  for (const TDirEntry& e : entries) {
    const std::string p = prefix + e.raw;
    if (e.is_dir) {
      if (choice.subfolders && depth < 64) Walk(p, choice, out, depth + 1);
    } else if (e.is_regular && (MatchesAny(e.raw, choice.masks) || (choice.zip_members && IsZipName(p)))) {
      struct stat st;
      AddFile(p, ::stat(p.c_str(), &st) == 0 ? st.st_size : 0, choice, out);
    }
  }
}

}  // namespace

std::vector<TTextFile> ChooseTextFiles(const std::vector<std::string>& paths, const TFileChoice& choice) {
  std::vector<TTextFile> out;
  for (const std::string& p : paths) {
    struct stat st;
    if (::stat(p.c_str(), &st) != 0) throw TToolError("no such file or folder: " + p);
    if (S_ISDIR(st.st_mode))
      Walk(p, choice, out, 0);
    else
      AddFile(p, st.st_size, choice, out);
  }
  return out;
}

// ---------------------------------------------------------------------------
// Reading text

void AppendUtf8(std::string& out, std::u16string_view s) {
  for (std::size_t i = 0; i < s.size(); ++i) {
    char32_t c = s[i];
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
      continue;
    }
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (s[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;
    }
    if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (c >> 12)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (c >> 18)));
      out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
}

std::string U8(std::u16string_view s) {
  std::string out;
  out.reserve(s.size());
  AppendUtf8(out, s);
  return out;
}

string U16(const std::string& s) { return Utf8ToUtf16(s); }

namespace {

enum class Enc { utf8, utf16le, utf16be, codepage };

// Bytes to UTF-16, appended.  ASCII runs are widened directly; the rest goes
// through the runtime's converters (whole blocks for double-byte pages,
// whose trail bytes may look like ASCII).
void Decode(Enc enc, Cardinal cp, std::string_view b, string& out) {
  if (enc == Enc::utf16le || enc == Enc::utf16be) {
    const std::size_t n = b.size() / 2;
    const std::size_t at = out.size();
    out.resize(at + n);
    for (std::size_t i = 0; i < n; ++i) {
      const auto lo = static_cast<unsigned char>(b[2 * i + (enc == Enc::utf16le ? 0 : 1)]);
      const auto hi = static_cast<unsigned char>(b[2 * i + (enc == Enc::utf16le ? 1 : 0)]);
      out[at + i] = static_cast<char16_t>(lo | (hi << 8));
    }
    return;
  }
  const bool dbcs = enc == Enc::codepage && (cp == 932 || cp == 936 || cp == 949 || cp == 950);
  if (dbcs) {
    out += MultiByteToWide(cp, b);
    return;
  }
  // Room for one unit a byte, which is all that ASCII and the single-byte
  // pages need; a converted run that comes out longer makes more room.
  std::size_t o = out.size();
  out.resize(o + b.size());
  std::size_t i = 0;
  while (i < b.size()) {
#if defined(__SSE2__)
    while (i + 16 <= b.size()) {
      const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b.data() + i));
      if (_mm_movemask_epi8(v) != 0) break;
      _mm_storeu_si128(reinterpret_cast<__m128i*>(out.data() + o), _mm_unpacklo_epi8(v, _mm_setzero_si128()));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(out.data() + o + 8), _mm_unpackhi_epi8(v, _mm_setzero_si128()));
      i += 16;
      o += 16;
    }
#endif
    while (i < b.size() && static_cast<unsigned char>(b[i]) < 0x80) out[o++] = static_cast<char16_t>(b[i++]);
    std::size_t j = i;
    while (j < b.size() && static_cast<unsigned char>(b[j]) >= 0x80) ++j;
    if (j > i) {
      const string run = enc == Enc::utf8 ? Utf8ToUtf16(b.substr(i, j - i)) : MultiByteToWide(cp, b.substr(i, j - i));
      if (o + run.size() + (b.size() - j) > out.size()) out.resize(o + run.size() + (b.size() - j));
      std::copy(run.begin(), run.end(), out.begin() + static_cast<std::ptrdiff_t>(o));
      o += run.size();
      i = j;
    }
  }
  out.resize(o);
}

bool IsBreakByte(char c) { return c == ' ' || c == '\n' || c == '\r' || c == '\t'; }

// Feeds UTF-16 text to the callback in pieces with overlap.
class TPiecer {
 public:
  TPiecer(std::size_t piece_units, std::size_t overlap, const TPieceFunct& f)
      : piece_(piece_units), overlap_(overlap), f_(f) {}
  // Takes text that ends at a safe cut (or the end of the text).
  bool Push(string& pending, bool last) {
    if (pending.empty() && !last) return true;
    const bool ok = f_(pending, start_, repeated_);
    if (!ok || last) return ok;
    // Keep an overlap that begins after white space.
    std::size_t keep = 0;
    if (overlap_ > 0 && !pending.empty()) {
      std::size_t from = pending.size() > overlap_ ? pending.size() - overlap_ : 0;
      while (from < pending.size() && !(pending[from] == u' ' || pending[from] == u'\n')) ++from;
      keep = pending.size() - std::min(pending.size(), from + 1);
    }
    start_ += static_cast<Int64>(pending.size() - keep);
    pending.erase(0, pending.size() - keep);
    repeated_ = keep;
    return true;
  }
  std::size_t PieceUnits() const { return piece_; }

 private:
  std::size_t piece_, overlap_;
  const TPieceFunct& f_;
  Int64 start_ = 0;
  std::size_t repeated_ = 0;
};

std::string ReadMemory(std::string_view bytes, const std::string& name, std::size_t piece_units, std::size_t overlap,
                       const TPieceFunct& f) {
  TFileContentsSet type = FileBufferType(bytes.data(), static_cast<Int64>(std::min<std::size_t>(bytes.size(), 1 << 16)),
                                         true);
  std::string enc_name;
  Enc enc = Enc::codepage;
  const Cardinal cp = GetACP();
  std::size_t skip = 0;
  const auto* u = reinterpret_cast<const unsigned char*>(bytes.data());
  if (InFileContents(type, _Zip)) {
    // A word-processor document.
    throw TToolError(name + ": a zip archive inside an archive is not read");
  }
  if (InFileContents(type, _early_Word) || InFileContents(type, _Storage))
    throw TToolError(name + ": not a text file (a binary document)");
  if (InFileContents(type, _16_bit)) {
    enc = Enc::utf16le;
    enc_name = "UTF-16LE";
    if (bytes.size() >= 2 && u[0] == 0xFF && u[1] == 0xFE) skip = 2;
  } else if (InFileContents(type, _16_bit_reversed)) {
    enc = Enc::utf16be;
    enc_name = "UTF-16BE";
    if (bytes.size() >= 2 && u[0] == 0xFE && u[1] == 0xFF) skip = 2;
  } else if (InFileContents(type, _UTF8)) {
    enc = Enc::utf8;
    enc_name = "UTF-8";
    if (bytes.size() >= 3 && u[0] == 0xEF && u[1] == 0xBB && u[2] == 0xBF) skip = 3;
  } else {
    enc_name = "cp" + std::to_string(cp);
  }
  TPiecer piecer(piece_units, overlap, f);
  string pending;
  const std::size_t unit = (enc == Enc::utf16le || enc == Enc::utf16be) ? 2 : 1;
  std::size_t pos = skip;
  while (pos < bytes.size()) {
    std::size_t end = std::min(bytes.size(), pos + piece_units * unit);
    if (end < bytes.size()) {
      // Cut after white space: never inside a word or a character.
      std::size_t cut = end;
      if (unit == 1) {
        while (cut > pos && !IsBreakByte(bytes[cut - 1])) --cut;
      } else {
        cut -= (cut - pos) % 2;
        while (cut > pos) {
          const std::size_t lo = cut - 2 + (enc == Enc::utf16le ? 0 : 1);
          const std::size_t hi = cut - 2 + (enc == Enc::utf16le ? 1 : 0);
          if (bytes[hi] == 0 && IsBreakByte(bytes[lo])) break;
          cut -= 2;
        }
      }
      if (cut > pos) end = cut;
    } else if (unit == 2) {
      end -= (end - pos) % 2;
      if (end == pos) break;
    }
    Decode(enc, cp, bytes.substr(pos, end - pos), pending);
    pos = end;
    if (!piecer.Push(pending, pos >= bytes.size())) return enc_name;
  }
  if (pos == skip) piecer.Push(pending, true);
  return enc_name;
}

}  // namespace

std::string ReadTextInPieces(const TTextFile& file, std::size_t piece_units, std::size_t overlap,
                             const TPieceFunct& piece, const std::function<void(Int64)>& bytes_read) {
  constexpr std::size_t kMemberCap = std::size_t{1} << 30;
  auto lower_ext = [](const std::string& p) {
    const auto dot = p.rfind('.');
    std::string e = dot == std::string::npos ? "" : p.substr(dot);
    std::transform(e.begin(), e.end(), e.begin(), [](unsigned char c) { return std::tolower(c); });
    return e;
  };
  if (!file.archive.empty()) {
    std::string bytes;
    try {
      TZipArchiveReader zip(U16(file.archive));
      const std::string member = file.path.substr(file.archive.size() + 1);
      const Integer n = zip.IndexOfName(U16(member));
      if (n == 0 || !zip.ReadMember(n, kMemberCap, bytes)) throw TToolError(file.path + ": cannot read the member");
    } catch (const EZipError& e) {
      throw TToolError(file.path + ": " + e.what());
    }
    if (bytes_read) bytes_read(static_cast<Int64>(bytes.size()));
    return ReadMemory(bytes, file.path, piece_units, overlap, piece);
  }
  if (lower_ext(file.path) == ".docx") {
    string text;
    try {
      text = DOCXFileText(U16(file.path));
    } catch (const std::exception& e) {
      throw TToolError(file.path + ": not a readable DOCX file (" + e.what() + ")");
    }
    if (bytes_read) bytes_read(file.size);
    piece(text, 0, 0);
    return "DOCX";
  }
  // Plain files are read whole in blocks of a few megabytes, cut at white
  // space, so memory stays bounded whatever the file's size.
  std::ifstream in(file.path, std::ios::binary);
  if (!in) throw TToolError("cannot read " + file.path);
  constexpr std::size_t kBlock = 8u << 20;
  std::string block, carry;
  std::string enc_name;
  bool first = true;
  bool stopped = false;
  // Carry-over between blocks keeps the decoder's cut rule in one place:
  // each block is decoded as a small "file" whose encoding was fixed by the
  // first block.
  TFileContentsSet type = 0;
  std::vector<char> buf(kBlock);
  TPiecer piecer(piece_units, overlap, piece);
  string pending;
  Enc enc = Enc::codepage;
  const Cardinal cp = GetACP();
  for (;;) {
    in.read(buf.data(), static_cast<std::streamsize>(buf.size()));
    const std::size_t got = static_cast<std::size_t>(in.gcount());
    if (in.bad()) throw TToolError("read error in " + file.path);
    if (bytes_read && got) bytes_read(static_cast<Int64>(got));
    block.assign(carry);
    block.append(buf.data(), got);
    carry.clear();
    const bool at_end = got < buf.size();
    std::size_t skip = 0;
    if (first) {
      first = false;
      type = FileBufferType(block.data(), static_cast<Int64>(std::min<std::size_t>(block.size(), 1 << 16)), true);
      const auto* u = reinterpret_cast<const unsigned char*>(block.data());
      if (InFileContents(type, _Zip)) throw TToolError(file.path + ": a zip archive, not a text file");
      if (InFileContents(type, _early_Word) || InFileContents(type, _Storage))
        throw TToolError(file.path + ": not a text file (a binary document)");
      if (InFileContents(type, _16_bit)) {
        enc = Enc::utf16le;
        enc_name = "UTF-16LE";
        if (block.size() >= 2 && u[0] == 0xFF && u[1] == 0xFE) skip = 2;
      } else if (InFileContents(type, _16_bit_reversed)) {
        enc = Enc::utf16be;
        enc_name = "UTF-16BE";
        if (block.size() >= 2 && u[0] == 0xFE && u[1] == 0xFF) skip = 2;
      } else if (InFileContents(type, _UTF8)) {
        enc = Enc::utf8;
        enc_name = "UTF-8";
        if (block.size() >= 3 && u[0] == 0xEF && u[1] == 0xBB && u[2] == 0xBF) skip = 3;
      } else {
        enc_name = "cp" + std::to_string(cp);
      }
    }
    const std::size_t unit = (enc == Enc::utf16le || enc == Enc::utf16be) ? 2 : 1;
    std::size_t end = block.size();
    if (!at_end) {
      std::size_t cut = end - (end - skip) % unit;
      if (unit == 1) {
        while (cut > skip && !IsBreakByte(block[cut - 1])) --cut;
      } else {
        while (cut > skip) {
          const std::size_t lo = cut - 2 + (enc == Enc::utf16le ? 0 : 1);
          const std::size_t hi = cut - 2 + (enc == Enc::utf16le ? 1 : 0);
          if (block[hi] == 0 && IsBreakByte(block[lo])) break;
          cut -= 2;
        }
      }
      if (cut > skip) {
        end = cut;
      } else {
        // One enormous word: cut anyway, but never inside a character.
        end -= (end - skip) % unit;
        const auto* u = reinterpret_cast<const unsigned char*>(block.data());
        if (enc == Enc::utf8) {
          // The last character that starts in the block's final four bytes
          // goes to the next block when it is not complete here.
          std::size_t p = end;
          while (p > skip && end - p < 4 && (u[p - 1] & 0xC0) == 0x80) --p;
          if (p > skip) {
            const unsigned char lead = u[p - 1];
            const std::size_t len = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
            if (p - 1 + len > end && p - 1 > skip) end = p - 1;
          }
        } else if (unit == 2 && end - skip >= 4) {
          const std::size_t hi_byte = end - 2 + (enc == Enc::utf16le ? 1 : 0);
          if (u[hi_byte] >= 0xD8 && u[hi_byte] <= 0xDB) end -= 2;  // keep a surrogate pair whole
        }
      }
      carry.assign(block, end, std::string::npos);
    } else {
      end -= (end - skip) % unit;
    }
    Decode(enc, cp, std::string_view(block).substr(skip, end - skip), pending);
    if (pending.size() >= piecer.PieceUnits() || at_end) {
      if (!piecer.Push(pending, at_end)) {
        stopped = true;
        break;
      }
    }
    if (at_end) break;
  }
  (void)stopped;
  return enc_name.empty() ? "cp" + std::to_string(cp) : enc_name;
}

TFileChoice FileChoiceFromArgs(const TArgs& args) {
  TFileChoice choice;
  if (args.Has("--mask")) {
    choice.masks.clear();
    const std::string m = args.Value("--mask");
    std::size_t from = 0;
    while (from <= m.size()) {
      const auto semi = m.find(';', from);
      const std::string one = m.substr(from, semi == std::string::npos ? std::string::npos : semi - from);
      if (!one.empty()) choice.masks.push_back(one);
      if (semi == std::string::npos) break;
      from = semi + 1;
    }
    if (choice.masks.empty()) throw UsageError("--mask needs at least one mask");
  }
  choice.subfolders = !args.Has("--no-subfolders");
  choice.zip_members = !args.Has("--no-zip");
  return choice;
}

}  // namespace cv::tool
