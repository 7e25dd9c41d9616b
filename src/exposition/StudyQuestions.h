// The study questions of an exposition: the text of every `question` statement whose
// first argument is written as a string, numbered from 1, leaving out the questions
// marked `without number` or `number false`. The streams are walked token by token
// (a string is its count byte and its characters, a number its fixed width), so
// bytes inside a string or a number never pass for a `question` token.
#pragma once

#include <string>
#include <vector>

#include "exposition/ScriptChunk.h"

std::vector<std::string> ExtractStudyQuestions(const std::vector<ScriptChunk>& chunks);

// "%d.  %s" a line each (course bytes), or empty when there is none.
std::string FormatStudyQuestions(const std::vector<std::string>& questions);
