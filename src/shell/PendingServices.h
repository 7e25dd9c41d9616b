// Program-wide services whose subsystems are not part of the program yet, in the form
// they have until then: present, so that start-up creates and destroys them in their
// places and code that asks for them finds them, and empty, since the program cannot
// read their course files yet. Each is replaced by its subsystem's own class:
//   GlossaryTable  the glossary (glossary.gls)
//   IndexTable     the index (index.txt)
//   StudentRecord  the learner's record (name, completion marks, bookmarks)
//   MovieSupport   the movie component, started only when the personality asks for movies
#pragma once

#include <memory>
#include <string>

class MovieLibrary;

// No glossary terms.
class GlossaryTable {
 public:
  int termCount() const { return 0; }
};

// No index terms.
class IndexTable {
 public:
  int termCount() const { return 0; }
};

// The learner's name; no completion marks or bookmarks are kept yet.
class StudentRecord {
 public:
  static constexpr std::size_t kMaxName = 259;

  const std::string& name() const { return m_name; }
  // Course bytes; a longer name is cut to 259 bytes.
  void SetName(std::string name);
  // Empties the record (the progress file was closed).
  void Reset() { m_name.clear(); }

 private:
  std::string m_name;
};

// The started movie library. Playing movies comes with the movie window.
class MovieSupport {
 public:
  // Takes a library that StartMovieLibrary has started.
  explicit MovieSupport(std::unique_ptr<MovieLibrary> library);
  ~MovieSupport();
  MovieSupport(const MovieSupport&) = delete;
  MovieSupport& operator=(const MovieSupport&) = delete;

  // Stops the library (at exit, before the services are deleted); safe to repeat.
  void Shutdown();

 private:
  std::unique_ptr<MovieLibrary> m_library;
};
