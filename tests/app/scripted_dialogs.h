// Dialogs answered from a script, remembering what was asked.
#pragma once

#include <QString>
#include <deque>
#include <optional>
#include <vector>

#include "app/dialogs.h"

namespace quintaro::app::testing {

class ScriptedDialogs : public Dialogs {
 public:
  struct Box {
    QString kind;  // "inform", "error", "notice", "ask", "ask, no by default" or "save?"
    QString text;
  };

  // Answers in order; an unscripted dialog is cancelled, a question answered No.
  std::deque<std::optional<QString>> openAnswers;
  std::deque<std::optional<QString>> saveAnswers;
  std::deque<bool> yesNoAnswers;
  std::deque<SaveChoice> saveChangesAnswers;
  std::deque<MoveChoice> moveAnswers;

  std::vector<FileDialogRequest> openRequests;
  std::vector<FileDialogRequest> saveRequests;
  std::vector<Box> boxes;

  std::optional<QString> ChooseOpenFile(const FileDialogRequest& request) override;
  std::optional<QString> ChooseSaveFile(const FileDialogRequest& request) override;
  void Inform(const QString& text) override { boxes.push_back({"inform", text}); }
  void Error(const QString& text) override { boxes.push_back({"error", text}); }
  void Notice(const QString& text) override { boxes.push_back({"notice", text}); }
  bool AskYesNo(const QString& text, bool noByDefault = false) override;
  // Recorded as "move"; unscripted it is cancelled.
  std::optional<MoveChoice> ChooseMove(const Document& doc) override;
  // Recorded as "save?"; unscripted it is cancelled.
  SaveChoice AskSaveChanges(const QString& text) override;
};

}  // namespace quintaro::app::testing
