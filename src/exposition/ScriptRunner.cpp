#include "exposition/ScriptRunner.h"

#include <limits>
#include <vector>

#include "exposition/ExpoView.h"
#include "exposition/Keywords.h"
#include "exposition/ScriptArguments.h"
#include "exposition/ScriptExpression.h"
#include "exposition/TokenCursor.h"

namespace {

struct Frame {
  int kind = kw::if_;
  bool active = true;
  bool whileMark = false;
  bool untilMark = false;
  int loopVariable = 0;
  bool hasEnd = false;
  std::int32_t endValue = 0;
  std::int32_t step = 1;
  std::size_t listIndex = 0;
  bool hasList = false;
  ScriptValueList list;
  std::size_t resume = 0;
};

bool IsIntegerVariable(int code) {
  return code == kw::bool0 || code == kw::bool1 || (code >= kw::int0 && code <= kw::int9);
}

bool Truth(const ScriptValue* v) {
  std::int32_t i = 0;
  return v && ToInteger(*v, i) && i != 0;
}

class Runner {
 public:
  Runner(CExpoView& view, std::span<const std::uint8_t> tokens, ScriptBudget& budget)
      : m_view(view), m_cursor(tokens), m_budget(budget) {}

  void Run() {
    for (;;) {
      while (m_cursor.PeekCode() == kw::newline) m_cursor.ReadCode();
      if (m_cursor.atEnd()) return;
      const std::size_t start = m_cursor.position();
      ScriptValueList values = ReadStatement();
      Charge(1 + static_cast<std::int64_t>(m_cursor.position() - start) / 32);
      const bool reentered = m_reenter;
      m_reenter = false;
      if (m_skipNext) {
        m_skipNext = false;
        continue;
      }
      if (values.empty() || !values[0].is(ScriptKind::Keyword)) continue;
      const int code = values[0].keyword();
      ScriptValueList args(std::make_move_iterator(values.begin() + 1), std::make_move_iterator(values.end()));
      switch (code) {
        case kw::if_:
          If(args);
          break;
        case kw::else_:
          Else();
          break;
        case kw::end:
          End(args);
          break;
        case kw::repeat:
          Repeat(args, start, reentered);
          break;
        case kw::exit:
          if (Active()) Exit(args);
          break;
        default:
          if (!Active()) break;
          RewriteWithWithout(args);
          m_view.ApplyPen(args, code);
          m_view.RunStatement(code, args);
          break;
      }
    }
  }

 private:
  // Values up to the end of the line (left for the next statement) or up to `then`,
  // `}` or `)` (consumed).
  ScriptValueList ReadStatement() {
    ScriptValueList values;
    for (;;) {
      const int next = m_cursor.PeekCode();
      if (next == kw::newline) break;
      if (next == 0) {
        if (m_cursor.atEnd()) break;
        m_cursor.Read();  // a stray zero byte stands for no token
        continue;
      }
      if (next == kw::then || next == kw::rbracket || next == kw::rparen) {
        m_cursor.ReadCode();
        break;
      }
      const std::size_t before = m_cursor.position();
      ScriptValue v = EvaluateExpression(m_cursor, &m_view);
      if (!v.isNone()) values.push_back(std::move(v));
      if (m_cursor.position() == before) m_cursor.Read();
    }
    return values;
  }

  void Charge(std::int64_t units) {
    m_budget.left -= units;
    if (m_budget.left < 0) throw ScriptAbandoned(ScriptAbandoned::Why::Budget, "the script ran too long");
  }

  bool Active() const { return m_stack.empty() || m_stack.back().active; }
  // The activity of the frames below the top one.
  bool EnclosingActive() const { return m_stack.size() < 2 || m_stack[m_stack.size() - 2].active; }

  void Push(Frame frame) {
    if (m_stack.size() >= static_cast<std::size_t>(kMaxBlocks))
      throw ScriptAbandoned(ScriptAbandoned::Why::Blocks, "blocks nested too deep");
    m_stack.push_back(std::move(frame));
  }

  void If(ScriptValueList& args) {
    const bool active = Truth(args.empty() ? nullptr : &args[0]) && Active();
    if (m_cursor.PeekCode() == kw::newline) {
      Frame f;
      f.kind = kw::if_;
      f.active = active;
      Push(std::move(f));
    } else if (!active && Active()) {
      m_skipNext = true;  // `if cond then statement` on one line
    }
  }

  void Else() {
    if (m_stack.empty() || m_stack.back().kind != kw::if_) return;
    Frame& f = m_stack.back();
    f.active = !f.active && EnclosingActive();
  }

  static int KindArgument(const ScriptValueList& args, int fallback) {
    if (!args.empty() && (args[0].isKeyword(kw::if_) || args[0].isKeyword(kw::repeat))) return args[0].keyword();
    return fallback;
  }

