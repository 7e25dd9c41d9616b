// Catching the course file error a parser raises, so that a table of cases can compare
// what it says and where.
#pragma once

#include <gtest/gtest.h>

#include <optional>

#include "course/CourseFileError.h"

namespace kntest {

// The CourseFileError that act throws; none, and a test failure, when it throws nothing.
template <class Act>
std::optional<CourseFileError> CourseErrorOf(Act&& act) {
  try {
    act();
  } catch (const CourseFileError& e) {
    return e;
  }
  ADD_FAILURE() << "no course file error";
  return std::nullopt;
}

}  // namespace kntest
