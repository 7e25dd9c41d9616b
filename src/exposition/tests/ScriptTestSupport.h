// Helpers of the script tests: compiling one line, evaluating it, and a small view.
#pragma once

#include <string>
#include <vector>

#include "exposition/PlainScriptView.h"
#include "exposition/ScriptValue.h"

namespace scripttest {

// The token stream of one source line (an LF is added, as the loader does).
std::vector<std::uint8_t> Compile(const std::string& source);
// The tokens of one source line as DescribeTokens writes them.
std::string Tokens(const std::string& source);

struct Evaluation {
  ScriptValue value;
  std::string rest;  // tokens left unread, without the line's own newline
};
Evaluation Evaluate(const std::string& source, ScriptView* view);

// A view with variables, a caption and an input flag; it answers the function
// `answer` with its argument count, records every command or function it is asked,
// and throws ScriptError for `string_width`.
class TestView : public PlainScriptView {
 public:
  struct Call {
    int code;
    ScriptValueList args;
    bool function;
  };

  ScriptValue ValueOfName(int code) override;
  bool CommandOrFunction(int code, ScriptValueList& args, ScriptValue* result) override;
  std::string WindowTitle() const override { return title; }
  bool InputPending() const override { return pending; }
  bool IsFunctionName(int code) const override;

  std::string title = "Test Window";
  bool pending = false;
  std::vector<Call> calls;
};

}  // namespace scripttest
