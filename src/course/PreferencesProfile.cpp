// Preferences in the program's settings file: section "Config" of an INI file, one key
// per setting, integers and flags as decimal numbers, the teacher folder as text and the
// window table in the profile's byte encoding (20 bytes an entry: 16-bit key, 16 bits of
// filler, left, top, right, bottom as 32-bit little-endian).
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QtCore/QFile>
#include <QtCore/QSettings>
#include <QtCore/QStringList>
#include <QtCore/QVariant>

#include "course/ByteReader.h"
#include "course/Preferences.h"

namespace {

constexpr const char* kSection = "Config";

QString VariantText(const QVariant& v) {
  // An unquoted value holding commas comes back from the INI reader as a list.
  if (v.metaType().id() == QMetaType::QStringList) return v.toStringList().join(',');
  return v.toString();
}

// The decimal number at the start of a profile value (after blanks, with a sign), or
// none when there are no digits.
std::optional<long long> ProfileNumber(const QString& text) {
  const QByteArray s = text.trimmed().toLatin1();
  std::size_t i = 0;
  bool negative = false;
  if (i < static_cast<std::size_t>(s.size()) && (s[i] == '-' || s[i] == '+')) negative = s[i++] == '-';
  long long n = 0;
  bool digits = false;
  for (; i < static_cast<std::size_t>(s.size()) && s[i] >= '0' && s[i] <= '9'; ++i) {
    digits = true;
    if (n < (1LL << 40)) n = n * 10 + (s[i] - '0');  // far beyond any field; stops overflow
  }
  if (!digits) return std::nullopt;
  return negative ? -n : n;
}

class ProfileReader {
 public:
  explicit ProfileReader(QSettings& s) : m_s(s) {}
  long long Number(const char* key, long long current) const {
    const QVariant v = m_s.value(key);
    if (!v.isValid()) return current;
    return ProfileNumber(VariantText(v)).value_or(current);
  }
  bool Flag(const char* key, bool current) const { return Number(key, current) != 0; }

 private:
  QSettings& m_s;
};

}  // namespace

std::filesystem::path Preferences::ProfilePath() {
  const QSettings s(QSettings::IniFormat, QSettings::UserScope, "Kestrelon", "Kestrelon");
  return std::filesystem::path(QFile::encodeName(s.fileName()).toStdString());
}

void Preferences::RestrictProfile(const std::filesystem::path& iniFile) {
  std::error_code ec;
  const auto folder = iniFile.parent_path();
  if (!folder.empty() && !std::filesystem::exists(folder, ec) && std::filesystem::create_directories(folder, ec))
    std::filesystem::permissions(folder, std::filesystem::perms::owner_all, ec);
  const int fd = ::open(iniFile.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
  if (fd < 0) return;
  struct stat st {};
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) ::fchmod(fd, S_IRUSR | S_IWUSR);
  ::close(fd);
}

void Preferences::LoadProfile() { LoadProfile(ProfilePath()); }

void Preferences::LoadProfile(const std::filesystem::path& iniFile) {
  QSettings s(QFile::decodeName(QByteArray::fromStdString(iniFile.string())), QSettings::IniFormat);
  s.beginGroup(kSection);
  const ProfileReader r(s);
  disableSounds = r.Flag("DisableSounds", disableSounds);
  neverAdjust = r.Flag("NeverAdjust", neverAdjust);
  hideTime = r.Flag("HideTime", hideTime);
  expoSource = r.Flag("ExpoSource", expoSource);
  showTips = r.Flag("ShowTips", showTips);
  textToSpeech = r.Flag("TextToSpeech", textToSpeech);
  // Range checks happen on the number as written, before it is narrowed to its field, so
  // that 264 is not taken for 8 nor 256 for 0.
  const long long size = r.Number("FontSize", fontSize);
  fontSize = static_cast<std::uint8_t>(size >= kMinFontSize && size <= kMaxFontSize ? size : kDefaultFontSize);
  const long long bundle = r.Number("BundledText", bundledText);
  bundledText = static_cast<std::uint8_t>(bundle >= 0 && bundle <= 0xFF ? bundle : 0);
  const long long format = r.Number("PageFormat", pageFormat);
  pageFormat = static_cast<std::uint8_t>(((format % kPageFormats) + kPageFormats) % kPageFormats);
  asterisks = static_cast<std::uint16_t>(r.Number("Asterisks", asterisks) & 0xFFFF);  // a bit set keeps its bits
  activities = 0;

  const QVariant teacher = s.value("TeacherFolder");
  if (teacher.isValid()) {
    const std::string path = QFile::encodeName(VariantText(teacher)).toStdString();
    SetFolder(kTeacherFolder, path);  // a path longer than a folder slot holds is ignored
  }

  const QVariant windows = s.value("Windows");
  if (windows.isValid()) LoadProfileWindows(VariantText(windows).toStdString());
  s.endGroup();
  Normalize();
}

