// The Delphi runtime's containers and streams: TList (a list of pointers),
// TStringList, and the TStream family (memory and file streams).
//
// Behaviour follows Delphi's Classes unit where callers can observe it:
// indices are 0-based and checked (EListError / EStringListError), TList.Sort
// is Delphi's quicksort (same order of equal items), ReadBuffer/WriteBuffer
// throw on a short transfer, file streams take Delphi's open modes.  Paths
// are UTF-16 `string`s, converted to UTF-8 for the operating system.
//
// Streams report sizes and counts as Int64.  TFileStream is buffered: many
// small reads or writes of fields cost one system call per buffer, not per
// field.  Nothing here is thread-safe; the runtime is single-threaded.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/types.h"

namespace cv {

// ---------------------------------------------------------------------------
// Exceptions.  what() is UTF-8; Message() is the same text in UTF-16.

class EClassesError : public std::runtime_error {
 public:
  explicit EClassesError(const string& message);
  const string& Message() const { return message_; }

 private:
  string message_;
};

class EListError : public EClassesError { using EClassesError::EClassesError; };
class EStringListError : public EClassesError { using EClassesError::EClassesError; };
class EStreamError : public EClassesError { using EClassesError::EClassesError; };
class EReadError : public EStreamError { using EStreamError::EStreamError; };
class EWriteError : public EStreamError { using EStreamError::EStreamError; };
class EFOpenError : public EStreamError { using EStreamError::EStreamError; };
class EFCreateError : public EStreamError { using EStreamError::EStreamError; };

// The read error of stored data: a length, count or record read from a
// stream or file that cannot be right.  The message is the suite's resource
// text "file read error : %s" with the name of the routine that found it.
inline constexpr char16_t rs_CVFileReadError[] = u"file read error : %s";
class EFileReadError : public EReadError {
 public:
  explicit EFileReadError(std::u16string_view routine);
};

// ---------------------------------------------------------------------------
// TList

enum class TListNotification : Byte { lnAdded, lnExtracted, lnDeleted };

// Three-way comparison of two items: < 0, 0, > 0.
using TListSortCompare = int (*)(void* item1, void* item2);

class TList {
 public:
  TList() = default;
  TList(const TList&) = delete;
  TList& operator=(const TList&) = delete;
  virtual ~TList();

  Integer Count() const { return static_cast<Integer>(items_.size()); }
  // Growing fills with nil; shrinking drops the tail (with lnDeleted notices).
  void SetCount(Integer n);
  Integer Capacity() const { return static_cast<Integer>(items_.capacity()); }
  void SetCapacity(Integer n);

  void* Items(Integer index) const;             // EListError out of range
  void SetItem(Integer index, void* item);
  void* operator[](Integer index) const { return Items(index); }
  void* First() const { return Items(0); }
  void* Last() const { return Items(Count() - 1); }
  // Direct access to the slots; valid until the list changes size.
  void** List() { return items_.data(); }
  void* const* List() const { return items_.data(); }

  Integer Add(void* item);
  void Insert(Integer index, void* item);      // 0 <= index <= Count
  void Delete(Integer index);
  Integer Remove(void* item);                    // index it had, or -1
  void* Extract(void* item);
  void Exchange(Integer index1, Integer index2);
  void Move(Integer cur_index, Integer new_index);
  Integer IndexOf(const void* item) const;
  // Removes nil slots, keeping the order of the others.
  void Pack();
  // Delphi's TList.Sort: a quicksort, not stable.  Recursion always goes
  // into the smaller part, so the stack stays O(log n).
  void Sort(TListSortCompare compare);
  void SortWith(const std::function<int(void*, void*)>& compare);
  virtual void Clear();

 protected:
  virtual void Notify(void* /*ptr*/, TListNotification /*action*/) {}
  [[noreturn]] void Error(const char16_t* what, Integer index) const;
  void CheckIndex(Integer index) const {
    if (index < 0 || index >= Count()) Error(u"List index out of bounds (%d)", index);
  }

