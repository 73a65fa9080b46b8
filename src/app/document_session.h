// The File menu's logic: which drawing is open and in which format, opening
// a file into its container, and saving the drawing under a new name in the
// same format. The opened file is never overwritten.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <string>

#include "app/app_state.h"
#include "app/dialogs.h"

namespace quintaro::app {

// What the session needs from the window that shows it.
class SessionHost {
 public:
  virtual ~SessionHost() = default;
  virtual bool DrawBusy() const = 0;
  // Shown at once.
  virtual void SetStatusText(const QString& text) = 0;
  virtual void SetTitle(const QString& title) = 0;
  virtual void ShowAllPage() = 0;
  // A drawing was opened (or the document dropped): reset and draw the view.
  virtual void DocumentChanged() = 0;
  // Closes both layer windows (their groups become -1).
  virtual void CloseLayerWindows() {}
};

// The format is the file's, by its first bytes, whatever its name says.
enum class OpenOutcome {
  kOpened,
  kPartial,  // damaged or cut short: what was read is open
  kKept,     // missing, unreadable or no drawing: the previous drawing stays
};

class DocumentSession {
 public:
  DocumentSession(AppState& state, SessionHost& host, Dialogs& dialogs, QString programFolder);

  // Path of the open drawing; at start the last path of the settings,
  // although nothing is open then.
  const QString& DocPath() const { return path_; }
  void SetDocPath(const QString& path) { path_ = path; }
  // ".JWC", ".JWK", ".JWW", ".JWS" for the open drawing's format, or empty
  // when no drawing is open.
  std::string DocKind() const;
  bool HasDocument() const { return state_.document.IsOpen(); }
  // "Quintaro", or "Quintaro - " and the path while a drawing is open,
  // marked " [途中まで]" while it was read only in part.
  QString Title() const;

  void OnOpen();
  OpenOutcome OpenDocument(const QString& path);
  // True when the drawing was written. A refused name or a failed write
  // brings the dialog back.
  bool SaveDocumentAs();

  // The open dialog's filters; the fifth (all four formats) is preselected.
  static QStringList OpenFilters();
  // The save dialog for the open drawing, or none without one.
  std::optional<FileDialogRequest> SaveRequest() const;

 private:
  enum class Attempt { kSaved, kAgain };

  void LoadInto(const QString& path, bool complete);
  void NoteExtension(const QString& path);
  bool IsOpenedFile(const QString& target) const;
  bool InProgramFolder(const QString& target) const;
  Attempt TrySave(const QString& target);
  Attempt WriteTo(const QString& target);
  Attempt Refuse();

  AppState& state_;
  SessionHost& host_;
  Dialogs& dialogs_;
  QString programFolder_;  // with a trailing '/'
  QString path_;
};

// 「保存時に範囲外の値を修正しました：」 and one line per kind of repair
// with its count.
QString RepairsText(const RepairLog& log);
// The failed save's box: the file, then why in the user's words (a folder
// of that name, no such folder, a read-only file, no permission) or the
// system's reason.
QString SaveFailureText(const QString& target, const std::string& systemReason);
// The upper-cased extension with its dot (".JWW"); empty when none.
std::string UpperExtension(const QString& path);
// "Description (patterns)" matching the extensions in any mix of cases;
// the dialogs show only the description.
QString FileFilter(const QString& description, const QStringList& extensions);
// The path as the file system functions of the core take it: the file
// system's own bytes, or UTF-8 on Windows, whose core widens it.
std::string LocalPath(const QString& path);
// "*.jww" in any mix of cases: a bracket pattern where matching is
// case-sensitive, the plain pattern on Windows, whose dialog matches
// case-insensitively (and does not know brackets).
QString ExtensionPattern(const QString& extension);

}  // namespace quintaro::app
