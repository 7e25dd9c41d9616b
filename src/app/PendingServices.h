// Program-wide services whose subsystems are not part of the program yet, in the form
// they have until then: present, so that start-up creates and destroys them in their
// places and code that asks for them finds them, and empty, since the program cannot
// read their course files yet. Each is replaced by its subsystem's own class:
//   GlossaryTable  the glossary (glossary.gls)
//   IndexTable     the index (index.txt)
#pragma once

// No glossary terms.
class GlossaryTable {
 public:
  int termCount() const { return 0; }
};

// No index terms.
class IndexTable {
 public:
  int termCount() const { return 0; }
};