 private:
  std::vector<void*> items_;
};

// The quicksort of TList.Sort over items[l..r] (inclusive), for any
// comparison callable as compare(void*, void*) -> int; exposed for lists
// that sort a range.  The two parts [l, j] and [i, r] of a pass are disjoint,
// so sorting the smaller one first (recursively) and looping on the larger
// gives the order of Delphi's QuickSort while bounding the stack depth by
// log2(n).
template <class Compare>
void QuickSortPointers(void** items, Integer l, Integer r, Compare&& compare) {
  while (l < r) {
    Integer i = l;
    Integer j = r;
    Integer p = l + (r - l) / 2;
    do {
      while (compare(items[i], items[p]) < 0) ++i;
      while (compare(items[j], items[p]) > 0) --j;
      if (i <= j) {
        if (i != j) {
          void* t = items[i];
          items[i] = items[j];
          items[j] = t;
        }
        if (p == i)
          p = j;
        else if (p == j)
          p = i;
        ++i;
        --j;
      }
    } while (i <= j);
    if (j - l < r - i) {
      if (l < j) QuickSortPointers(items, l, j, compare);
      l = i;
    } else {
      if (i < r) QuickSortPointers(items, i, r, compare);
      r = j;
    }
  }
}

// ---------------------------------------------------------------------------
// Streams

enum class TSeekOrigin : Byte { soBeginning, soCurrent, soEnd };

class TStream {
 public:
  virtual ~TStream() = default;

  // Transfer up to count bytes; return how many moved (0 at the end).
  virtual Int64 Read(void* buffer, Int64 count) = 0;
  virtual Int64 Write(const void* buffer, Int64 count) = 0;
  // Returns the new position.  Seeking past the end is allowed.
  virtual Int64 Seek(Int64 offset, TSeekOrigin origin) = 0;

  Int64 Position() { return Seek(0, TSeekOrigin::soCurrent); }
  void SetPosition(Int64 pos) { Seek(pos, TSeekOrigin::soBeginning); }
  virtual Int64 Size();
  virtual void SetSize(Int64 new_size) = 0;

  // Bytes from the position to the end (0 when past it).
  Int64 Remaining();

  // Exactly count bytes or EReadError / EWriteError.
  void ReadBuffer(void* buffer, Int64 count);
  void WriteBuffer(const void* buffer, Int64 count);
  // Copies count bytes from source (all of it from its start when count is 0).
  Int64 CopyFrom(TStream& source, Int64 count);

 protected:
  // The absolute position a seek asks for; EStreamError before the start.
  Int64 SeekTarget(Int64 offset, TSeekOrigin origin, Int64 current);
};

class TMemoryStream : public TStream {
 public:
  TMemoryStream() = default;
  Int64 Read(void* buffer, Int64 count) override;
  Int64 Write(const void* buffer, Int64 count) override;
  Int64 Seek(Int64 offset, TSeekOrigin origin) override;
  Int64 Size() override { return static_cast<Int64>(data_.size()); }
  void SetSize(Int64 new_size) override;
  void Clear();

  Byte* Memory() { return data_.data(); }
  const Byte* Memory() const { return data_.data(); }
  std::string_view Bytes() const {
    return std::string_view(reinterpret_cast<const char*>(data_.data()), data_.size());
  }
  void LoadFromStream(TStream& stream);
  void SaveToStream(TStream& stream);
  void LoadFromFile(const string& file_name);
  void SaveToFile(const string& file_name);

 private:
  std::vector<Byte> data_;
  Int64 pos_ = 0;
};

// A memory stream initialised with a copy of some bytes.
class TBytesStream : public TMemoryStream {
 public:
  TBytesStream() = default;
  explicit TBytesStream(std::string_view bytes);
};

// Delphi's file open modes: one access mode, optionally or-ed with a share
// mode.  fmCreate creates or truncates and opens for reading and writing.
// Share modes are accepted and ignored: POSIX has no mandatory locks.
constexpr Word fmCreate = 0xFF00;
constexpr Word fmOpenRead = 0x0000;
constexpr Word fmOpenWrite = 0x0001;
constexpr Word fmOpenReadWrite = 0x0002;
constexpr Word fmShareCompat = 0x0000;
constexpr Word fmShareExclusive = 0x0010;
constexpr Word fmShareDenyWrite = 0x0020;
constexpr Word fmShareDenyRead = 0x0030;
constexpr Word fmShareDenyNone = 0x0040;

class TFileStream : public TStream {
 public:
  // EFOpenError / EFCreateError when the file cannot be opened.
  TFileStream(const string& file_name, Word mode);
  ~TFileStream() override;  // flushes; errors at this point are lost, call Flush()

