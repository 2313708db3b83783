// Little-endian encoding of the integers and UTF-16 units of stored formats.
//
// Every stored format of the runtime is little-endian with counts before
// data.  Writers append to a byte string with the Put* helpers; readers
// decode through a Cursor, which knows where its input ends: every Get*
// advances only when the bytes are there and returns false otherwise, so a
// reader never runs off the end of its input.  Bytes are assembled one by
// one, so the helpers are independent of the host's byte order and never
// read unaligned memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace cv {

inline void EncodeFixed16(std::uint8_t* dst, std::uint16_t v) {
  dst[0] = static_cast<std::uint8_t>(v);
  dst[1] = static_cast<std::uint8_t>(v >> 8);
}

inline void EncodeFixed32(std::uint8_t* dst, std::uint32_t v) {
  dst[0] = static_cast<std::uint8_t>(v);
  dst[1] = static_cast<std::uint8_t>(v >> 8);
  dst[2] = static_cast<std::uint8_t>(v >> 16);
  dst[3] = static_cast<std::uint8_t>(v >> 24);
}

inline void EncodeFixed64(std::uint8_t* dst, std::uint64_t v) {
  EncodeFixed32(dst, static_cast<std::uint32_t>(v));
  EncodeFixed32(dst + 4, static_cast<std::uint32_t>(v >> 32));
}

inline std::uint16_t DecodeFixed16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

inline std::uint32_t DecodeFixed32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

inline std::uint64_t DecodeFixed64(const std::uint8_t* p) {
  return static_cast<std::uint64_t>(DecodeFixed32(p)) |
         (static_cast<std::uint64_t>(DecodeFixed32(p + 4)) << 32);
}

// Appending writers.
inline void PutFixed8(std::string& dst, std::uint8_t v) { dst.push_back(static_cast<char>(v)); }
inline void PutFixed16(std::string& dst, std::uint16_t v) {
  std::uint8_t b[2];
  EncodeFixed16(b, v);
  dst.append(reinterpret_cast<const char*>(b), 2);
}
inline void PutFixed32(std::string& dst, std::uint32_t v) {
  std::uint8_t b[4];
  EncodeFixed32(b, v);
  dst.append(reinterpret_cast<const char*>(b), 4);
}
inline void PutFixed64(std::string& dst, std::uint64_t v) {
  std::uint8_t b[8];
  EncodeFixed64(b, v);
  dst.append(reinterpret_cast<const char*>(b), 8);
}
// UTF-16 units, two bytes each, low byte first.
inline void PutUtf16(std::string& dst, std::u16string_view s) {
  const std::size_t at = dst.size();
  dst.resize(at + 2 * s.size());
  auto* p = reinterpret_cast<std::uint8_t*>(dst.data() + at);
  for (char16_t c : s) {
    EncodeFixed16(p, static_cast<std::uint16_t>(c));
    p += 2;
  }
}

// Decodes n UTF-16 units from 2n bytes the caller has checked are there.
inline void DecodeUtf16(const std::uint8_t* p, std::size_t n, char16_t* out) {
  for (std::size_t i = 0; i < n; ++i) out[i] = static_cast<char16_t>(DecodeFixed16(p + 2 * i));
}

// A read position over a byte range [begin, end).
class Cursor {
 public:
  Cursor() = default;
  Cursor(const void* data, std::size_t size)
      : p_(static_cast<const std::uint8_t*>(data)), end_(p_ + size) {}
  explicit Cursor(std::string_view bytes) : Cursor(bytes.data(), bytes.size()) {}

  std::size_t remaining() const { return static_cast<std::size_t>(end_ - p_); }
  bool empty() const { return p_ == end_; }
  const std::uint8_t* data() const { return p_; }

  bool Skip(std::size_t n) {
    if (n > remaining()) return false;
    p_ += n;
    return true;
  }
  bool GetFixed8(std::uint8_t& v) {
    if (remaining() < 1) return false;
    v = *p_++;
    return true;
  }
  bool GetFixed16(std::uint16_t& v) {
    if (remaining() < 2) return false;
    v = DecodeFixed16(p_);
    p_ += 2;
    return true;
  }
  bool GetFixed32(std::uint32_t& v) {
    if (remaining() < 4) return false;
    v = DecodeFixed32(p_);
    p_ += 4;
    return true;
  }
  bool GetInt32(std::int32_t& v) {
    std::uint32_t u;
    if (!GetFixed32(u)) return false;
    v = static_cast<std::int32_t>(u);
    return true;
  }
  bool GetFixed64(std::uint64_t& v) {
    if (remaining() < 8) return false;
    v = DecodeFixed64(p_);
    p_ += 8;
    return true;
  }
  // n bytes, as a view into the input.
  bool GetBytes(std::size_t n, std::string_view& out) {
    if (n > remaining()) return false;
    out = std::string_view(reinterpret_cast<const char*>(p_), n);
    p_ += n;
    return true;
  }
  // n UTF-16 units (2n bytes).
  bool GetUtf16(std::size_t n, std::u16string& out) {
    if (n > remaining() / 2) return false;
    out.resize(n);
    DecodeUtf16(p_, n, out.data());
    p_ += 2 * n;
    return true;
  }

 private:
  const std::uint8_t* p_ = nullptr;
  const std::uint8_t* end_ = nullptr;
};

}  // namespace cv
