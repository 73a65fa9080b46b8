#include "app/move_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLocale>
#include <QPushButton>
#include <QStandardItemModel>

#include "app/ui_texts.h"

namespace quintaro::app {

namespace {

QString Entry(const std::string& label, int figures) {
  return QString::fromStdString(label) + QStringLiteral("  (") +
         QLocale(QLocale::English).toString(figures) + QStringLiteral(" ") +
         Ui(text::kFiguresMoved) + QStringLiteral(")");
}

QComboBox* AddList(QFormLayout* form, const char* caption, const char* name) {
  auto* list = new QComboBox;
  list->setObjectName(QString::fromLatin1(name));
  form->addRow(Ui(caption), list);
  return list;
}

}  // namespace

QStringList GroupEntries(const Document& doc) {
  QStringList entries;
  for (int g = 0; g < 16; ++g) entries << Entry(doc.GroupLabel(g), doc.GroupTotal(g));
  return entries;
}

QStringList LayerEntries(const Document& doc, int group) {
  QStringList entries{Entry(text::kWholeGroup, doc.GroupTotal(group))};
  for (int l = 0; l < 16; ++l) entries << Entry(doc.LayerLabel(group, l), doc.LayerTotal(group, l));
  return entries;
}

MoveDialog::MoveDialog(const Document& doc, QWidget* parent) : QDialog(parent), doc_(doc) {
  setObjectName(QStringLiteral("moveDialog"));
  setWindowTitle(Ui(text::kMoveDialogTitle));
  auto* form = new QFormLayout(this);
  fromGroup_ = AddList(form, text::kMoveFrom, "fromGroup");
  fromLayer_ = AddList(form, text::kMoveFromLayer, "fromLayer");
  toGroup_ = AddList(form, text::kMoveTo, "toGroup");
  toLayer_ = AddList(form, text::kMoveToLayer, "toLayer");
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  ok_ = buttons->button(QDialogButtonBox::Ok);
  form->addRow(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  for (QComboBox* groups : {fromGroup_, toGroup_}) groups->addItems(GroupEntries(doc_));
  toGroup_->setCurrentIndex(1);
  Refill(fromGroup_, fromLayer_);
  Refill(toGroup_, toLayer_);
  connect(fromGroup_, &QComboBox::currentIndexChanged, this,
          [this] { Refill(fromGroup_, fromLayer_); });
  connect(toGroup_, &QComboBox::currentIndexChanged, this, [this] { Refill(toGroup_, toLayer_); });
  for (QComboBox* list : {fromLayer_, toLayer_}) {
    connect(list, &QComboBox::currentIndexChanged, this, [this] { Check(); });
  }
  Check();
}

// The counts follow the group chosen; the layer chosen stays.
void MoveDialog::Refill(QComboBox* groups, QComboBox* layers) {
  const int kept = std::max(0, layers->currentIndex());
  QSignalBlocker quiet(layers);
  layers->clear();
  layers->addItems(LayerEntries(doc_, groups->currentIndex()));
  layers->setCurrentIndex(kept);
  Check();
}

// A group goes onto a group, a layer onto a layer, never onto itself.
void MoveDialog::Check() {
  const bool layers = fromLayer_->currentIndex() > 0;
  if (!layers) toLayer_->setCurrentIndex(0);
  toLayer_->setEnabled(layers);
  auto* model = qobject_cast<QStandardItemModel*>(toLayer_->model());
  if (model != nullptr && model->item(0) != nullptr) model->item(0)->setEnabled(!layers);
  if (layers && toLayer_->currentIndex() == 0) toLayer_->setCurrentIndex(1);
  const MoveChoice c = Choice();
  ok_->setEnabled(!(c.from == c.to));
}

MoveChoice MoveDialog::Choice() const {
  return {{fromGroup_->currentIndex(), fromLayer_->currentIndex() - 1},
          {toGroup_->currentIndex(), toLayer_->currentIndex() - 1}};
}

}  // namespace quintaro::app
