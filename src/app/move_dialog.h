// 編集 → 移動…: a move chosen from lists instead of dragged. A source and a
// destination, each a group or a layer of a group, with the labels and
// figure counts the thumbnails show.
#pragma once

#include <QDialog>
#include <QStringList>

#include "app/dialogs.h"
#include "document/document.h"

class QComboBox;
class QPushButton;

namespace quintaro::app {

// "[2] 1/100.000 1F  (1,234 図形)" for each of the sixteen groups.
QStringList GroupEntries(const Document& doc);
// "（グループ全体）" with the group's count, then its sixteen layers.
QStringList LayerEntries(const Document& doc, int group);

class MoveDialog : public QDialog {
 public:
  MoveDialog(const Document& doc, QWidget* parent = nullptr);
  MoveChoice Choice() const;

 private:
  void Refill(QComboBox* groups, QComboBox* layers);
  void Check();

  const Document& doc_;
  QComboBox* fromGroup_;
  QComboBox* fromLayer_;
  QComboBox* toGroup_;
  QComboBox* toLayer_;
  QPushButton* ok_ = nullptr;
};

}  // namespace quintaro::app
