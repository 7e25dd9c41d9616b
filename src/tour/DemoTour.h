// The demonstration tour (kestrelon --tour DIR): the real program, drawn offscreen,
// walks through the session of a new learner and saves a picture of every step:
//   the Welcome window; a new student entered in "Enter Student Information" and the
//   progress file named; the Lesson Book at its first page; the next page; another page
//   format chosen in the preferences; a page with equations, and the same page at a
//   larger text size; the table of contents moved beside the book; a
//   movie started from its icon; an activity marked completed; the progress file saved;
//   the movie marked too and the book closed, the program asking to save that work
//   first; the Welcome window again; the file opened again from the recent-file list,
//   its completions, page and bar back where they were; an exercise opened from its icon,
//   answered from the keyboard, checked and marked completed; a search across the course
//   whose hits go into the Bookmarks bar; a defined term looked up in the Glossary,
//   and its places in the Index.
// Every step is checked as it happens (the page turned, the bar shown, the file written
// and read back holding the completion, each picture different from the one before); the
// first step that fails ends the tour with its reason.
//
// DIR receives NN-step.png for each step, the progress file student.kns, and tour.txt
// listing the pictures with their captions and the notices the program showed.
#pragma once

#include <QtCore/QObject>
#include <QtCore/QRect>
#include <QtCore/QString>
#include <QtGui/QImage>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

class CourseProgram;
class QTimer;

// Prepares the process before the QApplication exists: the offscreen platform with one
// 1280 x 900 screen, and settings kept in DIR so the learner's own stay untouched. False
// (with why) when DIR cannot be made.
bool PrepareTourEnvironment(const std::filesystem::path& dir, std::string& why);

class CDemoTour : public QObject {
 public:
  // The learner the tour enters, and the file it saves.
  static constexpr const char* kLearner = "Jordan Rivera";
  static constexpr const char* kProgressFile = "student.kns";
  static constexpr int kStepTimeout = 20000;  // ms a step may take to come about

  CDemoTour(CourseProgram& app, std::filesystem::path dir);
  ~CDemoTour() override;

  // Starts the walk once the program is up; when it ends the event loop exits with 0, or
  // with 1 after the reason has been written to the error stream.
  void Start();

  // The notices the program showed during the tour (listed in tour.txt).
  void AddNotice(const std::string& text) { m_notices.push_back(text); }

 private:
  struct Step {
    const char* name;     // the picture's file name after its number
    const char* caption;  // what the picture shows
    std::function<void()> act;               // what the learner does
    std::function<bool()> ready;             // polled until the program has done it
    int settle = 500;                        // ms for animations and movies before the picture
    std::function<QString()> check;          // empty when all is as it should be
    std::function<void()> after;             // once the picture is taken
    bool samePictureAllowed = false;         // a step that changes nothing on screen
  };

  // The steps in the order the learner takes them, one function each.
  std::vector<Step> MakeSteps();
  std::filesystem::path ProgressFile() const;
  Step WelcomeStep();
  Step NewStudentStep();
  Step LessonBookStep();
  Step NextPageStep();
  Step PageFormatStep();
  Step EquationsStep();
  Step EquationsLargerStep();
  Step ContentsStep();
  Step MovieStep();
  Step CompletedStep();
  Step SavedStep();
  Step SaveQuestionStep();
  Step ClosedStep();
  Step ReopenedStep();
  Step ExerciseStep();
  Step SearchStep();
  Step GlossaryStep();
  Step IndexStep();
  void RunStep(std::size_t index);
  void Poll(std::size_t index, int waited);
  void TakePicture(std::size_t index);
  void Fail(const QString& why);
  void Finish();

  CourseProgram& m_app;
  std::filesystem::path m_dir;
  std::vector<Step> m_steps;
  std::vector<std::string> m_notices;
  std::vector<std::string> m_listing;
  QImage m_lastPicture;
  QSize m_equationSize;  // of the first equation at the course's text size
  QRect m_barPlace;  // where the Table of Contents stood when the file was saved
  bool m_movieStarted = false;
  bool m_exerciseStarted = false;
  bool m_done = false;
};