bool Preferences::LoadProfileWindows(std::string_view value) {
  const auto bytes = DecodeProfileBytes(value);
  if (!bytes) return false;
  m_windows = WindowTable{};
  // A trailing part-entry is ignored, as the program that wrote the table would.
  ByteReader r(*bytes, "Windows");
  while (r.remaining() >= kProfileWindowEntry) {
    const std::uint16_t key = r.u16le("window key");
    r.skip(2, "filler");
    CourseRect rect;
    rect.left = r.i32le("left edge");
    rect.top = r.i32le("top edge");
    rect.right = r.i32le("right edge");
    rect.bottom = r.i32le("bottom edge");
    if (key == 0 || rect.left < 0 || rect.top < 0 || rect.right > kMaxWindowEdge || rect.bottom > kMaxWindowEdge)
      continue;
    StoreRect(key, rect);
  }
  return true;
}

bool Preferences::SaveProfile() { return SaveProfile(ProfilePath()); }

bool Preferences::SaveProfile(const std::filesystem::path& iniFile) {
  RestrictProfile(iniFile);
  QSettings s(QFile::decodeName(QByteArray::fromStdString(iniFile.string())), QSettings::IniFormat);
  s.beginGroup(kSection);
  s.setValue("DisableSounds", int(disableSounds));
  s.setValue("NeverAdjust", int(neverAdjust));
  s.setValue("HideTime", int(hideTime));
  s.setValue("ExpoSource", int(expoSource));
  s.setValue("ShowTips", int(showTips));
  s.setValue("TextToSpeech", int(textToSpeech));
  s.setValue("FontSize", int(fontSize));
  s.setValue("BundledText", int(bundledText));
  s.setValue("PageFormat", int(pageFormat));
  s.setValue("Asterisks", int(asterisks));
  s.setValue("Activities", 0);
  const Folder& teacher = folder(kTeacherFolder);
  s.setValue("TeacherFolder", teacher.valid ? QFile::decodeName(QByteArray::fromStdString(teacher.path)) : QString());
  if (const int n = UsedWindowEntries(); n > 0) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(static_cast<std::size_t>(n) * kProfileWindowEntry);
    for (int i = 0; i < n; ++i) {
      const WindowEntry& e = m_windows[static_cast<std::size_t>(i)];
      AppendLe16(bytes, e.key);
      AppendLe16(bytes, 0);
      AppendLe32(bytes, static_cast<std::uint32_t>(e.rect.left));
      AppendLe32(bytes, static_cast<std::uint32_t>(e.rect.top));
      AppendLe32(bytes, static_cast<std::uint32_t>(e.rect.right));
      AppendLe32(bytes, static_cast<std::uint32_t>(e.rect.bottom));
    }
    s.setValue("Windows", QString::fromLatin1(EncodeProfileBytes(bytes)));
  }
  s.endGroup();
  s.sync();
  if (s.status() != QSettings::NoError) return false;
  RestrictProfile(iniFile);  // the settings file may have been written anew beside it
  m_changed = false;
  return true;
}
