// The pieces of `quintaro-cli move` around the rules: what one input got,
// how it is printed and reported, and the drawings of a folder tree.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "document/layer_change.h"
#include "formats/common/types.h"

namespace quintaro::cli {

struct FileResult {
  std::string input;
  std::string output;    // where the result goes (a dry run too); "" when the file failed
  bool written = false;  // the output was saved (not on a dry run)
  bool ok = false;
  std::vector<LayerChange::Step> steps;  // what each rule did
  std::vector<std::string> warnings;     // opening, the rules, the save's repairs
  std::string error;                     // why the file failed (one line)
  int Moved() const;
  int Skipped() const;  // rules the file's format cannot carry
};

// The rules' moves with the census around each, renames and matches.
void PrintSteps(const std::vector<LayerChange::Step>& steps, std::ostream& out);

// Writes the report of a run as JSON (atomically); false with `why`.
bool WriteReport(const std::string& path, const std::vector<FileResult>& results, bool dryRun,
                 std::string* why);

struct FolderInput {
  std::string path;      // as found under the folder
  std::string relative;  // path below the folder, '/' separated
  DocFormat format;      // by its first bytes
};
// Every file under `dir` (any depth, any extension case) that starts with a
// drawing's magic bytes, ordered by relative path. False with `why` when the
// folder cannot be walked.
bool DrawingsUnder(const std::string& dir, std::vector<FolderInput>& found, std::string* why);

}  // namespace quintaro::cli
