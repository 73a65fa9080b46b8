// Extents of a JWW drawing.
#include "formats/extents/extents.h"
#include "formats/extents/extents_drawing.h"
#include "formats/jww/jww_data.h"

namespace quintaro {

void ComputeExtents(TJwwData& doc, DrawingExtents& shared) {
  // A drawing without figures keeps the previous box.
  if (extents::SeedFromFirstFigure(doc, shared)) {
    extents::AddDrawing(static_cast<const TJwwEntityList&>(doc), doc.BlockDefs, doc.BlockTree,
                        shared);
  }
  doc.Extents = shared;
}

}  // namespace quintaro
