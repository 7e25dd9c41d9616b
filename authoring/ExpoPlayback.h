// An exposition played headless on a virtual clock: the file, a host that finds its
// pictures as the window does (embedded entries, then files of the activity's folder),
// the view and its timeline. kncourse expo play prints it; kncourse check dry-runs it.
#pragma once

#include <QtCore/QJsonArray>
#include <QtCore/QJsonObject>
#include <QtCore/QSize>
#include <cstdint>
#include <string>

#include "exposition/ExpoTimeline.h"
#include "exposition/ExpoView.h"
#include "exposition/ExpoVirtualHost.h"
#include "exposition/ExpositionFile.h"

namespace kncourse {

// The height of the position bar that the short variant of the exposition window
// gives up from its 440 pixels.
constexpr int kPositionBarHeight = 24;

class FilePictureHost : public VirtualExpoHost {
 public:
  FilePictureHost(const ExpositionFile* file, std::string folder) : m_file(file), m_folder(std::move(folder)) {}
  QImage LoadPicture(std::string_view name) override;

 private:
  const ExpositionFile* m_file;
  std::string m_folder;
};

struct ExpoPlayer {
  ExpoPlayer(const ExpositionFile& file, std::string folder, QSize area);
  // Builds the chunks and loads them with a virtual clip of clipLength samples, or the
  // silent clip when clipLength is negative (no narration found).
  void LoadNarration(std::int64_t clipLength);
  // One line of `expo play --at`: time, position, state, pen, variables, objects.
  QJsonObject State(std::int64_t ms) const;
  // An input ("click NAME", "click X,Y", "key space", "type NAME TEXT", "seek S",
  // "continue"); an error text when it cannot be done.
  std::string Act(const std::string& action);

  const ExpositionFile& file;
  FilePictureHost host;
  CExpoView view;
  ExpoTimeline timeline;
};

// The drawing area of the window a type code opens.
QSize ExpoArea(std::uint32_t typeCode);
// The narration clip beside an exposition (".ogg", else ".aif" in place of the
// extension); empty when there is none.
std::string NarrationClipPath(const std::string& path);
// Its length on the narration clock; -1 when it cannot be read.
std::int64_t NarrationLength(const std::string& clipPath);
// The variables that are set, by name.
QJsonObject ExpoVariables(const ScriptVariables& vars);
// The objects as `expo play` prints them.
QJsonArray ExpoObjects(const ExpoScene& scene);

}  // namespace kncourse
