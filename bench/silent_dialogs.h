// Dialogs of the desktop program for benchmarks: every question answered
// "no", every file dialog cancelled, nothing shown.
#pragma once

#include "app/dialogs.h"

namespace quintaro::bench {

class SilentDialogs : public app::Dialogs {
 public:
  std::optional<QString> ChooseOpenFile(const app::FileDialogRequest&) override { return {}; }
  std::optional<QString> ChooseSaveFile(const app::FileDialogRequest&) override { return {}; }
  void Inform(const QString&) override {}
  void Error(const QString&) override {}
  void Notice(const QString&) override {}
  bool AskYesNo(const QString&, bool) override { return false; }
  std::optional<app::MoveChoice> ChooseMove(const Document&) override { return {}; }
  app::SaveChoice AskSaveChanges(const QString&) override { return app::SaveChoice::kCancel; }
};

}  // namespace quintaro::bench
