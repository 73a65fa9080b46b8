// Census of the DOS-era formats: every record carries its layer code.
#include <vector>

#include "formats/jwc/jwc_data.h"
#include "formats/jwk/jwk_data.h"
#include "layers/census.h"
#include "layers/census_lists.h"

namespace quintaro {

namespace {

template <class Record>
std::int64_t CountCodes(const std::vector<Record>& records, const census::LayerFilter& f) {
  std::int64_t n = 0;
  for (const auto& o : records) n += f.MatchCode(o.layer);
  return n;
}

}  // namespace

LayerCensusResult LayerCensus(const TJwcData& doc, int groupFilter, int layerFilter) {
  const census::LayerFilter f{groupFilter, layerFilter};
  census::Tally t;
  t.lines = CountCodes(doc.lines, f);
  t.arcs = CountCodes(doc.arcs, f);
  t.points = CountCodes(doc.points, f);
  const int slots = doc.UsedPointSlots();  // slot 0 never counts
  for (int i = 1; i <= slots; ++i) t.temporaryPoints += f.MatchCode(doc.pointSlots[i].layer);
  t.texts = CountCodes(doc.texts, f);
  return t.Result();
}

LayerCensusResult LayerCensus(const TJwkData& doc, int groupFilter, int layerFilter) {
  const census::LayerFilter f{groupFilter, layerFilter};
  census::Tally t;
  t.lines = CountCodes(doc.lines, f);
  t.arcs = CountCodes(doc.arcs, f);
  t.points = CountCodes(doc.points, f);
  t.texts = CountCodes(doc.texts, f);
  return t.Result();
}

int GroupTotal(const TJwcData& doc, int group) {
  return LayerCensus(doc, group, -1).Total();
}
int GroupTotal(const TJwkData& doc, int group) {
  return LayerCensus(doc, group, -1).Total();
}
int LayerTotal(const TJwcData& doc, int group, int layer) {
  return LayerCensus(doc, group, layer).Total();
}
int LayerTotal(const TJwkData& doc, int group, int layer) {
  return LayerCensus(doc, group, layer).Total();
}

}  // namespace quintaro
