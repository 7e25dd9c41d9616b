// Running the statements of one chunk: reading each statement from the token stream,
// the block stack of `if`, `else`, `end`, `repeat` and `exit`, and the pre-step
// (`with`/`without`, the pen) before every other command, which the view then runs.
//
// Blocks nest at most kMaxBlocks deep inside one chunk; a deeper block abandons the
// chunk. Every statement read costs the budget one unit plus one per 32 bytes of
// tokens it reads; when the budget runs out the chunk is abandoned, so that no loop
// (`repeat ... by 0`, `repeat while 1`, a chunk jumping to its own label) can hold the
// window.
#pragma once

#include <cstdint>
#include <span>
#include <stdexcept>

#include "exposition/ScriptView.h"

class CExpoView;

struct ScriptBudget {
  static constexpr std::int64_t kPerTick = 100000;
  std::int64_t perTick = kPerTick;  // what each timer tick (and each seek) gives
  std::int64_t left = kPerTick;
  void Refill() { left = perTick; }
};

// Thrown when the budget is spent or the block stack would overflow.
class ScriptAbandoned : public ScriptError {
 public:
  enum class Why { Budget, Blocks };
  ScriptAbandoned(Why why, const char* what) : ScriptError(what), why(why) {}
  Why why;
};

constexpr int kMaxBlocks = 4;

// Runs the statements of tokens on view. Exceptions from statements (ScriptError,
// ScriptAbandoned, exhausted memory) propagate to the caller.
void RunScriptStatements(CExpoView& view, std::span<const std::uint8_t> tokens, ScriptBudget& budget);
