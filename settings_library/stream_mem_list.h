// Lists streamed through a named shared region, so that another process can
// load them.
//
// Map image (little-endian):
//   total:  int32   4 + the sum of the items' sizes
//   item*:  length int32 (> 0, the bytes that follow), then the item's bytes
// Each item's size in the image is its length plus the 4-byte prefix.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "platform/types.h"
#include "settings_library/shared_region.h"

namespace cv {

// A region whose size can change while only this process holds it.  Its name
// is "cairn_compartilhar" + the name given, so all of the suite's regions
// share one name space.
class TFlexibleSizeMap {
 public:
  TFlexibleSizeMap(const std::string& name, std::size_t size);

  bool IsOpen() const { return map_ && map_->IsOpen(); }
  std::size_t MapSize() const { return IsOpen() ? map_->MapSize() : 0; }
  const std::string& MapName() const { return name_; }

  // Byte index of the next read or write.
  long Position = 0;

  // Makes the region `wanted` bytes long when it is not.  While other
  // processes hold the region it keeps its size; a region smaller than wanted
  // is then left closed, and every access to it fails.
  void Checksize(std::size_t wanted);
  // Position := index; copies up to count bytes that lie inside the region,
  // advances Position by that many and returns it.
  std::size_t ReadFromMemmap(void* buffer, long index, long count);
  // Position := index; copies count bytes when they fit wholly inside the
  // region and advances Position; false (nothing written) otherwise.
  bool WriteToMemmap(const void* buffer, long index, long count);

 private:
  std::string name_;
  std::unique_ptr<TMemoryMapFile> map_;
};

class TMyStreamMemList {
 public:
  explicit TMyStreamMemList(const std::string& name);
  virtual ~TMyStreamMemList() = default;

  // True after MoveToMemmap: the items are only in the region.
  bool data_only_in_memmap = false;
  TFlexibleSizeMap memmap;

  // Sizes the region to the image and writes it; false when any item fails
  // or the region cannot hold the image.
  bool CopyToMemmap();
  // CopyToMemmap, then empties the list.
  bool MoveToMemmap();
  // Empties the list and reads the items back; false for an image that is
  // too short, inconsistent or holds an item its reader refuses.
  bool LoadFromMemmap();

 protected:
  virtual int Count() const = 0;
  virtual void Clear() = 0;
  // Bytes item i takes in the image, its 4-byte length prefix included.
  virtual Integer SizeofHolderData(int i) const = 0;
  // Writes item i (prefix included) at memmap.Position, advancing it.
  virtual bool WriteHolderToMap(int i) = 0;
  // Reads one item from memmap.Position (just after its prefix), adds it to
  // the list and returns the bytes it consumed; 0 or less when it cannot.
  virtual Integer ReadHolderFromMap() = 0;
};

}  // namespace cv
