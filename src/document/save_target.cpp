#include "document/save_target.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "document/format_facts.h"
#include "formats/common/file_io.h"

namespace quintaro {

namespace fs = std::filesystem;

namespace {

std::string Upper(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return s;
}

std::string Absolute(const std::string& path) {
  std::error_code ec;
  fs::path p = fs::absolute(FsPath(path), ec);
  return (ec ? FsPath(path) : p).lexically_normal().string();
}

}  // namespace

std::optional<std::string> SaveTargetProblem(const std::string& source, const std::string& target,
                                             DocFormat format, NameCase names) {
  std::string a = Absolute(source), b = Absolute(target);
  if (names == NameCase::kIgnored) {
    a = Upper(a);
    b = Upper(b);
  }
  bool same = a == b || SameFile(source, target);
  if (same) return "the output is the opened file itself; choose another name";
  std::string ext = FsPath(target).extension().string();
  if (FormatOfExtension(ext) != format) {
    std::string want = FormatKind(format);
    return "the output extension '" + ext + "' is not " + want +
           ": a drawing is saved in the format it was read in";
  }
  return std::nullopt;
}

std::string OutputNameOf(const std::string& name, DocFormat format) {
  const FormatFacts* facts = FactsOf(format);
  // A drawing format's extension is plain ASCII, so the name's own bytes
  // can be cut and extended as they are.
  const std::string ext = FsPath(name).extension().string();
  if (facts == nullptr || FormatOfExtension(ext) == format) return name;
  if (FormatOfExtension(ext) == DocFormat::kUnknown) return name + "." + facts->suffix;
  const std::string stem = name.substr(0, name.size() - ext.size() + 1);
  return stem + (ext == Upper(ext) ? Upper(facts->suffix) : std::string(facts->suffix));
}

std::string BackupNameOf(const std::string& target) {
  fs::path p = FsPath(target);
  std::string ext = p.extension().string();
  std::string upper = Upper(ext.empty() ? ext : ext.substr(1));
  p.replace_extension("._" + upper);
  return p.string();
}

bool BackUpExisting(const std::string& target, std::string* why) {
  std::string backup = BackupNameOf(target);
  // Copied through an atomic write: an older backup is replaced only by a
  // whole copy (std::filesystem's copy with overwrite fails on Windows).
  InputFile in(target);
  std::string reason = "cannot be read";
  bool ok = in.IsOpen() && WriteFileAtomically(
                               backup,
                               [&in](ByteWriter& w) {
                                 char buffer[1 << 16];
                                 std::size_t n;
                                 while ((n = std::fread(buffer, 1, sizeof buffer, in.Handle())) > 0)
                                   w.Write(buffer, n);
                                 return std::ferror(in.Handle()) == 0;
                               },
                               &reason);
  if (ok) return true;
  if (why) *why = "cannot keep " + target + " as " + backup + ": " + reason;
  return false;
}

}  // namespace quintaro
