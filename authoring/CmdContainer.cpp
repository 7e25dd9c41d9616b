// kncourse container: list, find, pack and extract resource containers.
#include <cstdio>
#include <iostream>

#include "Kncourse.h"
#include "course/ContainerFolder.h"
#include "course/CourseFileError.h"
#include "course/ResourceContainer.h"

namespace {

using kncourse::Args;

std::string TypeText(std::uint32_t type) {
  const char* n = EntryTypeName(type);
  return n ? n : "type " + std::to_string(type);
}

void PrintEntry(const ContainerEntry& e, std::size_t index) {
  std::printf("%4zu  %-8s %10u %10u  %s\n", index, TypeText(e.type).c_str(), e.offset, e.length,
              kncourse::Show(e.name).c_str());
}

}  // namespace

namespace kncourse {

int ContainerList(Args a) {
  if (a.size() != 1) kncourse::BadUsage("container list takes one FILE");
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

int ContainerFind(Args a) {
  if (a.size() != 3) kncourse::BadUsage("container find takes FILE NAME TYPE");
  int type = 0;
  if (a[2] == "any" || a[2] == "-1") {
    type = kAnyEntryType;
  } else if (auto t = EntryTypeFromName(a[2])) {
    type = static_cast<int>(*t);
  } else {
    kncourse::BadUsage("unknown TYPE '" + a[2] + "'");
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

int ContainerPack(Args a) {
  std::optional<std::uint32_t> code;
  if (auto c = kncourse::TakeOption(a, "code")) {
    code = TypeCodeFromString(*c);
    if (!code) kncourse::BadUsage("--code takes four characters");
  }
  if (a.size() != 2) kncourse::BadUsage("container pack takes DIR OUT");
  const auto bytes = PackContainerFolder(a[0], code);
  return kncourse::WriteOutput(a[1], bytes);
}

int ContainerExtract(Args a) {
  if (a.size() != 2) kncourse::BadUsage("container extract takes FILE DIR");
  auto file = CourseFile::Open(a[0]);
  ExtractContainerFolder(file.readAll(), a[1]);
  return 0;
}

}  // namespace kncourse
