// Command routing. A command (menu item, toolbar button, shortcut) goes to the active
// course view, then its window, then the main frame, then the application: the first
// target that handles it runs it. The same chain is asked, when menus open and when the
// program is idle, whether each command is enabled, checked and what its text is; a
// command no target handles is disabled.
#pragma once

#include <optional>
#include <string>

struct CommandState {
  bool enabled = true;
  std::optional<bool> checked;      // set: the item shows a check mark (or not)
  std::optional<std::string> text;  // set: the item's menu text (UTF-8, "&" marks, "\t" shortcut)
};

class CommandTarget {
 public:
  virtual ~CommandTarget() = default;
  // True when this target handles id; then state says how it looks.
  virtual bool UpdateCommand(int id, CommandState& state) { return false; }
  // True when this target handled id.
  virtual bool OnCommand(int id) { return false; }
};