  Int64 Read(void* buffer, Int64 count) override;
  Int64 Write(const void* buffer, Int64 count) override;
  Int64 Seek(Int64 offset, TSeekOrigin origin) override;
  Int64 Size() override;
  void SetSize(Int64 new_size) override;
  // Writes out buffered bytes; EWriteError on failure.
  void Flush();

  const string& FileName() const { return file_name_; }
  int Handle() const { return fd_; }

  static constexpr std::size_t kBufferSize = 64 * 1024;

 private:
  bool FlushWrites();
  Int64 FileSize();

  string file_name_;
  int fd_ = -1;
  bool readable_ = true;
  bool writable_ = true;
  Int64 pos_ = 0;
  // The file's size as this stream has made it (taken at opening and kept
  // up to date by writes), so Size() costs no system call.
  Int64 size_ = 0;
  // Read buffer: file bytes [rstart_, rstart_ + rlen_).
  std::unique_ptr<Byte[]> rbuf_;
  Int64 rstart_ = 0;
  Int64 rlen_ = 0;
  // Write buffer: pending bytes for [wstart_, wstart_ + wlen_).
  std::unique_ptr<Byte[]> wbuf_;
  Int64 wstart_ = 0;
  Int64 wlen_ = 0;
};

// Writes a file through a temporary file in the same folder and renames it
// into place, so a failed write never leaves a half-written file where a
// good one was.  writer fills the stream; any exception it throws removes the
// temporary and passes on.
void SaveFileAtomically(const string& file_name, const std::function<void(TStream&)>& writer);

// ---------------------------------------------------------------------------
// Text encodings of TStringList files

enum class TTextEncoding : Byte {
  teDetect,     // reading: by byte-order mark, else the ANSI code page
  teUTF16LE,    // with byte-order mark: the suite's normal form
  teUTF16BE,
  teUTF8,       // with byte-order mark
  teUTF8NoBOM,
  teAnsi,       // 8-bit in the process's ANSI code page (GetACP)
};

// Converters for 8-bit code pages.  The platform layer does not know the
// suite's code page tables; the text layer installs its converters here.
// Until then (or with nil) conversions go through ICU.
using TCodePageDecoder = string (*)(std::string_view bytes, Cardinal code_page);
using TCodePageEncoder = std::string (*)(std::u16string_view text, Cardinal code_page);
void SetCodePageConverters(TCodePageDecoder decoder, TCodePageEncoder encoder);
string DecodeCodePage(std::string_view bytes, Cardinal code_page);
std::string EncodeCodePage(std::u16string_view text, Cardinal code_page);

// ---------------------------------------------------------------------------
// TStringList

enum class TDuplicates : Byte { dupIgnore, dupAccept, dupError };

class TStringList;
using TStringListSortCompare = int (*)(TStringList& list, Integer index1, Integer index2);

class TStringList {
 public:
  TStringList() = default;
  explicit TStringList(bool owns_objects) : owns_objects_(owns_objects) {}
  TStringList(const TStringList&) = delete;
  TStringList& operator=(const TStringList&) = delete;
  virtual ~TStringList();

  Integer Count() const { return static_cast<Integer>(items_.size()); }
  const string& Strings(Integer index) const;
  void SetString(Integer index, const string& s);
  const string& operator[](Integer index) const { return Strings(index); }
  void* Objects(Integer index) const;
  void SetObject(Integer index, void* obj);

  // On a sorted list, Add inserts in order and applies Duplicates; the
  // result is the index of the string (of the one already there, for
  // dupIgnore).  dupError raises EStringListError.
  Integer Add(const string& s);
  Integer AddObject(const string& s, void* obj);
  void AddStrings(const TStringList& other);
  void Assign(const TStringList& other);  // strings, objects and settings
  void Insert(Integer index, const string& s);     // not on a sorted list
  void InsertObject(Integer index, const string& s, void* obj);
  void Delete(Integer index);
  void Clear();
  void Exchange(Integer index1, Integer index2);    // not on a sorted list
  void Move(Integer cur_index, Integer new_index);  // not on a sorted list

  Integer IndexOf(std::u16string_view s) const;     // binary search when sorted
  Integer IndexOfObject(const void* obj) const;
  // Binary search on a sorted list: true when found; index is where s is or
  // would go.  On an unsorted list, a linear IndexOf.
  bool Find(std::u16string_view s, Integer& index) const;

