// The launcher's window: the picture over the whole client area with the buttons of
// setup.cfg on it. It reads the configuration when it is made; a missing or damaged
// file is reported and the window keeps its default size and picture, without buttons.
#pragma once

#include <QtGui/QFont>
#include <QtGui/QImage>
#include <QtWidgets/QDialog>
#include <filesystem>
#include <vector>

#include "setup/SetupLauncher.h"
#include "setup/SetupSettings.h"

class QAbstractButton;
class CMovieLibraryProbe;
class CSetupShell;
class SetupProfile;

class CSetupDialog : public QDialog {
 public:

  // shell, profile and movieProbe are borrowed and must outlive the window;
  // movieProbe may be null, and then "quicktime" lines check nothing.
  CSetupDialog(const std::filesystem::path& programFolder, CSetupShell& shell, SetupProfile& profile,
               CMovieLibraryProbe* movieProbe, ProgramSearch search = ProgramSearch::FromEnvironment(),
               QWidget* parent = nullptr);

  bool configurationLoaded() const { return m_loaded; }
  const SetupSettings& settings() const { return m_settings; }
  int buttonCount() const { return static_cast<int>(m_buttons.size()); }
  QAbstractButton* button(int index) const;  // null outside 0 .. buttonCount() - 1
  const SetupButton& record(int index) const { return m_settings.buttons.at(index); }
  const QImage& picture() const { return m_picture; }
  const QFont& buttonFont() const { return m_buttonFont; }

  // Runs command cmd::kSetupButtonFirst + index, as a click on the button does.
  void RunCommand(int index);

 protected:
  // The About box, modal; tests replace it.
  virtual void ShowAbout();

  void paintEvent(QPaintEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void LoadConfiguration(CMovieLibraryProbe* movieProbe);
  void CreateButtons();
  void SyncCheckBoxes();

  CSetupLauncher m_launcher;
  SetupProfile& m_profile;
  SetupSettings m_settings;
  bool m_loaded = false;
  QImage m_picture;
  QFont m_buttonFont;
  std::vector<QAbstractButton*> m_buttons;  // owned by the window, in file order
};
