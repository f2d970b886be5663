// The built Kestrova.exe: which DLLs it loads by name, and its manifest, icon and version.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "tests/e2e/harness.h"

namespace {

std::string ExePath() { return e2e::DriverFolder() + "\\" KESTROVA_EXE_NAME; }

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// The DLL names of a PE32 file's import and delay-import tables, read from the file itself.
class PeImports {
 public:
  explicit PeImports(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    bytes_.assign(std::istreambuf_iterator<char>(file), {});
  }

  bool Read(std::vector<std::string>* names) {
    const auto* dos = At<IMAGE_DOS_HEADER>(0);
    if (!dos || dos->e_magic != IMAGE_DOS_SIGNATURE) return false;
    const auto* nt = At<IMAGE_NT_HEADERS32>(dos->e_lfanew);
    if (!nt || nt->Signature != IMAGE_NT_SIGNATURE ||
        nt->OptionalHeader.Magic != IMAGE_NT_OPTIONAL_HDR32_MAGIC)
      return false;
    sections_ = IMAGE_FIRST_SECTION(nt);
    sectionCount_ = nt->FileHeader.NumberOfSections;
    const auto& dirs = nt->OptionalHeader.DataDirectory;
    AppendNames<IMAGE_IMPORT_DESCRIPTOR>(dirs[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress,
                                         &IMAGE_IMPORT_DESCRIPTOR::Name, names);
    AppendNames<IMAGE_DELAYLOAD_DESCRIPTOR>(dirs[IMAGE_DIRECTORY_ENTRY_DELAY_IMPORT].VirtualAddress,
                                            &IMAGE_DELAYLOAD_DESCRIPTOR::DllNameRVA, names);
    return true;
  }

 private:
  // The DLL names of a descriptor table that starts at `rva` and ends with a zero name.
  template <typename Descriptor>
  void AppendNames(DWORD rva, DWORD Descriptor::*nameRva, std::vector<std::string>* names) const {
    for (; rva; rva += sizeof(Descriptor)) {
      const size_t offset = Offset(rva);
      const auto* entry = offset ? At<Descriptor>(offset) : nullptr;
      if (!entry || !(entry->*nameRva)) break;
      names->push_back(NameAt(entry->*nameRva));
    }
  }

  template <typename T>
  const T* At(size_t offset) const {
    return offset + sizeof(T) <= bytes_.size()
               ? reinterpret_cast<const T*>(bytes_.data() + offset)
               : nullptr;
  }
  // File offset of a relative virtual address; 0 when no section holds it.
  size_t Offset(DWORD rva) const {
    for (int i = 0; i < sectionCount_; ++i) {
      const IMAGE_SECTION_HEADER& s = sections_[i];
      if (rva >= s.VirtualAddress && rva < s.VirtualAddress + s.SizeOfRawData)
        return rva - s.VirtualAddress + s.PointerToRawData;
    }
    return 0;
  }
  std::string NameAt(DWORD rva) const {
    const size_t offset = Offset(rva);
    if (!offset || offset >= bytes_.size()) return "?";
    return std::string(bytes_.data() + offset, strnlen(bytes_.data() + offset, bytes_.size() - offset));
  }

  std::vector<char> bytes_;
  const IMAGE_SECTION_HEADER* sections_ = nullptr;
  int sectionCount_ = 0;
};

TEST(Executable, ImportsOnlyDllsWindowsTakesFromTheSystemFolder) {
  // KnownDLLs are always loaded from the system folder, so a DLL planted beside the downloaded
  // exe can't run as administrator. Everything else (dbghelp) is loaded by full system path.
  const std::set<std::string> kKnownDlls = {
      "advapi32.dll", "comdlg32.dll", "gdi32.dll",  "gdiplus.dll", "imagehlp.dll", "imm32.dll",
      "kernel32.dll", "msvcrt.dll",   "ole32.dll",  "oleaut32.dll", "psapi.dll",  "rpcrt4.dll",
      "setupapi.dll", "shell32.dll",  "shlwapi.dll", "user32.dll",  "ws2_32.dll"};
  std::vector<std::string> dlls;
  ASSERT_TRUE(PeImports(ExePath()).Read(&dlls)) << ExePath() << " is not a PE32 file";
  // The table was really read: the one DLL every program imports is in it.
  ASSERT_NE(std::find(dlls.begin(), dlls.end(), "KERNEL32.dll"), dlls.end());
  for (const std::string& dll : dlls) EXPECT_TRUE(kKnownDlls.count(Lower(dll))) << dll;
}

TEST(Executable, CarriesManifestIconAndVersion) {
  HMODULE exe = LoadLibraryExA(ExePath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(exe, nullptr);

  HRSRC manifest = FindResourceA(exe, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
  ASSERT_NE(manifest, nullptr);
  const std::string text(static_cast<const char*>(LockResource(LoadResource(exe, manifest))),
                         SizeofResource(exe, manifest));
  EXPECT_NE(text.find("level=\"requireAdministrator\" uiAccess=\"false\""), std::string::npos);
  EXPECT_NE(text.find("Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""),
            std::string::npos);
  EXPECT_EQ(Lower(text).find("dpiaware"), std::string::npos) << "no DPI awareness";

  HRSRC iconGroup = FindResourceA(exe, "DEFAULT_ICON", MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
  ASSERT_NE(iconGroup, nullptr);
  const auto* group = static_cast<const WORD*>(LockResource(LoadResource(exe, iconGroup)));
  EXPECT_EQ(group[2], 6) << "128, 64, 48, 32, 24 and 16 px";

  HRSRC version = FindResourceA(exe, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(16));  // RT_VERSION
  ASSERT_NE(version, nullptr);
  const char* data = static_cast<const char*>(LockResource(LoadResource(exe, version)));
  const std::string block(data, SizeofResource(exe, version));
  // VS_FIXEDFILEINFO follows the "VS_VERSION_INFO" key; find it by its signature.
  const DWORD signature = 0xFEEF04BD;
  const size_t at = block.find(std::string(reinterpret_cast<const char*>(&signature), 4));
  ASSERT_NE(at, std::string::npos);
  VS_FIXEDFILEINFO info;
  std::memcpy(&info, block.data() + at, sizeof info);
  EXPECT_EQ(info.dwFileVersionMS, 0x00010001u);
  EXPECT_EQ(info.dwFileVersionLS, 0u);
  EXPECT_EQ(info.dwProductVersionMS, 0x00010001u);
  FreeLibrary(exe);
}

}  // namespace
