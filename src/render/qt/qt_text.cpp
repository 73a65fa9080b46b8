// Text output of the QPainter canvas: faces of the drawings mapped to the
// installed fonts, cells stretched to the asked width, vertical faces.
#include <QFontMetricsF>

#include "formats/common/text.h"
#include "render/qt/qt_canvas.h"

namespace quintaro::render {

namespace {

// Full-width Latin letters and digits to ASCII, spaces removed, lower case.
QString Normalized(const QString& s) {
  QString out;
  for (QChar c : s) {
    char16_t u = c.unicode();
    if (u >= 0xFF01 && u <= 0xFF5E) u = static_cast<char16_t>(u - 0xFF01 + 0x21);
    if (u == u' ' || u == 0x3000) continue;
    out += QChar(u).toLower();
  }
  return out;
}

// Characters of a vertical face that follow the line instead of standing
// upright: their turned shapes are the vertical forms.
bool FollowsLine(char16_t c) {
  static const QString kAlong =
      QString::fromUtf8("ー「」『』（）【】〔〕［］｛｝〈〉《》〜…‥－＝―～");
  return kAlong.contains(QChar(c));
}

// Small marks that sit in the upper right corner in vertical writing.
bool IsCornerMark(char16_t c) {
  return c == u'、' || c == u'。' || c == u'，' || c == u'．';
}

}  // namespace

QStringList FamiliesForFace(const std::string& faceName, bool* japanese) {
  QString name = QString::fromStdString(Cp932ToUtf8(faceName));
  QString n = Normalized(name);
  bool mincho = n.contains(QStringLiteral("mincho")) || n.contains(QString::fromUtf8("明朝"));
  bool gothic = n.contains(QStringLiteral("gothic")) || n.contains(QString::fromUtf8("ゴシック")) ||
                n.contains(QStringLiteral("meiryo")) || n.contains(QString::fromUtf8("メイリオ"));
  bool proportional = n.startsWith(QStringLiteral("msp")) || n.contains(QStringLiteral("ui")) ||
                      n.contains(QStringLiteral("meiryo")) ||
                      n.contains(QString::fromUtf8("メイリオ"));
  *japanese = mincho || gothic || n.isEmpty();
  if (mincho)
    return JapaneseFamilies(proportional ? JapaneseFace::kPMincho : JapaneseFace::kMincho);
  if (gothic || n.isEmpty()) {
    return JapaneseFamilies(proportional ? JapaneseFace::kPGothic : JapaneseFace::kGothic);
  }
  return {name};
}

void QtCanvas::TextOut(int x, int y, std::string_view bytes, TextEncoding encoding) {
  Flush();
  const FontSpec& f = CurrentFont();
  if (f.height <= 0) return;
  if (fontDirty_) {
    bool vertical = !f.faceName.empty() && f.faceName[0] == '@';
    bool japanese = false;
    qfont_ = QFont(FamiliesForFace(vertical ? f.faceName.substr(1) : f.faceName, &japanese));
    qfont_.setPixelSize(f.height);
    qfont_.setWeight(static_cast<QFont::Weight>(std::clamp(f.weight, 100, 900)));
    qfont_.setItalic(f.italic);
    qfont_.setUnderline(f.underline);
    qfont_.setStrikeOut(f.strikeOut);
    QFontMetricsF fm(qfont_);
    double cell = fm.ascent() + fm.descent();
    fontScaleY_ = cell > 0 ? f.height / cell : 1.0;
    fontAscent_ = fm.ascent();
    // Japanese faces are half as wide as high; others keep their own average.
    double natural = japanese ? f.height / 2.0 : fm.averageCharWidth() * fontScaleY_;
    fontScaleX_ = f.width > 0 && natural > 0 ? fontScaleY_ * f.width / natural : fontScaleY_;
    vertical_ = vertical;
    painter_.setFont(qfont_);
    fontDirty_ = false;
  }
  const QString& text = Decode(bytes, encoding);
  if (text.isEmpty()) return;
  painter_.save();
  painter_.setPen(ToQColor(TextColor()));
  painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
  painter_.setRenderHint(QPainter::TextAntialiasing, true);
  painter_.translate(x, y);
  painter_.rotate(-f.escapement / 10.0);
  char16_t c = text[0].unicode();
  bool wide = bytes.size() >= 2 && encoding == TextEncoding::kCp932;
  if (encoding == TextEncoding::kUtf16le) wide = c >= 0x1100 && !(c >= 0xFF61 && c <= 0xFF9F);
  bool upright = vertical_ && wide && !FollowsLine(c);
  DrawGlyph(text, upright, IsCornerMark(c), f.width > 0 ? 2.0 * f.width : f.height);
  painter_.restore();
}

// Draws one glyph in its cell, the painter at the cell's top left corner and
// turned along the line. An upright glyph (vertical face) is turned back a
// quarter so that it stands on the screen, filling the cell across.
void QtCanvas::DrawGlyph(const QString& glyph, bool upright, bool cornerMark, double advance) {
  const double h = CurrentFont().height;
  if (!upright) {
    painter_.scale(fontScaleX_, fontScaleY_);
    painter_.drawText(QPointF(0, fontAscent_), glyph);
    return;
  }
  // Cell: `advance` along the line, h across it. Upright, the glyph is h wide
  // and `advance` high.
  painter_.translate(advance / 2, h / 2);
  painter_.rotate(-90);
  painter_.translate(-h / 2, -advance / 2);
  if (cornerMark) painter_.translate(h * 0.55, -advance * 0.55);
  double em = qfont_.pixelSize();
  painter_.scale(em > 0 ? h / em : 1.0, fontScaleY_ * advance / h);
  painter_.drawText(QPointF(0, fontAscent_), glyph);
}

}  // namespace quintaro::render
