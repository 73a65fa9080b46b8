// Where a drawing may be saved: the rules that protect the opened file.
#pragma once

#include <optional>
#include <string>

#include "formats/common/types.h"

namespace quintaro {

// How names that differ only in case are taken when looking for the opened file.
enum class NameCase {
  kIgnored,      // the same file (the desktop program's rule; Windows file systems)
  kSignificant,  // different files unless they are one by identity (Linux)
};

// Why `target` must not receive a drawing of `format` opened from
// `source`, or nothing when it may. Refused: the source itself (the same
// file by identity, or the same name as `names` compares them), and an
// extension that is not the format's own.
std::optional<std::string> SaveTargetProblem(const std::string& source, const std::string& target,
                                             DocFormat format, NameCase names = NameCase::kIgnored);

// The name a drawing of `format` found as `name` is written under when the
// program chooses it (a batch into an output folder): `name` itself when
// its extension is the format's, in any case; else the format's extension
// in place of another format's (x.jww holding a symbol: x.jws, X.JWW:
// X.JWS), or added to a name without one or with one that names no
// drawing format (A: A.jww, plan.v2: plan.v2.jww).
std::string OutputNameOf(const std::string& name, DocFormat format);

// The name an existing target is moved to before it is replaced: its
// extension becomes "._" and the upper-cased old extension without its dot
// (_plan.jww -> _plan._JWW).
std::string BackupNameOf(const std::string& target);

// Keeps a copy of an existing target under its backup name (replacing an
// older backup) before the target is replaced. The target itself stays in
// place, so a save that then fails still leaves it as it was. False with a
// reason when the copy fails.
bool BackUpExisting(const std::string& target, std::string* why);

}  // namespace quintaro
