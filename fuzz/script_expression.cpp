// The expression reader over arbitrary token streams: expressions are read one after
// another until the stream ends, with and without a view, and every value goes
// through every conversion and the argument conventions. The reader must always make
// progress and never read past the end.
#include <cstdint>
#include <vector>

#include "course/Notice.h"
#include "exposition/PlainScriptView.h"
#include "exposition/ScriptArguments.h"
#include "exposition/ScriptExpression.h"
#include "exposition/TokenCursor.h"

namespace {

void Exercise(ScriptValue v) {
  (void)DescribeScriptValue(v);
  for (ScriptKind k :
       {ScriptKind::Integer, ScriptKind::Real, ScriptKind::Text, ScriptKind::Colour, ScriptKind::Point}) {
    ScriptValue copy = v;
    copy.ConvertTo(k);
  }
}

void ReadAll(std::span<const std::uint8_t> stream, ScriptView* view) {
  TokenCursor c(stream);
  while (!c.atEnd()) {
    const std::size_t before = c.position();
    Exercise(EvaluateExpression(c, view));
    if (c.position() <= before || c.position() > stream.size()) __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool quiet = [] {
    SetNoticeHandler([](const NoticeRequest&) {});  // "Error executing script" is expected here
    return true;
  }();
  (void)quiet;
  const std::span<const std::uint8_t> stream(data, size);
  PlainScriptView view;
  ReadAll(stream, &view);
  ReadAll(stream, nullptr);

  TokenCursor c(stream);
  while (!c.atEnd()) {
    const std::size_t before = c.position();
    ScriptValueList args = CollectArgumentList(c, &view);
    RewriteWithWithout(args);
    ArgumentIterator it(args);
    while (auto a = it.Next()) Exercise(*a->value);
    if (c.position() == before) c.Read();  // a terminator the statement would consume
  }
  return 0;
}
