// Bundle.txt and asterisk.txt: the key=value lists and their prefix lookups.
#include <cstdint>
#include <string_view>

#include "course/AsteriskSourceList.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  AsteriskSourceList list;
  list.Load(input);
  for (int i = -1; i <= list.Count(); ++i) {
    const std::string key = list.Key(i);
    (void)list.Value(i);
    (void)list.ValueOf(key + "1.ast");
    (void)list.IsIncluded(key, static_cast<std::uint16_t>(size));
  }
  (void)list.IndexOf(input.substr(0, 64));
  return 0;
}
