#include "course/ContainerFolder.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <stdexcept>

#include "course/CourseText.h"
#include "course/ResourceContainer.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::uint8_t> ReadAll(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + p.string());
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteAll(const fs::path& p, std::span<const std::uint8_t> bytes) {
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + p.string());
}

std::string EscapeName(std::string_view name) {
  static const char* hex = "0123456789ABCDEF";
  std::string out;
  for (char ch : name) {
    const auto b = static_cast<std::uint8_t>(ch);
    if (ch == '\\') {
      out += "\\\\";
    } else if (b < 0x20 || b >= 0x7F) {
      out += "\\x";
      out += hex[b >> 4];
      out += hex[b & 15];
    } else {
      out += ch;
    }
  }
  return out;
}

std::optional<std::string> UnescapeName(std::string_view s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '\\') {
      out += s[i];
      continue;
    }
    if (i + 1 < s.size() && s[i + 1] == '\\') {
      out += '\\';
      ++i;
    } else if (i + 3 < s.size() && s[i + 1] == 'x' && std::isxdigit(static_cast<unsigned char>(s[i + 2])) &&
               std::isxdigit(static_cast<unsigned char>(s[i + 3]))) {
      out += static_cast<char>(std::stoi(std::string(s.substr(i + 2, 2)), nullptr, 16));
      i += 3;
    } else {
      return std::nullopt;
    }
  }
  return out;
}

std::string GuessExtension(std::uint32_t type, const std::vector<std::uint8_t>& d) {
  auto starts = [&](std::string_view magic) {
    return d.size() >= magic.size() && std::equal(magic.begin(), magic.end(), d.begin());
  };
  if (type == kEntryText) return ".txt";
  if (starts("\x89PNG")) return ".png";
  if (starts("BM")) return ".bmp";
  if (starts("FORM")) return ".aif";
  if (starts("RIFF")) return ".wav";
  if (starts("OggS")) return ".ogg";
  if (starts("<svg") || starts("<?xml")) return ".svg";
  return ".bin";
}

// A file name that is safe on every file system for an entry name.
std::string FileStem(std::string_view name) {
  std::string utf8 = CourseToUtf8(name);
  std::string out;
  for (char c : utf8) out += (c == '/' || c == '\\' || c == ':' || static_cast<unsigned char>(c) < 0x20) ? '_' : c;
  if (out.empty() || out == "." || out == "..") out = "_" + out;
  return out;
}

std::uint32_t ParseCode(const std::string& text, const std::string& where) {
  if (text.size() == 10 && text.rfind("0x", 0) == 0) return static_cast<std::uint32_t>(std::stoul(text.substr(2), nullptr, 16));
  if (auto c = TypeCodeFromString(text)) return *c;
  throw std::runtime_error(where + ": type code must be four characters or 0x and eight hex digits");
}

}  // namespace

const char* EntryTypeName(std::uint32_t type) {
  switch (type) {
    case kEntryPicture: return "picture";
    case kEntrySound: return "sound";
    case kEntryText: return "text";
  }
  return nullptr;
}

std::optional<std::uint32_t> EntryTypeFromName(std::string_view name) {
  if (name == "picture" || name == "0") return kEntryPicture;
  if (name == "sound" || name == "1") return kEntrySound;
  if (name == "text" || name == "2") return kEntryText;
  if (name.rfind("type ", 0) == 0) {
    try {
      return static_cast<std::uint32_t>(std::stoul(std::string(name.substr(5))));
    } catch (...) {
    }
  }
  return std::nullopt;
}

