// The movie window's own text window for a transcript, used until the hypertext windows
// take transcripts over (CMovieWnd::SetTextViewer): the transcript's text, read-only,
// under the movie window's caption. One exists at a time.
#pragma once

#include <QtCore/QString>
#include <string>

#include "course/ActivityLocator.h"
#include "shell/CoreWnd.h"

class QPlainTextEdit;

class CMovieTextWnd : public CStatWnd {
 public:
  CMovieTextWnd();
  // Shows text (course bytes) for locator's movie, making the window when needed.
  static CMovieTextWnd* Show(const QString& caption, const std::string& text, const ActivityLocator& locator);
  // Closes the window when it shows locator's transcript.
  static void CloseFor(const ActivityLocator& locator);
  static CMovieTextWnd* Find();

  QString text() const;
  const ActivityLocator& locator() const { return m_locator; }

 private:
  QPlainTextEdit* m_text = nullptr;
  ActivityLocator m_locator;
};
