#include "shell/ProgramServices.h"

#include <future>

#include "audio/SoundOutput.h"
#include "audio/SoundService.h"
#include "course/AsteriskSourceList.h"
#include "course/BundleList.h"
#include "course/ContentsTable.h"
#include "course/CourseModelLinks.h"
#include "course/CoursePersonality.h"
#include "course/Preferences.h"
#include "course/Services.h"
#include "exposition/KeywordOrder.h"
#include "shell/MovieSupportCheck.h"
#include "shell/PendingServices.h"

namespace {

std::vector<CourseListEntry> ListEntries(const CourseKeyList* list) {
  std::vector<CourseListEntry> out;
  if (!list) return out;
  for (const CourseKeyEntry& e : list->Entries()) out.push_back({e.key, e.value});
  return out;
}

// The configuration reads the bundle and asterisk lists and resolves identifiers through
// these once the contents exist.
void ConnectCourseModel() {
  CourseModelLinks links;
  links.bundles = [] { return ListEntries(Service<BundleList>()); };
  links.asteriskSources = [] { return ListEntries(Service<AsteriskSourceList>()); };
  links.resolve = [](std::string_view identifier) -> std::optional<CoursePlace> {
    const ContentsTable* contents = Service<ContentsTable>();
    if (!contents) return std::nullopt;
    const auto locator = contents->Resolve(identifier);
    if (!locator) return std::nullopt;
    return CoursePlace{locator->lesson, locator->page};
  };
  SetCourseModelLinks(std::move(links));
}

}  // namespace

struct ProgramServices::PendingCheck {
  std::unique_ptr<MovieLibrary> library;
  std::future<MovieCheck> result;
};

ProgramServices::ProgramServices() = default;

ProgramServices::~ProgramServices() {
  // A check still running finishes before its library goes.
  if (m_movieCheck && m_movieCheck->result.valid()) m_movieCheck->result.wait();
  DestroyAll();
}

void ProgramServices::BeginMovieCheck(MovieLibraryMaker movieLibrary) {
  if (m_movieCheck || !PersonalityBool(kKeyQuickTime, true)) return;
  auto check = std::make_unique<PendingCheck>();
  check->library = movieLibrary ? movieLibrary() : std::make_unique<FfmpegMovieLibrary>();
  if (MovieLibrary* library = check->library.get())
    check->result = std::async(std::launch::async, [library] { return StartMovieLibrary(*library); });
  m_movieCheck = std::move(check);
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

int ProgramServices::CreateCourseServices(MovieLibraryMaker movieLibrary, SoundOutputMaker soundOutput) {
  auto bundles = std::make_unique<BundleList>();
  bundles->Load();
  Install(m_bundles, std::move(bundles), "BundleList");
  auto contents = std::make_unique<ContentsTable>();
  Install(m_contents, std::move(contents), "ContentsTable");
  m_contents->Load();
  ConnectCourseModel();
  Install(m_glossary, std::make_unique<GlossaryTable>(), "GlossaryTable");

  if (PersonalityBool(kKeyQuickTime, true)) {
    BeginMovieCheck(std::move(movieLibrary));
    std::unique_ptr<PendingCheck> pending = std::move(m_movieCheck);
    const MovieCheck check = pending->result.valid() ? pending->result.get() : MovieCheck::NotInstalled;
    if (check != MovieCheck::Ready) return MovieCheckNotice(check);
    Install(m_movies, std::make_unique<MovieSupport>(std::move(pending->library)), "MovieSupport");
  }

  Install(m_student, std::make_unique<StudentRecord>(), "StudentRecord");
  Install(m_sound, soundOutput ? soundOutput() : CreateSoundOutput(), "SoundOutput");
  auto asterisks = std::make_unique<AsteriskSourceList>();
  asterisks->Load();
  Install(m_asterisks, std::move(asterisks), "AsteriskSourceList");
  Install(m_index, std::make_unique<IndexTable>(), "IndexTable");
  Install(m_keywords, std::make_unique<KeywordOrder>(), "KeywordOrder");
  // The bundle and asterisk choices can be checked against the lists now.
  if (m_preferences) m_preferences->Normalize();
  return 0;
}

void ProgramServices::ShutdownMovieSupport() {
  if (m_movies) m_movies->Shutdown();
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
