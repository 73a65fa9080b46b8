#include "app/qt_dialogs.h"

#include "app/move_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace quintaro::app {

namespace {

const QString kCaption = QStringLiteral("Quintaro");

// A resizable dialog showing only the filters' descriptions.
void Prepare(QFileDialog& dialog, const FileDialogRequest& request) {
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  dialog.setSizeGripEnabled(true);
  dialog.setNameFilters(request.filters);
  if (request.filterIndex >= 0 && request.filterIndex < request.filters.size()) {
    dialog.selectNameFilter(request.filters[request.filterIndex]);
  }
  if (!request.folder.isEmpty() && QDir(request.folder).exists()) {
    dialog.setDirectory(request.folder);
  }
  if (!request.fileName.isEmpty()) dialog.selectFile(request.fileName);
  if (!request.title.isEmpty()) dialog.setWindowTitle(request.title);
}

std::optional<QString> Run(QFileDialog& dialog) {
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().first();
}

void Box(QWidget* parent, QMessageBox::Icon icon, const QString& text) {
  QMessageBox box(icon, kCaption, text, QMessageBox::Ok, parent);
  box.exec();
}

}  // namespace

std::optional<QString> QtDialogs::ChooseOpenFile(const FileDialogRequest& request) {
  QFileDialog dialog(parent_);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  Prepare(dialog, request);
  return Run(dialog);
}

std::optional<QString> QtDialogs::ChooseSaveFile(const FileDialogRequest& request) {
  QFileDialog dialog(parent_);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  // The session asks about an existing file itself.
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  dialog.setDefaultSuffix(request.defaultSuffix);
  Prepare(dialog, request);
  return Run(dialog);
}

void QtDialogs::Inform(const QString& text) {
  Box(parent_, QMessageBox::NoIcon, text);
}

void QtDialogs::Error(const QString& text) {
  Box(parent_, QMessageBox::Critical, text);
}

void QtDialogs::Notice(const QString& text) {
  Box(parent_, QMessageBox::Question, text);
}

bool QtDialogs::AskYesNo(const QString& text, bool noByDefault) {
  QMessageBox box(QMessageBox::Question, kCaption, text, QMessageBox::Yes | QMessageBox::No,
                  parent_);
  box.setDefaultButton(noByDefault ? QMessageBox::No : QMessageBox::Yes);
  return box.exec() == QMessageBox::Yes;
}

std::optional<MoveChoice> QtDialogs::ChooseMove(const Document& doc) {
  MoveDialog dialog(doc, parent_);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Choice();
}

SaveChoice QtDialogs::AskSaveChanges(const QString& text) {
  QMessageBox box(QMessageBox::Question, kCaption, text, QMessageBox::NoButton, parent_);
  QPushButton* save = box.addButton(QString::fromUtf8("保存"), QMessageBox::AcceptRole);
  QPushButton* discard =
      box.addButton(QString::fromUtf8("保存しない"), QMessageBox::DestructiveRole);
  QPushButton* cancel = box.addButton(QString::fromUtf8("キャンセル"), QMessageBox::RejectRole);
  box.setDefaultButton(save);
  box.setEscapeButton(cancel);
  box.exec();
  if (box.clickedButton() == save) return SaveChoice::kSave;
  if (box.clickedButton() == discard) return SaveChoice::kDiscard;
  return SaveChoice::kCancel;
}

}  // namespace quintaro::app
