#include "app/ProgramServices.h"

#include "glossary/GlossaryTable.h"
#include "glossary/IndexTable.h"
#include "audio/SoundOutput.h"
#include "audio/SoundService.h"
#include "course/AsteriskSourceList.h"
#include "course/BundleList.h"
#include "course/ContentsServices.h"
#include "course/ContentsTable.h"
#include "course/CourseModelLinks.h"
#include "course/CoursePersonality.h"
#include "course/Preferences.h"
#include "course/Notice.h"
#include "course/Services.h"
#include "course/StringIds.h"
#include "exposition/KeywordOrder.h"
#include "movies/MovieSupport.h"
#include "records/StudentRecord.h"

ProgramServices::ProgramServices() = default;

ProgramServices::~ProgramServices() { DestroyAll(); }

int MovieStartNotice(int status) {
  switch (static_cast<MovieSupport::Status>(status)) {
    case MovieSupport::Status::Ready:
      return 0;
    case MovieSupport::Status::TooOld:
      return str::kMovieLibraryOld;
    case MovieSupport::Status::NotInstalled:
    case MovieSupport::Status::CannotStart:
      return str::kMovieLibraryRequired;
  }
  return str::kMovieLibraryRequired;
}

template <class T>
void ProgramServices::Install(std::unique_ptr<T>& slot, std::unique_ptr<T> made, const char* name) {
  slot = std::move(made);
  InstallService<T>(slot.get());
  m_journal.push_back(std::string("+") + name);
}

template <class T>
void ProgramServices::Destroy(std::unique_ptr<T>& slot, const char* name) {
  if (!slot) return;
  if (Service<T>() == slot.get()) InstallService<T>(nullptr);
  slot.reset();
  m_journal.push_back(std::string("-") + name);
}

void ProgramServices::CreatePersonality() {
  Install(m_personality, std::make_unique<CoursePersonality>(), "CoursePersonality");
}

void ProgramServices::CreatePreferences(bool loadSaved) {
  Install(m_preferences, std::make_unique<Preferences>(), "Preferences");
  if (loadSaved) m_preferences->LoadProfile();
  m_preferences->DiscoverVolume();
}

int ProgramServices::CreateCourseServices(MovieStarter startMovies, SoundOutputMaker soundOutput,
                                          MovieStart movieStart) {
  auto bundles = std::make_unique<BundleList>();
  bundles->Load();
  Install(m_bundles, std::move(bundles), "BundleList");
  auto contents = std::make_unique<ContentsTable>();
  Install(m_contents, std::move(contents), "ContentsTable");
  m_contents->Load();
  auto glossary = std::make_unique<GlossaryTable>();
  if (!glossary->LoadCourseGlossary()) ShowPlainMessage(GlossaryTable::kLoadFailed);
  Install(m_glossary, std::move(glossary), "GlossaryTable");

  if (PersonalityBool(kKeyQuickTime, true)) {
    auto movies = std::make_unique<MovieSupport>();
    if (movieStart == MovieStart::WithServices) {
      const int status = startMovies ? startMovies(*movies) : static_cast<int>(movies->Start());
      if (const int notice = MovieStartNotice(status)) return notice;
    } else {
      MovieSupport::Starter start;
      if (startMovies)
        start = [startMovies](MovieSupport& m) { return static_cast<MovieSupport::Status>(startMovies(m)); };
      // Unsaved work may be open by then: the notice, but no end of the program.
      movies->StartWhenFirstNeeded(std::move(start), [](MovieSupport::Status status) {
        ShowNotice(MovieStartNotice(static_cast<int>(status)));
      });
    }
    Install(m_movies, std::move(movies), "MovieSupport");
  }

  Install(m_student, std::make_unique<StudentRecord>(), "StudentRecord");
  Install(m_sound, soundOutput ? soundOutput() : CreateSoundOutput(), "SoundOutput");
  auto asterisks = std::make_unique<AsteriskSourceList>();
  asterisks->Load();
  Install(m_asterisks, std::move(asterisks), "AsteriskSourceList");
  auto index = std::make_unique<IndexTable>();
  if (!index->LoadCourseIndex()) ShowPlainMessage(IndexTable::kLoadFailed);
  Install(m_index, std::move(index), "IndexTable");
  Install(m_keywords, std::make_unique<KeywordOrder>(), "KeywordOrder");
  // The configuration reads the bundle and asterisk lists and resolves identifiers
  // through the contents from now on; the preferences' choices are checked against them.
  ConnectCourseModel();
  return 0;
}

void ProgramServices::ShutdownMovieSupport() {
  if (!m_movies) return;
  m_movies->StopToolbox();
  m_movies->Shutdown();
}

void ProgramServices::DestroyAll() {
  Destroy(m_student, "StudentRecord");
  Destroy(m_contents, "ContentsTable");
  Destroy(m_bundles, "BundleList");
  Destroy(m_asterisks, "AsteriskSourceList");
  Destroy(m_glossary, "GlossaryTable");
  Destroy(m_index, "IndexTable");
  Destroy(m_movies, "MovieSupport");
  Destroy(m_preferences, "Preferences");
  Destroy(m_sound, "SoundOutput");
  Destroy(m_keywords, "KeywordOrder");
  Destroy(m_personality, "CoursePersonality");
  SetCourseModelLinks({});
}
