// The questions the program asks its user: file dialogs and message boxes.
// The program answers them with Qt's dialogs; tests script the answers.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "document/relayer_plan.h"

namespace quintaro {
class Document;
}

namespace quintaro::app {

struct FileDialogRequest {
  QString folder;         // initial folder
  QString fileName;       // proposed file name
  QStringList filters;    // "Description (patterns)"; the description is what users see
  int filterIndex = 0;    // preselected entry (0-based)
  QString defaultSuffix;  // added to a name typed without extension (save only)
  QString title;          // the dialog's own title; empty: the toolkit's
};

// A move chosen without the mouse: group onto group or layer onto layer.
struct MoveChoice {
  LayerRef from, to;
  friend bool operator==(const MoveChoice&, const MoveChoice&) = default;
};

// The answers to the question about unsaved changes.
enum class SaveChoice { kSave, kDiscard, kCancel };

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // An existing file to open, or none when cancelled.
  virtual std::optional<QString> ChooseOpenFile(const FileDialogRequest& request) = 0;
  // A name to save to, or none when cancelled. Does not ask about overwriting.
  virtual std::optional<QString> ChooseSaveFile(const FileDialogRequest& request) = 0;
  // A plain message with an OK button.
  virtual void Inform(const QString& text) = 0;
  // An error message with an OK button.
  virtual void Error(const QString& text) = 0;
  // A confirmation-kind message with only an OK button.
  virtual void Notice(const QString& text) = 0;
  // A confirmation with Yes and No; true for Yes. Enter answers Yes unless
  // `noByDefault`.
  virtual bool AskYesNo(const QString& text, bool noByDefault = false) = 0;
  // A source and a destination of the drawing's groups or layers, or none
  // when cancelled.
  virtual std::optional<MoveChoice> ChooseMove(const Document& doc) = 0;
  // A question with 保存, 保存しない and キャンセル.
  virtual SaveChoice AskSaveChanges(const QString& text) = 0;
};

}  // namespace quintaro::app
