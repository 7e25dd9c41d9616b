#include "LaunchTestSupport.h"

#include "TestSupport.h"

namespace fs = std::filesystem;

namespace launchtest {

const char* const kContents =
    "l=Exploring data\n"
    "d=ed\n"
    "f\n"
    "p=Variables\n"
    "e=What is a distribution?\tedintro.exp\n"
    "q=Kinds of variables\tedvars.fil\n"
    "m=Where do the values pile up?\tedpile.mov\n"
    "e=Final notes\tnotes.final.exp\n"
    "m=Lost film\tmissing.mov\n"
    "f\n"
    "p=Histograms\n"
    "e=Building a histogram\tedhist.exp\n";

TestCourse::TestCourse() {
  program = kntest::MakeTempDir("launch");
  course = program / "course";
  fs::create_directories(course / "ED");
  prefs.SetFolder(Preferences::kProgramFolder, program.string() + "/");
  contents.Load(kContents, 1, 0, nullptr);
}

fs::path TestCourse::Write(const std::string& relative, const std::string& bytes) const {
  const fs::path path = course / relative;
  fs::create_directories(path.parent_path());
  kntest::WriteFileText(path, bytes);
  return path;
}

fs::path TestCourse::Copy(const std::string& relative, const fs::path& from) const {
  const fs::path path = course / relative;
  fs::create_directories(path.parent_path());
  fs::copy_file(from, path, fs::copy_options::overwrite_existing);
  return path;
}

std::string ToolHeader(std::uint32_t code) {
  std::string h(12, '\0');
  h[0] = 1;  // one entry
  for (int i = 0; i < 4; ++i) h[8 + i] = static_cast<char>((code >> (8 * i)) & 0xff);
  return h;
}

}  // namespace launchtest
