// Reading the install folder from the registry: the path split and every registry state.

#include "gamefolder/registry_text.h"

#include <gtest/gtest.h>

#include <string>

#include "app/texts.h"
#include "tests/fakes/fake_registry.h"

namespace {

using namespace std::string_literals;

constexpr char kUninstallKey[] =
    "SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\英雄联盟";
constexpr unsigned long kRegBinary = 3;
constexpr unsigned long kRegDword = 4;
constexpr unsigned long kRegMultiSz = 7;

TEST(SplitRegistryPath, CutsAtTheLastBackslashThatIsACharacterOfItsOwn) {
  // "乗" is 0x81 0x5C in code page 936: its second byte looks like a backslash.
  ASSERT_EQ(std::string("乗"), "\x81\x5C");
  const struct { const char* path; const char* subkey; const char* name; } kCases[] = {
      {texts::kInstallSourcePath, kUninstallKey, "InstallSource"},
      {"A\\B\\Name", "A\\B", "Name"},
      {"Name", "", "Name"},
      {"\\Name", "", "Name"},
      {"A\\", "A", ""},
      {"Uninstall\\英雄乗", "Uninstall", "英雄乗"},
      {"Key乗\\Value", "Key乗", "Value"},
      {"乗", "", "乗"},
  };
  for (const auto& c : kCases) {
    std::string subkey = "old";
    std::string name = "old";
    SplitRegistryPath(c.path, &subkey, &name);
    EXPECT_EQ(subkey, c.subkey) << c.path;
    EXPECT_EQ(name, c.name) << c.path;
  }
}

struct RegistryCase {
  const char* what;
  bool valueExists;
  unsigned long type;
  std::string stored;
  std::string expected;
  int failingQueryCall = 0;
  bool expansionFails = false;
};

const RegistryCase kRegistryCases[] = {
    {"no value", false, platform::kRegSz, "", ""},
    {"REG_DWORD", true, kRegDword, "\x01\0\0\0"s, ""},
    {"REG_MULTI_SZ", true, kRegMultiSz, "D:\\A\0D:\\B\0\0"s, ""},
    {"REG_BINARY", true, kRegBinary, "D:\\A", ""},
    {"size 0", true, platform::kRegSz, "", ""},
    {"REG_SZ with its NUL", true, platform::kRegSz, "D:\\Games\\英雄联盟\0"s,
     "D:\\Games\\英雄联盟"},
    {"REG_SZ without a NUL", true, platform::kRegSz, "D:\\Games\\英雄联盟",
     "D:\\Games\\英雄联盟"},
    {"REG_SZ cut at its first NUL", true, platform::kRegSz, "D:\\A\0D:\\B\0"s, "D:\\A"},
    {"REG_SZ of a NUL alone", true, platform::kRegSz, "\0"s, ""},
    {"spaces are kept", true, platform::kRegSz, "   \0"s, "   "},
    {"trailing backslash kept", true, platform::kRegSz, "D:\\英雄联盟\\\0"s, "D:\\英雄联盟\\"},
    {"REG_EXPAND_SZ expanded", true, platform::kRegExpandSz, "%SystemDrive%\\英雄联盟\0"s,
     "C:\\英雄联盟"},
    {"REG_EXPAND_SZ without a NUL", true, platform::kRegExpandSz, "%SystemDrive%\\英雄联盟",
     "C:\\英雄联盟"},
    {"REG_EXPAND_SZ that cannot be expanded", true, platform::kRegExpandSz,
     "%SystemDrive%\\英雄联盟\0"s, "", 0, true},
    {"first query fails", true, platform::kRegSz, "D:\\A\0"s, "", 1},
    {"second query fails", true, platform::kRegSz, "D:\\A\0"s, "", 2},
};

TEST(ReadRegistryText, AnswersEachRegistryStateAndClosesTheKey) {
  for (const RegistryCase& c : kRegistryCases) {
    FakeRegistry registry;
    registry.keys[kUninstallKey];
    if (c.valueExists) registry.keys[kUninstallKey]["InstallSource"] = {c.type, c.stored};
    registry.expansions["%SystemDrive%\\英雄联盟"] = "C:\\英雄联盟";
    registry.failingQueryCall = c.failingQueryCall;
    registry.expansionFails = c.expansionFails;

    EXPECT_EQ(ReadRegistryText(registry, platform::RegistryRoot::LocalMachine,
                               texts::kInstallSourcePath),
              c.expected)
        << c.what;
    EXPECT_EQ(registry.openedSubkeys, std::vector<std::string>{kUninstallKey}) << c.what;
    EXPECT_EQ(registry.openKeys, 0) << c.what;
  }
}

TEST(ReadRegistryText, AMissingKeyGivesTheEmptyText) {
  FakeRegistry registry;
  registry.keys["SOFTWARE\\Other"]["InstallSource"] = {platform::kRegSz, "D:\\A\0"s};
  EXPECT_EQ(ReadRegistryText(registry, platform::RegistryRoot::LocalMachine,
                             texts::kInstallSourcePath),
            "");
  EXPECT_EQ(registry.openKeys, 0);
}

}  // namespace
