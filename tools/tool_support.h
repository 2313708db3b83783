// What every command of the corvane tool shares: argument errors, the two
// stand-alone libraries loaded by name, the progress bar, choosing text files
// and reading them as UTF-16 in pieces.
#pragma once

#include <cstdio>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/types.h"

namespace cv::tool {

class TCairn;

// A failure the user must see: printed as "corvane: <message>" with exit
// status `status` (2 for bad arguments, 1 for anything else).
class TToolError : public std::runtime_error {
 public:
  TToolError(const std::string& message, int status = 1) : std::runtime_error(message), status_(status) {}
  int Status() const { return status_; }

 private:
  int status_;
};

inline TToolError UsageError(const std::string& message) { return TToolError(message, 2); }

// ---------------------------------------------------------------------------
// Arguments: options ("-o FILE", "--top=5" or "--top 5", flags) and the
// positional rest.

struct TOptionSpec {
  const char* name;  // "--top"
  const char* alias; // "-n" or nullptr
  bool takes_value;
};

class TArgs {
 public:
  // UsageError for an unknown option or a missing value.
  TArgs(const std::vector<std::string>& args, const std::vector<TOptionSpec>& specs);
  bool Has(const std::string& name) const;
  std::string Value(const std::string& name, const std::string& fallback = "") const;
  // UsageError when the value is not a whole number in [lo, hi].
  long long Number(const std::string& name, long long fallback, long long lo, long long hi) const;
  const std::vector<std::string>& Positional() const { return positional_; }

 private:
  std::vector<std::pair<std::string, std::string>> options_;
  std::vector<std::string> positional_;
};

// ---------------------------------------------------------------------------
// Progress on standard error: shown only on a terminal and only once a run
// has lasted a second; at most ten redraws a second; always cleared.

class TProgressBar {
 public:
  explicit TProgressBar(const TCairn* cairn = nullptr);
  ~TProgressBar();
  void Update(Int64 done, Int64 total, Int64 words);
  void Finish();

 private:
  const TCairn* cairn_;
  double start_;
  double last_ = 0;
  bool shown_ = false;
  bool tty_;
  Integer last_percent_ = -1;
};

// ---------------------------------------------------------------------------
// Text files

struct TTextFile {
  std::string path;     // a file, or "<archive>/<member>" for a zip member
  std::string archive;  // the zip archive, when a member
  Int64 size = 0;       // bytes
};

struct TFileChoice {
  std::vector<std::string> masks{"*"};  // file-name masks, shell rules
  bool subfolders = true;
  bool zip_members = true;
};

// The files named (folders walked in name order), masks applied to files met
// in folders and to zip members.  TToolError for a path that does not exist.
std::vector<TTextFile> ChooseTextFiles(const std::vector<std::string>& paths, const TFileChoice& choice);

// The file choice given on a command line: --mask (masks separated by ';'),
// --no-subfolders and --no-zip.  UsageError for an empty mask list.
TFileChoice FileChoiceFromArgs(const TArgs& args);

// Reads a text file as UTF-16 in pieces of about `piece_units` units, each
// cut after white space so that no word is split.  With `overlap`, each piece
// after the first begins with the last (at most) `overlap` units of the one
// before, cut at white space; `fresh` is the number of units at the piece's
// start that repeat earlier text.  `start` is the piece's first unit's
// position in the whole text.  The callback answers false to stop.
// Returns the text's encoding name ("UTF-8", "UTF-16LE", "cp1252", "DOCX"...).
// TToolError when the file cannot be read or is not text.
using TPieceFunct = std::function<bool(std::u16string_view piece, Int64 start, std::size_t repeated)>;
std::string ReadTextInPieces(const TTextFile& file, std::size_t piece_units, std::size_t overlap,
                             const TPieceFunct& piece, const std::function<void(Int64 bytes)>& bytes_read);

// Output helpers: UTF-16 appended to a UTF-8 buffer.
void AppendUtf8(std::string& out, std::u16string_view s);
std::string U8(std::u16string_view s);
string U16(const std::string& s);

// The program's own path folder.
std::string ExeFolder();

}  // namespace cv::tool
