// The script variables of one view: bool0-bool1 and int0-int9 (integers),
// float0-float9 (reals), text0-text9 (texts of at most 255 characters) and
// point0-point3 (points). All are zero or empty after Reset.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "exposition/ScriptValue.h"

class ScriptVariables {
 public:
  static bool IsVariable(int code);
  // The kind a variable holds; None for codes that are no variable.
  static ScriptKind KindOf(int code);

  // The variable's value carrying the variable mark; nothing for other codes.
  ScriptValue Value(int code) const;
  // Stores value converted to the variable's kind; false when code is no variable
  // or the value does not convert (the variable keeps its value).
  bool Assign(int code, const ScriptValue& value);
  void Reset();

 private:
  std::array<std::int32_t, 12> m_integers{};  // bool0, bool1, int0..int9
  std::array<float, 10> m_reals{};
  std::array<std::string, 10> m_texts{};
  std::array<ScriptPoint, 4> m_points{};
};
