// The index file: lines, terms and references, and the places references stand for in
// a small course (lesson numbers from 1).
#include <gtest/gtest.h>

#include "course/AsteriskSourceList.h"
#include "course/ContentsTable.h"
#include "glossary/IndexTable.h"

using namespace std::literals;

namespace {

std::vector<std::uint8_t> Bytes(std::string_view s) { return {s.begin(), s.end()}; }

const char* kCourse =
    "l=Data\nd=ch1\nf\np=Samples\ne=Sampling\tS01.exp\nq=Quiz\tQ01.fil\nf\np=Tables\nr=Manual\tDoc01.doc\n"
    "l=Centre\nd=ch2\nf\np=Mean\nt=Tool\tT3.scr\n"
    "l=Spread\nd=ch3\nf\np=Range\ne=Range\tR.exp\n"
    "l=Inference\nd=ch4\nf\np=Tests\n"
    "l=Labs\nd=ch5\nf\np=Lab\n";

ContentsTable Course() {
  ContentsTable t;
  t.Load(kCourse, 1, 0, nullptr);
  return t;
}

TEST(IndexTable, LinesTermsAndReferences) {
  IndexTable index;
  index.Parse(Bytes("median\t312\t509_lab5.lab\r\n\r\nx\n\tTab first\t101\n\0mode\t\t\t-5\t7abc\rspread"sv));
  ASSERT_EQ(index.Count(), 4);  // "x" is too short a line
  EXPECT_EQ(index.TermName(0), "median");
  EXPECT_EQ(index.TermName(1), "\tTab first");  // the first byte is the term's even when a TAB
  EXPECT_EQ(index.TermName(2), "mode");
  EXPECT_EQ(index.TermName(3), "spread");
  EXPECT_EQ(index.ReferenceCount(0), 2);
  EXPECT_EQ(index.ReferenceCount(2), 2);  // empty fields skipped
  EXPECT_EQ(index.terms()[2].references[0].number, -5);
  EXPECT_EQ(index.terms()[2].references[1].number, 7);
  EXPECT_EQ(index.ReferenceCount(3), 0);
  EXPECT_EQ(index.ReferenceCount(4), 0);
}

TEST(IndexTable, ReferencesStandForPlaces) {
  const ContentsTable course = Course();
  AsteriskSourceList asterisks;
  asterisks.Load("ast=Notes from the author\n");
  IndexTable index;
  index.Parse(Bytes("median\t312\t509_lab5.lab\t9\t259astA.ast\t149\t249x.wrk\t359p.prj\t459\t2599999999999\t-1\t900\n"));
  const auto ref = [&](int row) { return index.Reference(0, row, course, &asterisks); };

  // 312: lesson 3, page 1, activity 2.
  EXPECT_EQ(ref(0), ActivityLocator(2, 1, 2));
  // 509 with a lab: the lab of lesson 5, titled by its lesson.
  ActivityLocator lab = ref(1);
  EXPECT_EQ(lab.lesson, 4);
  EXPECT_EQ(lab.page, -1);
  EXPECT_EQ(lab.kind, 12);
  EXPECT_EQ(lab.file, "lab5.lab");
  EXPECT_EQ(lab.source, "Labs : Lab");
  // 9: lesson 0 does not exist: a glossary row.
  EXPECT_LT(ref(2).lesson, 0);
  // An asterisk text listed by its source, homework and a project.
  EXPECT_EQ(ref(3).source, "Centre : Notes from the author");
  EXPECT_EQ(ref(3).kind, 9);
  // 149 without a file name: the lesson alone, no document.
  EXPECT_EQ(ref(4).lesson, 0);
  EXPECT_EQ(ref(4).kind, 0);
  EXPECT_FALSE(ref(4).source.has_value());
  EXPECT_EQ(ref(5).source, "Centre : Homework");
  EXPECT_EQ(ref(6).source, "Spread : Project");
  // 459 without a file name: the lesson alone, and it does not take the next one's name.
  EXPECT_EQ(ref(7).lesson, 3);
  EXPECT_FALSE(ref(7).file.has_value());
  // A number beyond the int32 range stays a number (held there), not a wrapped lesson.
  EXPECT_LT(ref(8).lesson, 0);
  EXPECT_LT(ref(9).lesson, 0);   // negative
  EXPECT_LT(ref(10).lesson, 0);  // lesson 9 is not in the course
  EXPECT_LT(ref(11).lesson, 0);  // past the last reference
  EXPECT_LT(index.Reference(1, 0, course, &asterisks).lesson, 0);  // no such term
}

TEST(IndexTable, SeventyOneReferencesAtMost) {
  std::string line = "many";
  for (int i = 0; i < 72; ++i) line += "\t" + std::to_string(100 + i % 9);
  IndexTable index;
  index.Parse(Bytes(line));
  ASSERT_EQ(index.ReferenceCount(0), 71);
  const ContentsTable course = Course();
  EXPECT_EQ(index.Reference(0, 70, course, nullptr), ActivityLocator(0, 0, 70 % 9));
  EXPECT_LT(index.Reference(0, 71, course, nullptr).lesson, 0);  // row 71 is past the 71 kept
}

TEST(IndexTable, FindTermFoldsCaseAndTheFinalS) {
  IndexTable index;
  index.Parse(Bytes("mean\t101\nmodes\t102\nZ-score\t103\n"));
  struct Row {
    const char* text;
    int expect;
  };
  const Row rows[] = {{"mean", 0}, {"MEANS", 0}, {"Means", 0}, {"mode", 1}, {"MODES", 1}, {"z-scores", 2}, {"", -1},
                      {"median", -1}};
  for (const Row& r : rows) EXPECT_EQ(index.FindTerm(r.text), r.expect) << r.text;
  EXPECT_EQ(index.FirstTermStartingWith('z'), 2);
  EXPECT_EQ(index.FirstTermStartingWith('q'), -1);
  EXPECT_EQ(index.FirstTermStartingWith('-'), -1);
}

}  // namespace
