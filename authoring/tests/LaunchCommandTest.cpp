#include <gtest/gtest.h>

#include "KncourseRunner.h"
#include "TestSupport.h"

namespace fs = std::filesystem;

namespace {

fs::path MakeCourse() {
  const fs::path root = kntest::MakeTempDir("launchcmd");
  kntest::WriteFileText(root / "course" / "contents.txt",
                        "l=Exploring data\nd=ed\nf\np=Variables\nm=Pile\tedpile.mov\ne=Notes\tnotes.final.exp\n"
                        "m=Gone\tgone.mov\n");
  kntest::WriteFileText(root / "course" / "ED" / "EdPile.mov", "movie bytes");
  return root;
}

}  // namespace

TEST(LaunchCommand, DryRunTellsTheFileAndHandlerOfAnIdentifier) {
  const fs::path root = MakeCourse();
  auto r = kntest::RunKncourse({"launch", "--dry-run", root.string(), "edpile.mov"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("path: ed\\edpile.mov"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("handler: movie window CMovieWnd"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("sound: 7021"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("EdPile.mov"), std::string::npos) << r.out;

  r = kntest::RunKncourse({"launch", "--dry-run", root.string(), "notes.final.exp"});
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("handler: nothing"), std::string::npos) << r.out;

  r = kntest::RunKncourse({"launch", "--dry-run", root.string(), "gone.mov"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("error: 'gone.mov' was not found."), std::string::npos) << r.out;

  r = kntest::RunKncourse({"launch", root.string(), "edpile.mov"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(kntest::RunKncourse({"launch", "--help"}).status, 0);
}
