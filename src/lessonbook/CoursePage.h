// Loading one page of the course for the Lesson Book: the page file from the course
// folders, the teacher's addendum from the teacher folder, the page-number line, and
// for every activity entry its kind from the contents and its completion mark.
#pragma once

#include <string>

#include "course/ActivityLocator.h"
#include "lessonbook/PageLoader.h"

class CompletionRecord;
class ContentsTable;
class Picture;

struct CoursePageOptions {
  bool pageNumber = true;  // personality "Page Number"
  int fontSize = 12;       // points, for equations
};

struct CoursePage {
  PageContent content;
  bool loaded = false;            // false: the page file could not be read (the page is empty)
  std::string error;              // why, for tools
  std::string titleLine;          // "%d-%d  " and the page title (course bytes, markup)
  std::string extensionFile;      // the addendum's "file:" as a course name; empty: none
};

// The course line of the page: "%d-%d  " (lesson from the lesson base, page from 1) and the
// page's title from the contents (markup as written there).
std::string PageTitleLine(const ActivityLocator& page, const ContentsTable& contents);

// Reads page (its lesson and page) from the course folders. Never throws: a missing or
// damaged page file leaves the page empty with loaded false.
CoursePage LoadCoursePage(const ActivityLocator& page, const ContentsTable& contents, const CompletionRecord* record,
                          const PageLoadLinks& links, const CoursePageOptions& options);

// The teacher's addendum of a page, as its two paragraphs (heading, text), appended to
// content; the addendum's file goes to extensionFile. Does nothing when the teacher
// folder holds no addendum for the page.
void AppendTeacherExtension(const ActivityLocator& page, const ContentsTable& contents, PageContent& content,
                            std::string& extensionFile);

// Sets kind and completion of every activity entry of the page from the contents and record.
void UpdateEntries(PageContent& content, const ActivityLocator& page, const ContentsTable& contents,
                   const CompletionRecord* record);
