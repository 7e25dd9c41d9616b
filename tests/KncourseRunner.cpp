#include "KncourseRunner.h"

#include <QtCore/QProcess>
#include <QtCore/QStringList>
#include <cstdlib>

namespace kntest {

CommandResult RunProgram(const std::string& program, const std::vector<std::string>& args, int timeoutMs) {
  const char* bin = std::getenv("KN_BINARY_DIR");
  const QString exe = QString::fromLocal8Bit(bin ? bin : KN_BINARY_DIR_DEFAULT) + "/bin/" + QString::fromStdString(program);
  QStringList list;
  for (const auto& a : args) list << QString::fromStdString(a);
  QProcess p;
  p.start(exe, list);
  CommandResult r;
  if (!p.waitForFinished(timeoutMs)) {
    r.err = program + " did not finish: " + p.errorString().toStdString();
    p.kill();
    p.waitForFinished();
    return r;
  }
  r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
  r.out = p.readAllStandardOutput().toStdString();
  r.err = p.readAllStandardError().toStdString();
  return r;
}

CommandResult RunKncourse(const std::vector<std::string>& args) { return RunProgram("kncourse", args); }

}  // namespace kntest
