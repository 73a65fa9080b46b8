// Census of the DOS-era formats: every record carries its layer code.
#include <memory>
#include <vector>

#include "formats/jwc/jwc_data.h"
#include "formats/jwk/jwk_data.h"
#include "layers/census.h"
#include "layers/census_lists.h"

namespace quintaro {

namespace {

template <class Sink>
void CountJwc(const TJwcData& doc, Sink& s) {
  using census::Tally;
  census::CountCodes(doc.lines, &Tally::lines, s);
  census::CountCodes(doc.arcs, &Tally::arcs, s);
  census::CountCodes(doc.points, &Tally::points, s);
  const int slots = doc.UsedPointSlots();  // slot 0 never counts
  for (int i = 1; i <= slots; ++i) {
    const std::uint8_t code = doc.pointSlots[i].layer;
    s.Add(GroupOfCode(code), LayerOfCode(code), &Tally::temporaryPoints);
  }
  census::CountCodes(doc.texts, &Tally::texts, s);
}

template <class Sink>
void CountJwk(const TJwkData& doc, Sink& s) {
  using census::Tally;
  census::CountCodes(doc.lines, &Tally::lines, s);
  census::CountCodes(doc.arcs, &Tally::arcs, s);
  census::CountCodes(doc.points, &Tally::points, s);
  census::CountCodes(doc.texts, &Tally::texts, s);
}

}  // namespace

LayerCensusResult LayerCensus(const TJwcData& doc, int groupFilter, int layerFilter) {
  census::FilterSink s{groupFilter, layerFilter, {}};
  CountJwc(doc, s);
  return s.tally.Result();
}

LayerCensusResult LayerCensus(const TJwkData& doc, int groupFilter, int layerFilter) {
  census::FilterSink s{groupFilter, layerFilter, {}};
  CountJwk(doc, s);
  return s.tally.Result();
}

LayerTotals CensusAllLayers(const TJwcData& doc) {
  auto s = std::make_unique<census::TableSink>();
  CountJwc(doc, *s);
  return census::TotalsOf(*s);
}

LayerTotals CensusAllLayers(const TJwkData& doc) {
  auto s = std::make_unique<census::TableSink>();
  CountJwk(doc, *s);
  return census::TotalsOf(*s);
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
