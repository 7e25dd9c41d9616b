#include "setup/SetupShell.h"

#include <QtCore/QProcess>
#include <QtCore/QStringList>
#include <QtCore/QUrl>
#include <QtGui/QDesktopServices>

namespace {
QString ToQString(const std::filesystem::path& p) { return QString::fromStdString(p.string()); }
}  // namespace

bool CDesktopShell::OpenDocument(const std::filesystem::path& path) {
  // The desktop's handler is started asynchronously and cannot report a missing file,
  // so a missing one is caught here.
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) return false;
  return QDesktopServices::openUrl(QUrl::fromLocalFile(ToQString(path)));
}

bool CDesktopShell::StartProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments) {
  QStringList args;
  for (const auto& a : arguments) args << QString::fromStdString(a);
  return QProcess::startDetached(ToQString(program), args, ToQString(program.parent_path()));
}
