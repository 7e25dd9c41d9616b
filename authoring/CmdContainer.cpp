// kncourse container: list, find, pack and extract resource containers.
#include <cstdio>
#include <iostream>

#include "Kncourse.h"
#include "course/ContainerFolder.h"
#include "course/CourseFileError.h"
#include "course/ResourceContainer.h"

namespace {

using kncourse::Args;

const char* kUsage =
    "Usage:\n"
    "  kncourse container list FILE\n"
    "      The type code, text section and every directory entry (type, name, offset, length).\n"
    "  kncourse container find FILE NAME TYPE\n"
    "      The entry the player's lookup selects; TYPE is picture, sound, text or any (0, 1, 2, -1).\n"
    "      Exit status 1 when nothing is found.\n"
    "  kncourse container pack DIR OUT [--code XXXX]\n"
    "      Builds a container from a source folder (manifest.txt, section.txt, picture/, sound/, text/).\n"
    "  kncourse container extract FILE DIR\n"
    "      Writes the source-folder form of a container; pack gives the same bytes back.\n";

std::string TypeText(std::uint32_t type) {
  const char* n = EntryTypeName(type);
  return n ? n : "type " + std::to_string(type);
}

void PrintEntry(const ContainerEntry& e, std::size_t index) {
  std::printf("%4zu  %-8s %10u %10u  %s\n", index, TypeText(e.type).c_str(), e.offset, e.length,
              kncourse::Show(e.name).c_str());
}

int List(const Args& a) {
  if (a.size() != 1) return kncourse::UsageError("container list takes one FILE", kUsage);
  auto c = ResourceContainer::Open(a[0]);
  const auto& d = c.directory();
  if (d.typeCode() == 0)
    std::printf("type code:    none\n");
  else
    std::printf("type code:    %s (0x%08X)\n", kncourse::Show(TypeCodeToString(d.typeCode())).c_str(), d.typeCode());
  std::printf("text section: offset %u, %llu bytes\n", d.textOffset(),
              static_cast<unsigned long long>(d.fileSize() - d.textOffset()));
  std::printf("entries:      %u\n", d.count());
  if (d.count()) std::printf("%4s  %-8s %10s %10s  %s\n", "#", "type", "offset", "length", "name");
  for (std::size_t i = 0; i < d.entries().size(); ++i) PrintEntry(d.entries()[i], i);
  return 0;
}

int Find(const Args& a) {
  if (a.size() != 3) return kncourse::UsageError("container find takes FILE NAME TYPE", kUsage);
  int type = 0;
  if (a[2] == "any" || a[2] == "-1") {
    type = kAnyEntryType;
  } else if (auto t = EntryTypeFromName(a[2])) {
    type = static_cast<int>(*t);
  } else {
    return kncourse::UsageError("unknown TYPE '" + a[2] + "'", kUsage);
  }
  auto c = ResourceContainer::Open(a[0]);
  const ContainerEntry* e = c.FindEntry(a[1], type);
  if (!e) {
    std::printf("none\n");
    return 1;
  }
  PrintEntry(*e, static_cast<std::size_t>(e - c.directory().entries().data()));
  return 0;
}

int Pack(const Args& args) {
  Args a = args;
  std::optional<std::uint32_t> code;
  if (auto c = kncourse::TakeOption(a, "code")) {
    code = TypeCodeFromString(*c);
    if (!code) return kncourse::UsageError("--code takes four characters", kUsage);
  }
  if (a.size() != 2) return kncourse::UsageError("container pack takes DIR OUT", kUsage);
  const auto bytes = PackContainerFolder(a[0], code);
  return kncourse::WriteOutput(a[1], bytes);
}

int Extract(const Args& a) {
  if (a.size() != 2) return kncourse::UsageError("container extract takes FILE DIR", kUsage);
  auto file = CourseFile::Open(a[0]);
  ExtractContainerFolder(file.readAll(), a[1]);
  return 0;
}

int Container(const Args& args) {
  if (args.empty() || kncourse::WantsHelp(args)) {
    std::cout << kUsage;
    return args.empty() ? 2 : 0;
  }
  const Args rest(args.begin() + 1, args.end());
  try {
    if (args[0] == "list") return List(rest);
    if (args[0] == "find") return Find(rest);
    if (args[0] == "pack") return Pack(rest);
    if (args[0] == "extract") return Extract(rest);
  } catch (const CourseFileError& e) {
    return kncourse::Fail(e.what());
  }
  return kncourse::UsageError("unknown container command '" + args[0] + "'", kUsage);
}

}  // namespace

KN_COMMAND("container", "list, find, pack and extract resource containers", Container);
