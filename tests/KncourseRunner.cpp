#include "KncourseRunner.h"

#include <QtCore/QProcess>
#include <QtCore/QStringList>
#include <cstdlib>

namespace kntest {

CommandResult RunKncourse(const std::vector<std::string>& args) {
  const char* bin = std::getenv("KN_BINARY_DIR");
  QString exe = QString::fromLocal8Bit(bin ? bin : KN_BINARY_DIR_DEFAULT) + "/bin/kncourse";
  QStringList list;
  for (const auto& a : args) list << QString::fromStdString(a);
  QProcess p;
  p.start(exe, list);
  CommandResult r;
  if (!p.waitForFinished(120000)) {
    r.err = "kncourse did not finish: " + p.errorString().toStdString();
    return r;
  }
  r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
  r.out = p.readAllStandardOutput().toStdString();
  r.err = p.readAllStandardError().toStdString();
  return r;
}

}  // namespace kntest
