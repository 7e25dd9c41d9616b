// index.txt: lines, terms and references, and the place every reference stands for in
// a small course with an asterisk list.
#include <cstdint>
#include <span>

#include "course/AsteriskSourceList.h"
#include "course/ContentsTable.h"
#include "glossary/IndexTable.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const ContentsTable course = [] {
    ContentsTable t;
    t.Load("l=One\nd=a\nf\np=P\ne=E\te.exp\nl=Two\nd=b\nf\np=Q\nf\np=R\nq=X\tx.fil\n", 1, 0, nullptr);
    return t;
  }();
  static const AsteriskSourceList asterisks = [] {
    AsteriskSourceList a;
    a.Load("n=Notes\n");
    return a;
  }();
  IndexTable index;
  index.Parse(std::span<const std::uint8_t>(data, size));
  for (int t = 0; t < index.Count() && t < 64; ++t) {
    for (int row = -1; row <= index.ReferenceCount(t); ++row) {
      const ActivityLocator at = index.Reference(t, row, course, &asterisks);
      (void)at.Describe(course);
    }
    (void)index.FindTerm(index.TermName(t));
  }
  (void)index.FirstTermStartingWith(size ? static_cast<char>(data[0]) : 'a');
  return 0;
}