  bool Sorted() const { return sorted_; }
  void SetSorted(bool value);
  TDuplicates Duplicates() const { return duplicates_; }
  void SetDuplicates(TDuplicates d) { duplicates_ = d; }
  bool CaseSensitive() const { return case_sensitive_; }
  void SetCaseSensitive(bool value);
  bool OwnsObjects() const { return owns_objects_; }
  void SetOwnsObjects(bool value) { owns_objects_ = value; }
  // Deleter used for owned objects (default: nothing is known about them,
  // so the owner must install one).
  void SetObjectDeleter(void (*deleter)(void*)) { deleter_ = deleter; }

  void Sort();
  void CustomSort(TStringListSortCompare compare);
  // The comparison of this list: AnsiCompareStr or AnsiCompareText.
  virtual int CompareStrings(std::u16string_view a, std::u16string_view b) const;

  // name=value pairs.
  WideChar NameValueSeparator() const { return name_value_separator_; }
  void SetNameValueSeparator(WideChar c) { name_value_separator_ = c; }
  string Names(Integer index) const;
  string ValueFromIndex(Integer index) const;
  string Values(std::u16string_view name) const;
  void SetValue(std::u16string_view name, const string& value);  // empty deletes
  Integer IndexOfName(std::u16string_view name) const;

  // Lines joined by CR LF, each line terminated; setting splits on CR LF,
  // LF or CR (a final line break adds no empty line).
  string Text() const;
  void SetText(std::u16string_view text);
  string CommaText() const;
  void SetCommaText(std::u16string_view text);
  string DelimitedText() const;
  void SetDelimitedText(std::u16string_view text);
  WideChar Delimiter() const { return delimiter_; }
  void SetDelimiter(WideChar c) { delimiter_ = c; }
  WideChar QuoteChar() const { return quote_char_; }
  void SetQuoteChar(WideChar c) { quote_char_ = c; }
  bool StrictDelimiter() const { return strict_delimiter_; }
  void SetStrictDelimiter(bool v) { strict_delimiter_ = v; }

  void BeginUpdate() { ++update_count_; }
  void EndUpdate() { if (update_count_ > 0) --update_count_; }
  Integer UpdateCount() const { return update_count_; }

  // Reading detects a byte-order mark (UTF-16LE/BE, UTF-8) unless an
  // encoding is given; without one, teDetect reads the ANSI code page.
  // Writing defaults to UTF-16LE with a byte-order mark.
  void LoadFromStream(TStream& stream, TTextEncoding encoding = TTextEncoding::teDetect);
  void LoadFromFile(const string& file_name, TTextEncoding encoding = TTextEncoding::teDetect);
  void SaveToStream(TStream& stream, TTextEncoding encoding = TTextEncoding::teUTF16LE) const;
  // Replaces the file only once the new text is written whole.
  void SaveToFile(const string& file_name, TTextEncoding encoding = TTextEncoding::teUTF16LE) const;
  // The encoding found by the last load.
  TTextEncoding Encoding() const { return encoding_; }

 private:
  struct Item {
    string s;
    void* obj;
  };
  void InsertItem(Integer index, const string& s, void* obj);
  void CheckIndex(Integer index) const;
  void FreeObject(void* obj);
  void QuickSort(Integer l, Integer r, TStringListSortCompare compare);
  string QuotedForDelimited(const string& s) const;

  std::vector<Item> items_;
  bool sorted_ = false;
  TDuplicates duplicates_ = TDuplicates::dupIgnore;
  bool case_sensitive_ = false;
  bool owns_objects_ = false;
  void (*deleter_)(void*) = nullptr;
  WideChar name_value_separator_ = u'=';
  WideChar delimiter_ = u',';
  WideChar quote_char_ = u'"';
  bool strict_delimiter_ = false;
  Integer update_count_ = 0;
  TTextEncoding encoding_ = TTextEncoding::teDetect;
};

// Delphi's AnsiCompareStr / AnsiCompareText: the user locale's collation
// (CompareStringW), the second ignoring case.  Results < 0, 0, > 0.
int AnsiCompareStr(std::u16string_view a, std::u16string_view b);
int AnsiCompareText(std::u16string_view a, std::u16string_view b);

}  // namespace cv
