#include "settings_library/stream_mem_list.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace cv {

namespace {

constexpr char kPrefix[] = "cairn_compartilhar";

Integer GetLE32(const unsigned char* p) {
  return static_cast<Integer>(static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
                              static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24);
}

void PutLE32(unsigned char* p, Integer v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(static_cast<std::uint32_t>(v) >> (8 * i));
}

}  // namespace

TFlexibleSizeMap::TFlexibleSizeMap(const std::string& name, std::size_t size)
    : name_(kPrefix + name), map_(std::make_unique<TMemoryMapFile>(name_, size)) {}

void TFlexibleSizeMap::Checksize(std::size_t wanted) {
  if (IsOpen() && MapSize() == wanted) return;
  map_.reset();  // alone, this removes the region, so it comes back resized
  map_ = std::make_unique<TMemoryMapFile>(name_, wanted);
}

std::size_t TFlexibleSizeMap::ReadFromMemmap(void* buffer, long index, long count) {
  Position = index;
  const std::size_t n = IsOpen() ? map_->ReadFromMemmap(buffer, index, count) : 0;
  Position += static_cast<long>(n);
  return n;
}

bool TFlexibleSizeMap::WriteToMemmap(const void* buffer, long index, long count) {
  Position = index;
  if (!IsOpen() || !map_->WriteToMemmap(buffer, index, count)) return false;
  Position += count;
  return true;
}

TMyStreamMemList::TMyStreamMemList(const std::string& name) : memmap(name, 4) {}

bool TMyStreamMemList::CopyToMemmap() {
  std::int64_t total = 4;
  for (int i = 0; i < Count(); ++i) {
    const Integer size = SizeofHolderData(i);
    if (size < 4) return false;
    total += size;
  }
  if (total > INT32_MAX) return false;
  memmap.Checksize(static_cast<std::size_t>(total));
  unsigned char head[4];
  PutLE32(head, static_cast<Integer>(total));
  if (!memmap.WriteToMemmap(head, 0, 4)) return false;
  for (int i = 0; i < Count(); ++i)
    if (!WriteHolderToMap(i)) return false;
  return true;
}

bool TMyStreamMemList::MoveToMemmap() {
  const bool ok = CopyToMemmap();
  Clear();
  data_only_in_memmap = true;
  return ok;
}

bool TMyStreamMemList::LoadFromMemmap() {
  Clear();
  data_only_in_memmap = false;
  if (memmap.MapSize() <= 3) return false;
  unsigned char word[4];
  if (memmap.ReadFromMemmap(word, 0, 4) != 4) return false;
  const Integer total = GetLE32(word);
  // The image must lie inside the region: a damaged total is refused rather
  // than followed.
  if (total < 4 || static_cast<std::size_t>(total) > memmap.MapSize()) return false;
  bool ok = true;
  long pos = 4;
  while (pos < total) {
    if (memmap.ReadFromMemmap(word, pos, 4) != 4) return false;
    const Integer length = GetLE32(word);
    if (length <= 0 || length > total - pos - 4) return false;
    memmap.Position = pos + 4;
    const Integer used = ReadHolderFromMap();
    if (used <= 0) return false;
    ok = ok && used == length;
    pos += 4 + static_cast<long>(used);
  }
  return ok;
}

}  // namespace cv
