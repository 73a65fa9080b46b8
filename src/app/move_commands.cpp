// The three move commands of the thumbnail views.
#include "app/layer_moves.h"
#include "app/ui_texts.h"

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
                 .arg(QString::number(*srcScale, 'g', 12), QString::number(*dstScale, 'g', 12));
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

void LayerMoves::Move(int srcGroup, int srcLayer, int dstGroup, int dstLayer) {
  const RelayerRule rule{{srcGroup, srcLayer}, {dstGroup, dstLayer}};
  parts_.history->Apply({rule});
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
  Move(srcGroup, -1, dstGroup, -1);
  parts_.overview->RedrawGroup(srcGroup);
  parts_.overview->RedrawGroup(dstGroup);
  status(Ui(text::kConverted));
}

void LayerMoves::MoveLayer(LayerWindow& window, int srcLayer, int dstLayer) {
  if (srcLayer == dstLayer) return;
  int group = window.ShownGroup();
  if (!parts_.dialogs->AskYesNo(LayerMoveQuestion(group, srcLayer, dstLayer))) {
    return window.SetStatusText(Ui(text::kMoveCancelled));
  }
  window.SetStatusText(Ui(text::kConverting));
  Move(group, srcLayer, group, dstLayer);
  window.RedrawLayer(srcLayer);
  window.RedrawLayer(dstLayer);
  window.SetStatusText(Ui(text::kConverted));
}

void LayerMoves::MoveLayerAcross(LayerWindow& from, LayerWindow& to, int srcLayer, int dstLayer) {
  int g = from.ShownGroup(), h = to.ShownGroup();
  if (!parts_.dialogs->AskYesNo(CrossLayerMoveQuestion(g, srcLayer, h, dstLayer))) {
    return from.SetStatusText(Ui(text::kMoveCancelled));
  }
  from.SetStatusText(Ui(text::kConverting));
  Move(g, srcLayer, h, dstLayer);
  from.RedrawLayer(srcLayer);
  to.RedrawLayer(dstLayer);
  parts_.overview->RedrawGroup(g);
  parts_.overview->RedrawGroup(h);
  from.ShowElementCount();
  to.ShowElementCount();
  from.SetStatusText(Ui(text::kConverted));
}

}  // namespace quintaro::app
