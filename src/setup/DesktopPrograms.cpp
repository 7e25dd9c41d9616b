#include "setup/DesktopPrograms.h"
#include "course/AsciiCase.h"

#include <QtCore/QStandardPaths>
#include <algorithm>
#include <QtCore/QString>
#include <cstdlib>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// .desktop files are a few kilobytes; bigger files in an applications folder are skipped.
constexpr std::uintmax_t kMaxDesktopFileBytes = 1 << 20;
// Folders are walked this deep (applications/vendor/name.desktop) and no further.
constexpr int kMaxDesktopDepth = 3;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && (IsBlank(s.back()) || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

// The escapes of string values: \s \n \t \r \\.
std::string Unescape(std::string_view v) {
  std::string out;
  for (std::size_t i = 0; i < v.size(); ++i) {
    if (v[i] != '\\' || i + 1 == v.size()) {
      out += v[i];
      continue;
    }
    const char n = v[++i];
    out += n == 's' ? ' ' : n == 'n' ? '\n' : n == 't' ? '\t' : n == 'r' ? '\r' : n == '\\' ? '\\' : n;
  }
  return out;
}

std::optional<std::string> ReadSmallFile(const fs::path& path) {
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return std::nullopt;
  const auto size = fs::file_size(path, ec);
  if (ec || size > kMaxDesktopFileBytes) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string text(static_cast<std::size_t>(size), '\0');
  in.read(text.data(), static_cast<std::streamsize>(text.size()));
  text.resize(static_cast<std::size_t>(in.gcount()));
  return text;
}

bool IsExecutableFile(const fs::path& path) {
  std::error_code ec;
  return fs::is_regular_file(path, ec) && ::access(path.c_str(), X_OK) == 0;
}

std::optional<fs::path> FindOnPath(const std::string& name, const ProgramSearch& search) {
  for (const auto& folder : search.pathFolders) {
    const fs::path candidate = folder / name;
    if (IsExecutableFile(candidate)) {
      std::error_code ec;
      const fs::path full = fs::absolute(candidate, ec);
      return ec ? candidate : full.lexically_normal();
    }
  }
  return std::nullopt;
}

// The program an installed entry starts, when it exists.
std::optional<fs::path> ProgramOfEntry(const DesktopEntry& entry, const ProgramSearch& search) {
  if (entry.hidden || (!entry.type.empty() && entry.type != "Application")) return std::nullopt;
  const std::string program = DesktopExecProgram(entry.exec);
  if (program.empty()) return std::nullopt;
  if (program.find('/') != std::string::npos) {
    const fs::path p(program);
    if (p.is_absolute() && IsExecutableFile(p)) return p;
    return std::nullopt;
  }
  return FindOnPath(program, search);
}

}  // namespace

ProgramSearch ProgramSearch::FromEnvironment() {
  ProgramSearch s;
  if (const char* path = std::getenv("PATH")) {
    std::string_view rest(path);
    while (!rest.empty()) {
      const std::size_t colon = rest.find(':');
      const std::string_view folder = rest.substr(0, colon);
      if (!folder.empty()) s.pathFolders.emplace_back(std::string(folder));
      if (colon == std::string_view::npos) break;
      rest.remove_prefix(colon + 1);
    }
  }
  for (const QString& f : QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation))
    s.applicationFolders.emplace_back(f.toStdString());
  return s;
}

