// The program-wide services, owned here from start-up to exit. They are created in a
// fixed order, each installed for Service<T>() as it is made:
//   1 CoursePersonality   (start-up step 2)
//   2 Preferences         (step 9: loaded unless Ctrl and Shift are held, then the course
//                          locations are found)
//   3 BundleList, 4 ContentsTable, 5 GlossaryTable, 6 MovieSupport (only when the
//     personality's "QuickTime" is true), 7 StudentRecord, 8 SoundOutput,
//   9 AsteriskSourceList, 10 IndexTable, 11 KeywordOrder   (step 10)
// and destroyed in the exit order: StudentRecord, ContentsTable, BundleList,
// AsteriskSourceList, GlossaryTable, IndexTable, MovieSupport, Preferences, SoundOutput,
// KeywordOrder, CoursePersonality.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

class AsteriskSourceList;
class BundleList;
class ContentsTable;
class CoursePersonality;
class GlossaryTable;
class IndexTable;
class KeywordOrder;
class MovieSupport;
class Preferences;
class SoundOutput;
class StudentRecord;

class ProgramServices {
 public:
  // Makes the sound output (the audio subsystem's device by default; tests pass a silent
  // one or none).
  using SoundOutputMaker = std::function<std::unique_ptr<SoundOutput>()>;
  // Starts movie support (MovieSupport::Start by default; tests stand in for the library).
  using MovieStarter = std::function<int(MovieSupport&)>;

  ProgramServices();
  ~ProgramServices();
  ProgramServices(const ProgramServices&) = delete;
  ProgramServices& operator=(const ProgramServices&) = delete;

  void CreatePersonality();
  // loadSaved: read the saved preferences (false when Ctrl and Shift are held).
  void CreatePreferences(bool loadSaved);
  // When movie support binds and checks the movie library: with the other services
  // (the Welcome window plays a movie at once), or when the first movie is wanted, since
  // binding the library costs more than the rest of start-up together.
  enum class MovieStart { WithServices, AtFirstMovie };
  // Creates services 3 to 11 in order. Returns 0, or the notice (8558, 8559) after which
  // the program must end: movie support was asked for and the movie library is missing,
  // too old or cannot start. Services made before the failure stay for the exit.
  // Started at the first movie, movie support exists from here on; a start that fails
  // then shows the same notice and leaves movies unavailable, the program running.
  int CreateCourseServices(MovieStarter startMovies = {}, SoundOutputMaker soundOutput = {},
                           MovieStart movieStart = MovieStart::WithServices);
  // Stops movie support (the first step of exit).
  void ShutdownMovieSupport();
  // Destroys every service in the exit order (also done by the destructor).
  void DestroyAll();

  // The services' names in the order they were created and destroyed.
  const std::vector<std::string>& journal() const { return m_journal; }

 private:
  template <class T>
  void Install(std::unique_ptr<T>& slot, std::unique_ptr<T> made, const char* name);
  template <class T>
  void Destroy(std::unique_ptr<T>& slot, const char* name);

  std::unique_ptr<CoursePersonality> m_personality;
  std::unique_ptr<Preferences> m_preferences;
  std::unique_ptr<BundleList> m_bundles;
  std::unique_ptr<ContentsTable> m_contents;
  std::unique_ptr<GlossaryTable> m_glossary;
  std::unique_ptr<MovieSupport> m_movies;
  std::unique_ptr<StudentRecord> m_student;
  std::unique_ptr<SoundOutput> m_sound;
  std::unique_ptr<AsteriskSourceList> m_asterisks;
  std::unique_ptr<IndexTable> m_index;
  std::unique_ptr<KeywordOrder> m_keywords;
  std::vector<std::string> m_journal;
};

// The notice of a movie support start that failed (MovieSupport::Status as an int): 8558
// when the library is missing or cannot start, 8559 when it is too old; 0 when it started.
int MovieStartNotice(int status);
