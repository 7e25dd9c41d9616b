// The tools a page can offer on the accessories bar (Tool1 and Tool2): indexes 1 to 15
// into the list "cent", "code", "cond", "dens", "dot", "guess", "histo", "least", "line",
// "prob", "proc", "random", "scat", "table", "targ"; 0 for none.
#pragma once

#include <string_view>

inline constexpr int kPageToolCount = 15;

// The index of a tool name (ASCII case ignored); 0 when the list does not hold it.
int PageToolIndex(std::string_view name);
// The name of tool index 1 to 15; empty otherwise.
std::string_view PageToolName(int index);
// What the learner calls the tool ("Distribution Tables"); empty outside 1 to 15.
std::string_view PageToolTitle(int index);
