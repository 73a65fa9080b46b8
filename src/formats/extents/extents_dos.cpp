// Extents of the DOS-era formats: JWC drawings and JWK symbols.
#include <cmath>
#include <vector>

#include "formats/extents/extents.h"
#include "formats/jwc/jwc_data.h"
#include "formats/jwk/jwk_data.h"

namespace quintaro {

namespace {

constexpr double kDegToRad = 3.141592653589793 / 180.0;

void AddLines(const JwcRecordList<TEntJwcSen>& lines, DrawingExtents& e, double div) {
  for (const auto& o : lines) {
    ExtentsAdd(e, o.startX, o.startY, div);
    ExtentsAdd(e, o.endX, o.endY, div);
  }
}

void AddArcs(const JwcRecordList<TEntJwcEnko>& arcs, DrawingExtents& e, double div) {
  for (const auto& a : arcs) {
    const EllipseShape el(a.centerX, a.centerY, a.radius, a.flatness, a.tiltAngle * kDegToRad);
    int mask = JwcArcAxisMask(a.startAngle, a.endAngle);
    if (mask < 0) {
      mask = 15;  // a full circle: its axis points only
    } else {
      const EllipsePointXY p = el.At(a.startAngle * kDegToRad);
      const EllipsePointXY q = el.At(a.endAngle * kDegToRad);
      ExtentsAdd(e, p.x, p.y, div);
      ExtentsAdd(e, q.x, q.y, div);
    }
    for (int k = 0; k < 4; ++k) {
      if ((mask & (1 << k)) == 0) continue;
      const EllipsePointXY p = el.AtAxis(k);
      ExtentsAdd(e, p.x, p.y, div);
    }
  }
}

void AddTexts(const std::vector<TEntJwcMoji2>& texts, DrawingExtents& e, double div) {
  for (const auto& o : texts) {
    ExtentsAdd(e, o.startX, o.startY, div);
    ExtentsAdd(e, o.endX, o.endY, div);
  }
}

void AddPoints(const JwcRecordList<TEntJwcTen>& points, DrawingExtents& e, double div) {
  for (const auto& o : points) ExtentsAdd(e, o.x, o.y, div);
}

// Seeds with the first point of the first non-empty list; false when the
// drawing holds no figure.
bool SeedJwc(const TJwcData& d, int slots, DrawingExtents& e) {
  if (!d.lines.empty()) {
    ExtentsSeed(e, d.lines[0].startX, d.lines[0].startY, 1.0);
  } else if (!d.arcs.empty()) {
    ExtentsSeed(e, d.arcs[0].centerX, d.arcs[0].centerY, 1.0);
  } else if (!d.texts.empty()) {
    ExtentsSeed(e, d.texts[0].startX, d.texts[0].startY, 1.0);
  } else if (!d.points.empty()) {
    ExtentsSeed(e, d.points[0].x, d.points[0].y, 1.0);
  } else if (slots > 0) {
    ExtentsSeed(e, d.pointSlots[1].x, d.pointSlots[1].y, 1.0);
  } else {
    return false;
  }
  return true;
}

}  // namespace

double JwkDivisor(const TJwkData& doc) {
  const double s = doc.header.SymbolScale;
  return (s > 1e-14 && std::isfinite(s)) ? s : 1.0;
}

void ComputeExtents(TJwcData& doc, DrawingExtents& shared) {
  const int slots = doc.UsedPointSlots();
  // A drawing without figures keeps the previous box.
  if (SeedJwc(doc, slots, shared)) {
    AddLines(doc.lines, shared, 1.0);
    AddArcs(doc.arcs, shared, 1.0);
    AddTexts(doc.texts, shared, 1.0);
    AddPoints(doc.points, shared, 1.0);
    for (int i = 1; i <= slots; ++i) {
      ExtentsAdd(shared, doc.pointSlots[i].x, doc.pointSlots[i].y, 1.0);
    }
  }
  doc.extents = shared;
}

void ComputeExtents(TJwkData& doc, DrawingExtents& shared) {
  const double div = JwkDivisor(doc);
  ExtentsSeed(shared, 0.0, 0.0, div);
  AddLines(doc.lines, shared, div);
  AddArcs(doc.arcs, shared, div);
  AddTexts(doc.texts, shared, div);
  AddPoints(doc.points, shared, div);
  doc.extents = shared;
}

}  // namespace quintaro
