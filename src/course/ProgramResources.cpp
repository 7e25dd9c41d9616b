#include "course/ProgramResources.h"

#include <QtCore/QDir>
#include <QtCore/QDirIterator>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <map>
#include <mutex>

static void InitProgramResources() { Q_INIT_RESOURCE(program); }

namespace {

struct Tables {
  std::map<int, std::string> strings;
  std::vector<ProgramStringRecord> records;
  std::map<std::pair<std::string, int>, QString> files;  // (kind, id) -> ":/kind/id.ext"
};

const Tables& GetTables() {
  static const Tables tables = [] {
    InitProgramResources();
    Tables t;
    QDirIterator strings(":/strings", {"*.txt"}, QDir::Files);
    QStringList names;
    while (strings.hasNext()) names << strings.next();
    names.sort();
    for (const QString& name : names) {
      QFile f(name);
      if (!f.open(QIODevice::ReadOnly)) continue;
      const QByteArray bytes = f.readAll();
      for (auto& rec : ParseStringTable(std::string_view(bytes.constData(), bytes.size()),
                                        QFileInfo(name).fileName().toStdString())) {
        t.strings[rec.id] = rec.text;
        t.records.push_back(std::move(rec));
      }
    }
    QDirIterator all(":/", QDir::Files, QDirIterator::Subdirectories);
    while (all.hasNext()) {
      const QString path = all.next();
      const QFileInfo info(path);
      bool ok = false;
      const int id = info.completeBaseName().toInt(&ok);
      if (!ok) continue;
      const QString kind = info.dir().dirName();
      t.files[{kind.toStdString(), id}] = path;
    }
    return t;
  }();
  return tables;
}

// The names become C++ constants (course/StringIds.h).
bool IsConstantName(std::string_view name) {
  if (name.size() < 2 || name[0] != 'k') return false;
  for (char c : name)
    if (!(c == '_' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))) return false;
  return true;
}

}  // namespace

std::vector<ProgramStringRecord> ParseStringTable(std::string_view text, const std::string& file,
                                                  std::vector<std::string>* errors) {
  std::vector<ProgramStringRecord> out;
  std::size_t lineNo = 0, pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    ++lineNo;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line[0] == '#') continue;
    const std::size_t tab = line.find('\t');
    auto fail = [&](const char* why) {
      if (errors) errors->push_back(file + ":" + std::to_string(lineNo) + ": " + why);
    };
    const std::size_t nameTab = tab == std::string_view::npos ? tab : line.find('\t', tab + 1);
    if (tab == 0 || nameTab == std::string_view::npos) {
      fail("expected <id><TAB><name><TAB><text>");
      continue;
    }
    int id = 0;
    bool digits = true;
    for (char c : line.substr(0, tab)) {
      if (c < '0' || c > '9' || id > 100000000) {
        digits = false;
        break;
      }
      id = id * 10 + (c - '0');
    }
    if (!digits) {
      fail("id is not a number");
      continue;
    }
    const std::string_view name = line.substr(tab + 1, nameTab - tab - 1);
    if (!IsConstantName(name)) {
      fail("name is not a constant name (k followed by letters, digits or _)");
      continue;
    }
    std::string value;
    for (std::size_t i = nameTab + 1; i < line.size(); ++i) {
      char c = line[i];
      if (c == '\\' && i + 1 < line.size()) {
        const char n = line[++i];
        c = n == 'n' ? '\n' : n == 't' ? '\t' : n;
      }
      value += c;
    }
    out.push_back({id, std::string(name), std::move(value), file});
  }
  return out;
}

std::string ProgramString(int id) {
  const auto& t = GetTables().strings;
  auto it = t.find(id);
  return it == t.end() ? std::string() : it->second;
}

bool HasProgramString(int id) { return GetTables().strings.count(id) != 0; }

std::vector<ProgramStringRecord> AllProgramStrings() { return GetTables().records; }

std::string FormatText(std::string_view format, std::string_view arg) {
  std::string out;
  bool used = false;
  for (std::size_t i = 0; i < format.size(); ++i) {
    const char c = format[i];
    if (c != '%') {
      out += c;
      continue;
    }
    if (i + 1 < format.size() && format[i + 1] == '%') {
      out += '%';
      ++i;
      continue;
    }
    std::size_t j = i + 1;
    while (j < format.size() && std::string_view("-+ #0123456789.").find(format[j]) != std::string_view::npos) ++j;
    while (j < format.size() && (format[j] == 'l' || format[j] == 'h')) ++j;
    if (j < format.size() && std::string_view("sdiucxXfg").find(format[j]) != std::string_view::npos) {
      if (!used) out += arg;
      used = true;
      i = j;
    } else {
      out += c;  // not a conversion: keep the percent sign
    }
  }
  return out;
}

std::string FormatProgramString(int id, std::string_view arg) { return FormatText(ProgramString(id), arg); }

std::string ProgramResourcePath(std::string_view kind, int id) {
  const auto& f = GetTables().files;
  auto it = f.find({std::string(kind), id});
  return it == f.end() ? std::string() : it->second.toStdString();
}

std::optional<std::vector<std::uint8_t>> ProgramResource(std::string_view kind, int id) {
  const std::string path = ProgramResourcePath(kind, id);
  if (path.empty()) return std::nullopt;
  QFile f(QString::fromStdString(path));
  if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
  const QByteArray bytes = f.readAll();
  return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}
