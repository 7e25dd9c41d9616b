#include "shell/CourseProgram.h"

namespace {
CourseProgram* g_program = nullptr;
}

CourseProgram* CourseProgram::Instance() { return g_program; }

void CourseProgram::Register(CourseProgram* program) { g_program = program; }

void CourseProgram::Unregister(CourseProgram* program) {
  if (g_program == program) g_program = nullptr;
}