std::vector<std::uint8_t> PackContainerFolder(const fs::path& dir, std::optional<std::uint32_t> code) {
  if (!fs::is_directory(dir)) throw std::runtime_error(dir.string() + " is not a folder");
  ContainerWriter w;
  std::uint32_t typeCode = 0;
  const fs::path manifest = dir / "manifest.txt";
  if (fs::exists(manifest)) {
    std::ifstream in(manifest, std::ios::binary);
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
      ++lineNo;
      const std::string where = manifest.string() + ":" + std::to_string(lineNo);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (line.empty() || line[0] == '#') continue;
      std::vector<std::string> f;
      std::stringstream ss(line);
      for (std::string part; std::getline(ss, part, '\t');) f.push_back(part);
      if (f.size() == 2 && f[0] == "code") {
        typeCode = ParseCode(f[1], where);
        continue;
      }
      if (f.size() != 3) throw std::runtime_error(where + ": expected <type><TAB><name><TAB><file>");
      const auto type = EntryTypeFromName(f[0]);
      if (!type) throw std::runtime_error(where + ": unknown entry type '" + f[0] + "'");
      const auto name = UnescapeName(f[1]);
      if (!name) throw std::runtime_error(where + ": bad escape in name");
      try {
        w.AddEntry(*type, *name, ReadAll(dir / f[2]));
      } catch (const std::invalid_argument& e) {
        throw std::runtime_error(where + ": " + e.what());
      }
    }
  } else {
    for (std::uint32_t type : {kEntryPicture, kEntrySound, kEntryText}) {
      const fs::path sub = dir / EntryTypeName(type);
      if (!fs::is_directory(sub)) continue;
      std::vector<fs::path> files;
      for (const auto& e : fs::directory_iterator(sub))
        if (e.is_regular_file()) files.push_back(e.path());
      std::sort(files.begin(), files.end(),
                [](const fs::path& a, const fs::path& b) { return a.filename().string() < b.filename().string(); });
      for (const auto& file : files) {
        try {
          w.AddEntry(type, Utf8ToCourse(file.stem().string()), ReadAll(file));
        } catch (const std::invalid_argument& e) {
          throw std::runtime_error(file.string() + ": " + e.what());
        }
      }
    }
  }
  if (fs::exists(dir / "section.txt")) w.SetText(ReadAll(dir / "section.txt"));
  w.SetTypeCode(code ? *code : typeCode);
  return w.Build();
}

void ExtractContainerFolder(const std::vector<std::uint8_t>& container, const fs::path& dir) {
  auto c = ResourceContainer::FromBytes(container);
  fs::create_directories(dir);
  std::ostringstream manifest;
  manifest << "# Resource container manifest: <type><TAB><name><TAB><file>\n";
  const std::uint32_t code = c.typeCode();
  if (code != 0) {
    const std::string text = TypeCodeToString(code);
    const bool printable = std::all_of(text.begin(), text.end(), [](char ch) { return ch > 0x20 && ch < 0x7F; });
    if (printable) {
      manifest << "code\t" << text << '\n';
    } else {
      char buf[16];
      std::snprintf(buf, sizeof buf, "0x%08X", code);
      manifest << "code\t" << buf << '\n';
    }
  }
  std::set<std::string> used;
  for (const auto& e : c.directory().entries()) {
    auto data = c.ReadEntry(e);
    if (e.type == kEntryText) data.pop_back();  // the reader's terminator
    const char* typeName = EntryTypeName(e.type);
    const std::string folder = typeName ? typeName : "other";
    std::string base = FileStem(e.name);
    const std::string ext = GuessExtension(e.type, data);
    std::string rel = folder + "/" + base + ext;
    for (int n = 2; used.count(rel); ++n) rel = folder + "/" + base + "~" + std::to_string(n) + ext;
    used.insert(rel);
    fs::create_directories(dir / folder);
    WriteAll(dir / rel, data);
    manifest << (typeName ? std::string(typeName) : "type " + std::to_string(e.type)) << '\t' << EscapeName(e.name)
             << '\t' << rel << '\n';
  }
  const auto text = c.ReadTextSection();
  if (!text.empty())
    WriteAll(dir / "section.txt", text);
  else
    fs::remove(dir / "section.txt");
  const std::string m = manifest.str();
  WriteAll(dir / "manifest.txt", std::span(reinterpret_cast<const std::uint8_t*>(m.data()), m.size()));
}
