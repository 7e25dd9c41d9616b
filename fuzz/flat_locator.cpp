// Flat locators from the clipboard or a drag: an accepted one names a file or a place the
// contents hold, and flattens back to a locator that is accepted again.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "RecordsFuzzing.h"
#include "records/BookmarkList.h"
#include "records/LocatorCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto l = UnflattenLocator(std::span<const std::uint8_t>(data, size), FuzzContents());
  if (!l) return 0;
  if (!l->file && !LocatorExists(*l, FuzzContents())) std::abort();
  const auto again = UnflattenLocator(FlattenLocator(*l), FuzzContents());
  if (!again || *again != *l) std::abort();
  (void)BookmarkText(*l, FuzzContents());
  return 0;
}
