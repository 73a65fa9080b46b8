// The dialogs of the running program: QFileDialog and QMessageBox.
#pragma once

#include <QPointer>
#include <QWidget>

#include "app/dialogs.h"

namespace quintaro::app {

class QtDialogs : public Dialogs {
 public:
  // Boxes are centred on `parent` once it is set.
  void SetParent(QWidget* parent) { parent_ = parent; }

  std::optional<QString> ChooseOpenFile(const FileDialogRequest& request) override;
  std::optional<QString> ChooseSaveFile(const FileDialogRequest& request) override;
  void Inform(const QString& text) override;
  void Error(const QString& text) override;
  void Notice(const QString& text) override;
  bool AskYesNo(const QString& text, bool noByDefault = false) override;
  std::optional<MoveChoice> ChooseMove(const Document& doc) override;
  SaveChoice AskSaveChanges(const QString& text) override;

 private:
  QPointer<QWidget> parent_;
};

}  // namespace quintaro::app
