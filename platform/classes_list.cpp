// TList, the exceptions of the Classes layer, and the list quicksort.
#include <algorithm>
#include <string>

#include "platform/classes.h"
#include "platform/utf.h"

namespace cv {

namespace {

string WithNumber(const char16_t* pattern, Int64 n) {
  string s(pattern);
  const auto at = s.find(u"%d");
  if (at != string::npos) s.replace(at, 2, Latin1ToUtf16(std::to_string(n)));
  return s;
}

}  // namespace

EClassesError::EClassesError(const string& message)
    : std::runtime_error(Utf16ToUtf8(message)), message_(message) {}

EFileReadError::EFileReadError(std::u16string_view routine)
    : EReadError([&] {
        string s(rs_CVFileReadError);
        s.replace(s.find(u"%s"), 2, routine);
        return s;
      }()) {}

TList::~TList() {
  // Delphi's TList destructor calls Clear, which notifies each item; a
  // derived class has already run its own Clear by now.
  items_.clear();
}

void TList::Error(const char16_t* what, Integer index) const { throw EListError(WithNumber(what, index)); }

void TList::SetCount(Integer n) {
  if (n < 0) Error(u"List count out of bounds (%d)", n);
  while (Count() > n) Delete(Count() - 1);
  items_.resize(static_cast<std::size_t>(n), nullptr);
}

void TList::SetCapacity(Integer n) {
  if (n < Count()) Error(u"List capacity out of bounds (%d)", n);
  items_.reserve(static_cast<std::size_t>(n));
}

void* TList::Items(Integer index) const {
  CheckIndex(index);
  return items_[static_cast<std::size_t>(index)];
}

void TList::SetItem(Integer index, void* item) {
  CheckIndex(index);
  void* old = items_[static_cast<std::size_t>(index)];
  if (old == item) return;
  items_[static_cast<std::size_t>(index)] = item;
  if (old) Notify(old, TListNotification::lnDeleted);
  if (item) Notify(item, TListNotification::lnAdded);
}

Integer TList::Add(void* item) {
  items_.push_back(item);
  if (item) Notify(item, TListNotification::lnAdded);
  return Count() - 1;
}

void TList::Insert(Integer index, void* item) {
  if (index < 0 || index > Count()) Error(u"List index out of bounds (%d)", index);
  items_.insert(items_.begin() + index, item);
  if (item) Notify(item, TListNotification::lnAdded);
}

void TList::Delete(Integer index) {
  CheckIndex(index);
  void* old = items_[static_cast<std::size_t>(index)];
  items_.erase(items_.begin() + index);
  if (old) Notify(old, TListNotification::lnDeleted);
}

Integer TList::Remove(void* item) {
  const Integer i = IndexOf(item);
  if (i >= 0) Delete(i);
  return i;
}

void* TList::Extract(void* item) {
  const Integer i = IndexOf(item);
  if (i < 0) return nullptr;
  items_.erase(items_.begin() + i);
  Notify(item, TListNotification::lnExtracted);
  return item;
}

void TList::Exchange(Integer index1, Integer index2) {
  CheckIndex(index1);
  CheckIndex(index2);
  std::swap(items_[static_cast<std::size_t>(index1)], items_[static_cast<std::size_t>(index2)]);
}

void TList::Move(Integer cur_index, Integer new_index) {
  if (cur_index == new_index) return;
  CheckIndex(cur_index);
  CheckIndex(new_index);
  void* item = items_[static_cast<std::size_t>(cur_index)];
  items_.erase(items_.begin() + cur_index);
  items_.insert(items_.begin() + new_index, item);
}

Integer TList::IndexOf(const void* item) const {
  const auto it = std::find(items_.begin(), items_.end(), item);
  return it == items_.end() ? -1 : static_cast<Integer>(it - items_.begin());
}

void TList::Pack() { items_.erase(std::remove(items_.begin(), items_.end(), nullptr), items_.end()); }

void TList::Clear() {
  // Notify each item; the slots are gone before the notices, as in Delphi.
  std::vector<void*> old;
  old.swap(items_);
  for (void* p : old)
    if (p) Notify(p, TListNotification::lnDeleted);
}

void TList::Sort(TListSortCompare compare) {
  if (Count() > 1) QuickSortPointers(items_.data(), 0, Count() - 1, compare);
}

void TList::SortWith(const std::function<int(void*, void*)>& compare) {
  if (Count() > 1) QuickSortPointers(items_.data(), 0, Count() - 1, compare);
}

}  // namespace cv