std::optional<DesktopEntry> ParseDesktopEntry(std::string_view text) {
  DesktopEntry entry;
  bool found = false, inEntry = false;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = Trim(text.substr(pos, end - pos));
    pos = end + 1;
    if (line.empty() || line.front() == '#') continue;
    if (line.front() == '[') {
      inEntry = line == "[Desktop Entry]";
      found = found || inEntry;
      continue;
    }
    if (!inEntry) continue;
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) continue;
    const std::string_view key = Trim(line.substr(0, eq));
    const std::string value = Unescape(Trim(line.substr(eq + 1)));
    if (key == "Type") {
      entry.type = value;
    } else if (key == "Exec") {
      entry.exec = value;
    } else if (key == "TryExec") {
      entry.tryExec = value;
    } else if (key == "Hidden") {
      entry.hidden = value == "true";
    } else if (key == "MimeType") {
      entry.mimeTypes.clear();
      std::string_view rest(value);
      while (!rest.empty()) {
        const std::size_t semi = rest.find(';');
        const std::string_view item = Trim(rest.substr(0, semi));
        if (!item.empty()) entry.mimeTypes.emplace_back(item);
        if (semi == std::string_view::npos) break;
        rest.remove_prefix(semi + 1);
      }
    }
  }
  if (!found) return std::nullopt;
  return entry;
}

std::string DesktopExecProgram(std::string_view exec) {
  std::size_t i = 0;
  while (i < exec.size() && IsBlank(exec[i])) ++i;
  std::string word;
  if (i < exec.size() && exec[i] == '"') {
    // Quoted: a backslash protects the next character; the word ends at the closing quote.
    for (++i; i < exec.size() && exec[i] != '"'; ++i) {
      if (exec[i] == '\\' && i + 1 < exec.size()) ++i;
      word += exec[i];
    }
    return i < exec.size() ? word : std::string();  // an unterminated quote is malformed
  }
  for (; i < exec.size() && !IsBlank(exec[i]); ++i) word += exec[i];
  return word;
}

std::optional<fs::path> FindInstalledProgram(std::string_view application, const ProgramSearch& search) {
  const std::string_view name = Trim(application);
  if (name.empty() || name == "." || name == ".." || name.find_first_of("/\\") != std::string_view::npos ||
      name.find('\0') != std::string_view::npos)
    return std::nullopt;
  std::vector<std::string> candidates;
  auto add = [&](std::string c) {
    if (!c.empty() && std::find(candidates.begin(), candidates.end(), c) == candidates.end())
      candidates.push_back(std::move(c));
  };
  add(std::string(name));
  add(ToAsciiLower(name));
  if (name.size() > 4 && EqualNoCase(name.substr(name.size() - 4), ".exe")) {
    const std::string_view stem = name.substr(0, name.size() - 4);
    add(std::string(stem));
    add(ToAsciiLower(stem));
  }
  for (const auto& c : candidates)
    if (auto p = FindOnPath(c, search)) return p;
  for (const auto& folder : search.applicationFolders)
    for (const auto& c : candidates) {
      const std::string file = c.size() > 8 && c.ends_with(".desktop") ? c : c + ".desktop";
      const auto text = ReadSmallFile(folder / file);
      if (!text) continue;
      if (const auto entry = ParseDesktopEntry(*text))
        if (auto p = ProgramOfEntry(*entry, search)) return p;
    }
  return std::nullopt;
}

bool HasApplicationFor(const std::vector<std::string>& mimeTypes, const ProgramSearch& search) {
  for (const auto& folder : search.applicationFolders) {
    std::error_code ec;
    fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec);
    for (; !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
      if (it.depth() >= kMaxDesktopDepth) it.disable_recursion_pending();
      if (it->path().extension() != ".desktop") continue;
      const auto text = ReadSmallFile(it->path());
      if (!text) continue;
      const auto entry = ParseDesktopEntry(*text);
      if (!entry || entry->hidden) continue;
      for (const auto& type : entry->mimeTypes)
        for (const auto& wanted : mimeTypes)
          if (EqualNoCase(type, wanted)) return true;
    }
  }
  return false;
}

bool IsProgramFile(const fs::path& path) {
  if (!IsExecutableFile(path)) return false;
  std::ifstream in(path, std::ios::binary);
  char magic[4] = {};
  in.read(magic, 4);
  const auto got = in.gcount();
  if (got >= 2 && magic[0] == '#' && magic[1] == '!') return true;
  return got == 4 && magic[0] == '\x7f' && magic[1] == 'E' && magic[2] == 'L' && magic[3] == 'F';
}
