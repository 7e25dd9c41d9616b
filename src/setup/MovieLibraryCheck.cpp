#include "setup/MovieLibraryCheck.h"

#include "course/Notice.h"
#include "course/ProgramResources.h"
#include "course/StringIds.h"
#include "movies/MovieSupport.h"

CMovieComponentProbe::CMovieComponentProbe() : m_movies(std::make_unique<MovieSupport>()) {}
CMovieComponentProbe::~CMovieComponentProbe() = default;

bool CMovieComponentProbe::Initialise() { return m_movies->Initialise(); }
std::uint32_t CMovieComponentProbe::Version() { return m_movies->Version(); }
std::uint32_t CMovieComponentProbe::MinimumVersion() const { return m_movies->MinimumVersion(); }
bool CMovieComponentProbe::StartToolbox() { return m_movies->StartToolbox(); }
void CMovieComponentProbe::StopToolbox() { m_movies->StopToolbox(); }
void CMovieComponentProbe::Shutdown() { m_movies->Shutdown(); }

MovieLibraryStatus RunMovieLibraryCheck(CMovieLibraryProbe& probe) {
  MovieLibraryStatus status = MovieLibraryStatus::Ready;
  const std::uint32_t version = probe.Initialise() ? probe.Version() : 0;
  if (version == 0 || version < probe.MinimumVersion()) {
    status = MovieLibraryStatus::Missing;
    ShowPlainMessage(ProgramString(str::kSetupMovieLibraryMissing));
  } else if (!probe.StartToolbox()) {
    status = MovieLibraryStatus::CannotStart;
    ShowPlainMessage(ProgramString(str::kSetupMovieLibraryNoStart));
  } else {
    probe.StopToolbox();
  }
  probe.Shutdown();
  return status;
}
