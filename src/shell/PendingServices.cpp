#include "shell/PendingServices.h"

#include "shell/MovieSupportCheck.h"

void StudentRecord::SetName(std::string name) {
  if (name.size() > kMaxName) name.resize(kMaxName);
  m_name = std::move(name);
}

MovieSupport::MovieSupport(std::unique_ptr<MovieLibrary> library) : m_library(std::move(library)) {}

MovieSupport::~MovieSupport() { Shutdown(); }

void MovieSupport::Shutdown() {
  if (!m_library) return;
  StopMovieLibrary(*m_library);
  m_library.reset();
}
