#include "scripted_dialogs.h"

namespace quintaro::app::testing {

namespace {

template <class T, class U>
T Next(std::deque<T>& answers, U fallback) {
  if (answers.empty()) return fallback;
  T answer = answers.front();
  answers.pop_front();
  return answer;
}

}  // namespace

std::optional<QString> ScriptedDialogs::ChooseOpenFile(const FileDialogRequest& request) {
  openRequests.push_back(request);
  return Next(openAnswers, std::nullopt);
}

std::optional<QString> ScriptedDialogs::ChooseSaveFile(const FileDialogRequest& request) {
  saveRequests.push_back(request);
  return Next(saveAnswers, std::nullopt);
}

bool ScriptedDialogs::AskYesNo(const QString& text, bool noByDefault) {
  boxes.push_back({noByDefault ? "ask, no by default" : "ask", text});
  return Next(yesNoAnswers, false);
}

std::optional<MoveChoice> ScriptedDialogs::ChooseMove(const Document&) {
  boxes.push_back({"move", {}});
  if (moveAnswers.empty()) return std::nullopt;
  return Next(moveAnswers, MoveChoice{});
}

SaveChoice ScriptedDialogs::AskSaveChanges(const QString& text) {
  boxes.push_back({"save?", text});
  return Next(saveChangesAnswers, SaveChoice::kCancel);
}

}  // namespace quintaro::app::testing
