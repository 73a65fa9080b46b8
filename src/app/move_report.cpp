#include "app/move_report.h"

#include <QLocale>
#include <QStringList>

#include "app/ui_texts.h"
#include "layers/labels.h"

namespace quintaro::app {

namespace {

constexpr int kMostFlowsShown = 4;

QString Digit(int n) {
  return QString::number(n, 16).toUpper();
}

QString RefLabel(const LayerRef& ref) {
  QString text = QStringLiteral("[") + Digit(ref.group) + QStringLiteral("]");
  if (!ref.IsGroup()) text += Ui("－[") + Digit(ref.layer) + QStringLiteral("]");
  return text;
}

// Figures with thousands separators whatever the locale: "1,234 図形".
QString Figures(int n) {
  return QLocale(QLocale::English).toString(n) + QStringLiteral(" ") + Ui(text::kFiguresMoved);
}

QString Quoted(const std::string& utf8) {
  return Ui("「") + QString::fromStdString(utf8) + Ui("」");
}

// Figures keep their coordinates: between groups of different scales texts
// and dimensions come out at another size on paper.
void NoteScale(const LayerChange::Flow& f, const Document& doc, QStringList& lines) {
  auto a = doc.GroupScale(f.from.group), b = doc.GroupScale(f.to.group);
  if (f.figures == 0 || f.from.group == f.to.group || !a || !b || *a == *b) return;
  lines << QStringLiteral("  ") + Ui(text::kScaleDiffers)
                                      .arg(QString::fromStdString(ScaleText(*a)),
                                           QString::fromStdString(ScaleText(*b)));
}

void StepLines(const LayerChange::Step& s, const Document& doc, QStringList& lines) {
  const RuleKind kind = s.rule.kind;
  if (kind == RuleKind::kRenameGroup || kind == RuleKind::kRenameLayer) {
    lines << RefLabel(s.rule.from) + Ui(" 名前 ") + Quoted(s.oldName) + Ui("→") + Quoted(s.newName);
    if (s.newName != s.rule.name) lines << Ui("  長すぎる名前を切り詰めました。");
    return;
  }
  if (s.flows.empty()) lines << Quoted(s.rule.pattern) + Ui(" に合う名前はありません。");
  for (const LayerChange::Flow& f : s.flows) {
    lines << FlowText(f);
    NoteScale(f, doc, lines);
  }
}

}  // namespace

QString FlowText(const LayerChange::Flow& flow) {
  QString text = RefLabel(flow.from) + Ui(flow.swap ? "⇄" : "→") + RefLabel(flow.to) +
                 QStringLiteral(" ") + Figures(flow.figures);
  if (!flow.name.empty()) text += QStringLiteral(" ") + Quoted(flow.name);
  return text;
}

QString MoveSummary(const LayerChange& change) {
  QStringList flows;
  for (const LayerChange::Step& s : change.steps) {
    for (const LayerChange::Flow& f : s.flows) flows << FlowText(f);
  }
  if (flows.isEmpty()) return {};
  if (flows.size() > kMostFlowsShown) return Ui(" 計 ") + Figures(change.Moved());
  return QStringLiteral(" ") + flows.join(Ui("、"));
}

QString MappingOutcomeText(const LayerChange& change, const Document& doc) {
  QStringList lines{Ui(change.Moved() > 0 ? text::kMappingApplied : text::kMappingNothing)};
  for (const LayerChange::Step& s : change.steps) StepLines(s, doc, lines);
  return lines.join(QStringLiteral("\r\n"));
}

}  // namespace quintaro::app
