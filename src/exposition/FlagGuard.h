// Raises a flag for the length of a scope and puts back what it was, however the scope
// is left (the view's running chunk, the timeline's tick).
#pragma once

struct FlagGuard {
  explicit FlagGuard(bool& flag) : m_flag(flag), m_was(flag) { flag = true; }
  ~FlagGuard() { m_flag = m_was; }
  FlagGuard(const FlagGuard&) = delete;
  FlagGuard& operator=(const FlagGuard&) = delete;
  bool& m_flag;
  bool m_was;
};