  void End(const ScriptValueList& args) {
    if (m_stack.empty()) return;
    Frame& f = m_stack.back();
    if (KindArgument(args, f.kind) == kw::repeat && f.active) {
      if (f.whileMark || f.untilMark) {
        // The repeat statement runs again and updates this frame's activity.
        m_cursor.setPosition(f.resume);
        m_reenter = true;
        return;
      }
      NextTurn(f);
      if (f.active) {
        m_cursor.setPosition(f.resume);
        return;
      }
    }
    m_stack.pop_back();
  }

  void NextTurn(Frame& f) {
    ScriptVariables& vars = m_view.variables();
    if (!IsIntegerVariable(f.loopVariable)) {
      f.active = false;
      return;
    }
    if (f.hasList) {
      if (f.listIndex < f.list.size()) {
        vars.Assign(f.loopVariable, f.list[f.listIndex]);
        ++f.listIndex;
      } else {
        f.active = false;
      }
      return;
    }
    const ScriptValue current = vars.Value(f.loopVariable);
    const std::int64_t next = std::int64_t(current.integer()) + f.step;
    if (next > std::numeric_limits<std::int32_t>::max() || next < std::numeric_limits<std::int32_t>::min()) {
      f.active = false;  // the counter would wrap: the loop ends instead
      return;
    }
    vars.Assign(f.loopVariable, ScriptValue::Integer(static_cast<std::int32_t>(next)));
    if (!f.hasEnd || (f.step > 0 && next > f.endValue) || (f.step < 0 && next < f.endValue)) f.active = false;
  }

  void Exit(const ScriptValueList& args) {
    if (m_stack.empty()) return;
    const int kind = KindArgument(args, m_stack.back().kind);
    for (std::size_t i = m_stack.size(); i-- > 0;) {
      if (m_stack[i].kind != kind) continue;
      for (std::size_t j = i; j < m_stack.size(); ++j) m_stack[j].active = false;
      return;
    }
  }

  void Repeat(ScriptValueList& args, std::size_t start, bool reentered) {
    const ScriptValue* whileCond = nullptr;
    const ScriptValue* untilCond = nullptr;
    const ScriptValue* variable = nullptr;
    const ScriptValue* from = nullptr;
    const ScriptValue* to = nullptr;
    const ScriptValue* by = nullptr;
    const ScriptValue* in = nullptr;
    ArgumentIterator it(args);
    while (auto a = it.Next()) {
      switch (a->keyword) {
        case kw::while_: whileCond = a->value; break;
        case kw::until: untilCond = a->value; break;
        case kw::with: variable = a->value; break;
        case kw::from: from = a->value; break;
        case kw::to: to = a->value; break;
        case kw::by: by = a->value; break;
        case kw::in: in = a->value; break;
        default: break;
      }
    }
    if (reentered && !m_stack.empty()) {
      Frame& f = m_stack.back();
      if (f.kind == kw::repeat && (f.whileMark || f.untilMark) && f.resume == start) {
        const bool cond = f.whileMark ? Truth(whileCond) : !Truth(untilCond);
        f.active = cond && EnclosingActive();
        return;
      }
    }
    Frame f;
    f.kind = kw::repeat;
    f.active = Active();
    f.resume = m_cursor.position();
    if (variable && variable->fromVariable()) f.loopVariable = variable->variableCode();
    ScriptVariables& vars = m_view.variables();
    if (from && f.loopVariable && f.active) vars.Assign(f.loopVariable, *from);
    if (to) f.hasEnd = ToInteger(*to, f.endValue);
    if (by) {
      std::int32_t step = 1;
      if (ToInteger(*by, step)) f.step = step;
    }
    if (in && in->is(ScriptKind::List)) {
      f.hasList = true;
      f.list = in->list();
      if (f.list.empty()) {
        f.active = false;
      } else {
        if (f.loopVariable && f.active) vars.Assign(f.loopVariable, f.list[0]);
        f.listIndex = 1;
      }
    }
    if (whileCond) {
      f.whileMark = true;
      f.resume = start;
      f.active = f.active && Truth(whileCond);
    } else if (untilCond) {
      f.untilMark = true;
      f.resume = start;
      f.active = f.active && !Truth(untilCond);
    }
    Push(std::move(f));
  }

  CExpoView& m_view;
  TokenCursor m_cursor;
  ScriptBudget& m_budget;
  std::vector<Frame> m_stack;
  bool m_skipNext = false;
  bool m_reenter = false;
};

}  // namespace

void RunScriptStatements(CExpoView& view, std::span<const std::uint8_t> tokens, ScriptBudget& budget) {
  Runner(view, tokens, budget).Run();
}
