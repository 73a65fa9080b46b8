// The three move commands of the thumbnail views.
#include "app/layer_moves.h"
#include "app/move_report.h"
#include "app/ui_texts.h"
#include "layers/labels.h"

namespace quintaro::app {

namespace {

QString Hex(int n) {
  return QString::number(n, 16).toUpper();
}

QString Lines(const QStringList& lines) {
  return lines.join(QStringLiteral("\r\n"));
}

}  // namespace

QString GroupMoveQuestion(int srcGroup, int dstGroup, std::optional<double> srcScale,
                          std::optional<double> dstScale) {
  QStringList lines{Ui("レイヤグループ[") + Hex(srcGroup) + Ui("]の図形を"),
                    Ui("レイヤグループ[") + Hex(dstGroup) + Ui("]へ移動します。"),
                    Ui("よろしいですか？")};
  if (srcScale && dstScale && *srcScale != *dstScale) {
    lines << Ui(text::kScaleDiffers)
                 .arg(QString::fromStdString(ScaleText(*srcScale)),
                      QString::fromStdString(ScaleText(*dstScale)));
  }
  return Lines(lines);
}

QString LayerMoveQuestion(int group, int srcLayer, int dstLayer) {
  return Lines({Ui("－　レイヤグループ[") + Hex(group) + Ui("]　－"),
                Ui("レイヤ[") + Hex(srcLayer) + Ui("]の図形を"),
                Ui("レイヤ[") + Hex(dstLayer) + Ui("]へ移動します。"), Ui("よろしいですか？")});
}

QString CrossLayerMoveQuestion(int srcGroup, int srcLayer, int dstGroup, int dstLayer) {
  return Lines({Ui("レイヤ[") + Hex(srcGroup) + Ui("]－[") + Hex(srcLayer) + Ui("]の図形を"),
                Ui("レイヤ[") + Hex(dstGroup) + Ui("]－[") + Hex(dstLayer) + Ui("]へ移動します。"),
                Ui("よろしいですか？")});
}

QString LayerMoves::Move(int srcGroup, int srcLayer, int dstGroup, int dstLayer) {
  const RelayerRule rule{{srcGroup, srcLayer}, {dstGroup, dstLayer}};
  return Ui(text::kConverted) + MoveSummary(parts_.history->Apply({rule}));
}

void LayerMoves::MoveGroup(int srcGroup, int dstGroup) {
  if (srcGroup == dstGroup) return;
  const auto& status = parts_.mainStatus;
  const Document& doc = parts_.state->document;
  QString question =
      GroupMoveQuestion(srcGroup, dstGroup, doc.GroupScale(srcGroup), doc.GroupScale(dstGroup));
  if (!parts_.dialogs->AskYesNo(question)) {
    return status(Ui(text::kMoveCancelled));
  }
  for (LayerWindow* window : {parts_.firstWindow, parts_.secondWindow}) {
    int shown = window->ShownGroup();
    if (shown >= 0 && (shown == srcGroup || shown == dstGroup)) window->close();
  }
  status(Ui(text::kConverting));
  const QString done = Move(srcGroup, -1, dstGroup, -1);
  parts_.overview->RedrawGroup(srcGroup);
  parts_.overview->RedrawGroup(dstGroup);
  status(done);
}

void LayerMoves::MoveLayer(LayerWindow& window, int srcLayer, int dstLayer) {
  if (srcLayer == dstLayer) return;
  int group = window.ShownGroup();
  if (!parts_.dialogs->AskYesNo(LayerMoveQuestion(group, srcLayer, dstLayer))) {
    return window.SetStatusText(Ui(text::kMoveCancelled));
  }
  window.SetStatusText(Ui(text::kConverting));
  const QString done = Move(group, srcLayer, group, dstLayer);
  window.RedrawLayer(srcLayer);
  window.RedrawLayer(dstLayer);
  window.SetStatusText(done);
}

void LayerMoves::MoveLayerAcross(LayerWindow& from, LayerWindow& to, int srcLayer, int dstLayer) {
  int g = from.ShownGroup(), h = to.ShownGroup();
  if (!parts_.dialogs->AskYesNo(CrossLayerMoveQuestion(g, srcLayer, h, dstLayer))) {
    return from.SetStatusText(Ui(text::kMoveCancelled));
  }
  from.SetStatusText(Ui(text::kConverting));
  const QString done = Move(g, srcLayer, h, dstLayer);
  from.RedrawLayer(srcLayer);
  to.RedrawLayer(dstLayer);
  parts_.overview->RedrawGroup(g);
  parts_.overview->RedrawGroup(h);
  from.ShowElementCount();
  to.ShowElementCount();
  from.SetStatusText(done);
}

}  // namespace quintaro::app

namespace quintaro::app {

// Layer windows showing either group are drawn again; they stay open.
void LayerMoves::MoveChosen(const MoveChoice& choice) {
  const LayerRef& a = choice.from;
  const LayerRef& b = choice.to;
  if (!HasDocument() || a == b || a.IsGroup() != b.IsGroup()) return;
  if (a.IsGroup()) return MoveGroup(a.group, b.group);
  const auto& status = parts_.mainStatus;
  const QString question = a.group == b.group
                               ? LayerMoveQuestion(a.group, a.layer, b.layer)
                               : CrossLayerMoveQuestion(a.group, a.layer, b.group, b.layer);
  if (!parts_.dialogs->AskYesNo(question)) return status(Ui(text::kMoveCancelled));
  status(Ui(text::kConverting));
  const QString done = Move(a.group, a.layer, b.group, b.layer);
  for (int g : {a.group, b.group}) parts_.overview->RedrawGroup(g);
  for (LayerWindow* window : {parts_.firstWindow, parts_.secondWindow}) {
    const int shown = window->ShownGroup();
    if (shown >= 0 && (shown == a.group || shown == b.group)) window->Redraw();
  }
  status(done);
}

}  // namespace quintaro::app
