// Shared by the records fuzz targets: a small course for the checks that consult the
// contents.
#pragma once

#include "course/ContentsTable.h"

inline const ContentsTable& FuzzContents() {
  static const ContentsTable table = [] {
    ContentsTable t;
    t.Load(
        "l=Data\nd=ch1\nf\np=Samples\ne=Intro\tintro.exp\nq=Quiz\tquiz.fil\nf\np=Films\nm=Film\tfilm.mov\n"
        "l=Centre\nd=ch2\nf\np=Mean\ne=Act\tact.exp\n",
        1, 0, nullptr);
    return t;
  }();
  return table;
}
