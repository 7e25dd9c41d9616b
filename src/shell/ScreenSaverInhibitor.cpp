#include "shell/ScreenSaverInhibitor.h"

#include <QtCore/QCoreApplication>
#include <QtDBus/QDBusConnection>
#include <QtDBus/QDBusConnectionInterface>
#include <QtDBus/QDBusInterface>
#include <QtDBus/QDBusReply>

namespace {
constexpr const char* kService = "org.freedesktop.ScreenSaver";
constexpr const char* kPath = "/org/freedesktop/ScreenSaver";
// The service answers at once; a bus that does not should not hold start-up up (ms).
constexpr int kCallTimeout = 500;
}  // namespace

CScreenSaverInhibitor::CScreenSaverInhibitor(const char* reason) {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected() || !bus.interface() || !bus.interface()->isServiceRegistered(kService)) return;
  QDBusInterface saver(kService, kPath, kService, bus);
  saver.setTimeout(kCallTimeout);
  const QDBusReply<std::uint32_t> cookie =
      saver.call(QStringLiteral("Inhibit"), QCoreApplication::applicationName(), QString::fromUtf8(reason));
  if (cookie.isValid()) m_cookie = cookie.value();
}

CScreenSaverInhibitor::~CScreenSaverInhibitor() {
  if (!m_cookie) return;
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return;
  QDBusInterface saver(kService, kPath, kService, bus);
  saver.setTimeout(kCallTimeout);
  saver.call(QStringLiteral("UnInhibit"), m_cookie);
}
