// Lists of chosen files that store each folder once.
//
// A TFolderEfficientFileStringlist keeps the distinct folders in one list
// and the files in another, each file naming its folder by number.  Folder
// numbers stay valid for the life of the list (folders are only appended;
// Clear starts again from 0).  Names are compared case-sensitively: on this
// platform two names that differ only in case are two files, and a folder
// keeps the spelling it was first added with.
#pragma once

#include <memory>
#include <unordered_map>

#include "platform/classes.h"
#include "platform/types.h"

namespace cv {

struct TMySimpleSearchRec {
  TDateTime DateTime = 0;
  Integer Size = 0;
  Integer folder_number = 0;
  string ShortName;
};

enum TMySimpleSearchRecSort : Byte { ss_none, ss_date, ss_size, ss_folder, ss_shortname };

class TMySimpleSearchRecHolder {
 public:
  explicit TMySimpleSearchRecHolder(const TMySimpleSearchRec& d) : data(d) {}
  TMySimpleSearchRec data;
};

// Each string's object is a holder the list owns; the string is the
// holder's ShortName.  Index errors give empty results, never exceptions.
class TMySimpleSearchRecHolderStringlist : public TStringList {
 public:
  TMySimpleSearchRecHolderStringlist();
  // The ShortName of entry i; empty outside the list.
  string Get(Integer i) const;
  TMySimpleSearchRecHolder* Holder(Integer i) const;
  Integer GetAFolderNumber(Integer i) const;            // 0 outside
  TMySimpleSearchRec GetASimpleSearchRec(Integer i) const;  // zeroed outside
};

class TFolderEfficientFileStringlist {
 public:
  TFolderEfficientFileStringlist();
  TFolderEfficientFileStringlist(const TFolderEfficientFileStringlist&) = delete;
  TFolderEfficientFileStringlist& operator=(const TFolderEfficientFileStringlist&) = delete;

  TMySimpleSearchRecHolderStringlist files;
  TStringList folders;
  TMySimpleSearchRecSort sort_1 = ss_none;
  TMySimpleSearchRecSort sort_2 = ss_none;

  void Clear();
  Integer Count() const { return files.Count(); }
  void Delete(Integer index);  // the folder stays

  // The file named by a full name: a record all zero but for ShortName.
  Integer AddOne(const string& full);
  Integer Add(const string& s) { return AddOne(s); }
  Integer AddOne(Integer known_foldernum, const TMySimpleSearchRec& file_info);
  Integer AddOne(const string& afolder, const TMySimpleSearchRec& file_info);
  // The number of a folder (with its trailing delimiter), added when absent.
  Integer FolderNumber(const string& afolder);

  TMySimpleSearchRec GetASimpleSearchRec(Integer i) const;
  string GetFullFilename(Integer i) const;
  std::unique_ptr<TStringList> GetAsStringlist() const;
  std::unique_ptr<TStringList> AsStrings() const { return GetAsStringlist(); }

  Integer IndexOfShortName(std::u16string_view aShortname) const;
  // The entry in that folder with that name; -1 when there is none.
  Integer IndexOfFullName(std::u16string_view aFullname) const;
  // Renames entry i: its name (list string and record) and its folder.
  void SetFullFilename(Integer i, const string& s);

  // Primary key how1, secondary how2 (none when equal to how1); ss_none
  // leaves the order.  Dates sort later first; the rest smaller first;
  // ascending false reverses the result.  Entries equal on both keys keep
  // their order.
  void DoASort(TMySimpleSearchRecSort how1, TMySimpleSearchRecSort how2, bool ascending);

 private:
  std::unordered_map<string, Integer> folder_index_;
};

}  // namespace cv
