#include "files/useful_classes_files.h"

#include <algorithm>
#include <vector>

#include "files/file_names.h"
#include "lists/useful_classes_base.h"

namespace cv {
namespace {

void DeleteHolder(void* p) { delete static_cast<TMySimpleSearchRecHolder*>(p); }

Integer CompareBy(TMySimpleSearchRecSort how, const TMySimpleSearchRec& a, const TMySimpleSearchRec& b) {
  switch (how) {
    case ss_date: return CompareDates(a.DateTime, b.DateTime);
    case ss_size: return CompareLongints(a.Size, b.Size);
    case ss_folder: return CompareLongints(a.folder_number, b.folder_number);
    case ss_shortname: return Compare2Strings(a.ShortName, b.ShortName);
    default: return 0;
  }
}

}  // namespace

// ---------------------------------------------------------------------------

TMySimpleSearchRecHolderStringlist::TMySimpleSearchRecHolderStringlist() : TStringList(true) {
  SetObjectDeleter(DeleteHolder);
  SetCaseSensitive(true);
}

TMySimpleSearchRecHolder* TMySimpleSearchRecHolderStringlist::Holder(Integer i) const {
  if (i < 0 || i >= Count()) return nullptr;
  return static_cast<TMySimpleSearchRecHolder*>(Objects(i));
}

string TMySimpleSearchRecHolderStringlist::Get(Integer i) const {
  const TMySimpleSearchRecHolder* h = Holder(i);
  return h ? h->data.ShortName : string();
}

Integer TMySimpleSearchRecHolderStringlist::GetAFolderNumber(Integer i) const {
  const TMySimpleSearchRecHolder* h = Holder(i);
  return h ? h->data.folder_number : 0;
}

TMySimpleSearchRec TMySimpleSearchRecHolderStringlist::GetASimpleSearchRec(Integer i) const {
  const TMySimpleSearchRecHolder* h = Holder(i);
  return h ? h->data : TMySimpleSearchRec{};
}

// ---------------------------------------------------------------------------

TFolderEfficientFileStringlist::TFolderEfficientFileStringlist() { folders.SetCaseSensitive(true); }

void TFolderEfficientFileStringlist::Clear() {
  files.Clear();
  folders.Clear();
  folder_index_.clear();
}

void TFolderEfficientFileStringlist::Delete(Integer index) {
  if (index >= 0 && index < files.Count()) files.Delete(index);
}

Integer TFolderEfficientFileStringlist::FolderNumber(const string& afolder) {
  const auto it = folder_index_.find(afolder);
  if (it != folder_index_.end()) return it->second;
  const Integer n = folders.Add(afolder);
  folder_index_.emplace(afolder, n);
  return n;
}

Integer TFolderEfficientFileStringlist::AddOne(const string& full) {
  TMySimpleSearchRec r;
  r.ShortName = ExtractFileName(full);
  return AddOne(FolderNumber(ExtractFilePath(full)), r);
}

Integer TFolderEfficientFileStringlist::AddOne(Integer known_foldernum, const TMySimpleSearchRec& file_info) {
  auto* h = new TMySimpleSearchRecHolder(file_info);
  h->data.folder_number = known_foldernum;
  return files.AddObject(h->data.ShortName, h);
}

Integer TFolderEfficientFileStringlist::AddOne(const string& afolder, const TMySimpleSearchRec& file_info) {
  return AddOne(FolderNumber(afolder), file_info);
}

TMySimpleSearchRec TFolderEfficientFileStringlist::GetASimpleSearchRec(Integer i) const {
  return files.GetASimpleSearchRec(i);
}

string TFolderEfficientFileStringlist::GetFullFilename(Integer i) const {
  const TMySimpleSearchRecHolder* h = files.Holder(i);
  if (h == nullptr) return string();
  string out;
  if (h->data.folder_number >= 0 && h->data.folder_number < folders.Count())
    out = IncludeTrailingPathDelimiter(folders[h->data.folder_number]);
  return out + h->data.ShortName;
}

std::unique_ptr<TStringList> TFolderEfficientFileStringlist::GetAsStringlist() const {
  auto out = std::make_unique<TStringList>();
  for (Integer i = 0; i < files.Count(); ++i) out->Add(GetFullFilename(i));
  return out;
}

Integer TFolderEfficientFileStringlist::IndexOfShortName(std::u16string_view aShortname) const {
  for (Integer i = 0; i < files.Count(); ++i)
    if (files.Holder(i)->data.ShortName == aShortname) return i;
  return -1;
}

Integer TFolderEfficientFileStringlist::IndexOfFullName(std::u16string_view aFullname) const {
  const auto it = folder_index_.find(ExtractFilePath(aFullname));
  if (it == folder_index_.end()) return -1;
  const string leaf = ExtractFileName(aFullname);
  for (Integer i = 0; i < files.Count(); ++i) {
    const TMySimpleSearchRec& r = files.Holder(i)->data;
    if (r.folder_number == it->second && r.ShortName == leaf) return i;
  }
  return -1;
}

void TFolderEfficientFileStringlist::SetFullFilename(Integer i, const string& s) {
  TMySimpleSearchRecHolder* h = files.Holder(i);
  if (h == nullptr) return;
  h->data.ShortName = ExtractFileName(s);
  const string folder = ExtractFilePath(s);
  if (!folder.empty()) h->data.folder_number = FolderNumber(folder);
  files.SetString(i, h->data.ShortName);
}

void TFolderEfficientFileStringlist::DoASort(TMySimpleSearchRecSort how1, TMySimpleSearchRecSort how2,
                                             bool ascending) {
  sort_1 = how1;
  sort_2 = how2;
  if (how1 == ss_none) return;
  const TMySimpleSearchRecSort second = how2 == how1 ? ss_none : how2;
  std::vector<TMySimpleSearchRecHolder*> items;
  items.reserve(static_cast<std::size_t>(files.Count()));
  for (Integer i = 0; i < files.Count(); ++i) items.push_back(files.Holder(i));
  std::stable_sort(items.begin(), items.end(), [&](const TMySimpleSearchRecHolder* a, const TMySimpleSearchRecHolder* b) {
    Integer c = CompareBy(how1, a->data, b->data);
    if (c == 0) c = CompareBy(second, a->data, b->data);
    return c < 0;
  });
  if (!ascending) std::reverse(items.begin(), items.end());
  files.SetOwnsObjects(false);
  files.Clear();
  files.SetOwnsObjects(true);
  for (TMySimpleSearchRecHolder* h : items) files.AddObject(h->data.ShortName, h);
}

}  // namespace cv
