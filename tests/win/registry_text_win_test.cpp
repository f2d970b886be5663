// ReadRegistryText on the real registry: values written with RegSetValueExA under a throwaway key
// (HKLM, as a 32-bit program sees it) and read back through the Windows registry layer.

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/texts.h"
#include "gamefolder/registry_text.h"
#include "platform/win32/win32_platform.h"

namespace {

using namespace std::string_literals;

#define KESTROVA_UNINSTALL \
  "SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\"
constexpr char kUninstallKey[] = KESTROVA_UNINSTALL "英雄联盟";
// One level below an existing key: when a 32-bit program creates two new levels at once below
// WOW6432Node, Wine puts them at Wow6432Node\WOW6432Node\..., where no open finds them.
// "乗" is 0x81 0x5C: the second byte of the key's last character looks like a backslash.
constexpr char kTestKey[] = KESTROVA_UNINSTALL "KestrovaTests乗";

// Writes `bytes` exactly as given: a text value has a NUL only when the test puts one there.
bool SetValue(const char* subkey, const char* name, DWORD type, const std::string& bytes) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, subkey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                      nullptr) != ERROR_SUCCESS)
    return false;
  const LONG set = RegSetValueExA(key, name, 0, type,
                                  reinterpret_cast<const BYTE*>(bytes.data()),
                                  static_cast<DWORD>(bytes.size()));
  RegCloseKey(key);
  return set == ERROR_SUCCESS;
}

std::string EnvironmentVariable(const char* name) {
  char value[MAX_PATH] = "";
  GetEnvironmentVariableA(name, value, sizeof value);
  return value;
}

class RealRegistryTest : public testing::Test {
 protected:
  void TearDown() override { RegDeleteTreeA(HKEY_LOCAL_MACHINE, kTestKey); }

  std::string Read(const std::string& path) {
    return ReadRegistryText(*registry_, platform::RegistryRoot::LocalMachine, path);
  }

  const std::unique_ptr<platform::Registry> registry_ = platform::NewWin32Registry();
};

TEST_F(RealRegistryTest, ReadsTextValuesAndNothingElse) {
  const std::string systemDrive = EnvironmentVariable("SystemDrive");
  ASSERT_FALSE(systemDrive.empty());
  const struct {
    const char* name;
    DWORD type;
    std::string stored;
    std::string expected;
  } kCases[] = {
      {"sz", REG_SZ, "D:\\Games\\英雄联盟\0"s, "D:\\Games\\英雄联盟"},
      {"sz without NUL", REG_SZ, "D:\\Games\\英雄联盟", "D:\\Games\\英雄联盟"},
      {"sz cut at NUL", REG_SZ, "D:\\A\0D:\\B\0"s, "D:\\A"},
      {"spaces", REG_SZ, "   \0"s, "   "},
      {"trailing backslash", REG_SZ, "D:\\英雄联盟\\\0"s, "D:\\英雄联盟\\"},
      {"ampersand", REG_SZ, "D:\\A&B\\英雄联盟\0"s, "D:\\A&B\\英雄联盟"},
      {"expand", REG_EXPAND_SZ, "%SystemDrive%\\英雄联盟\0"s, systemDrive + "\\英雄联盟"},
      {"expand unknown", REG_EXPAND_SZ, "%KestrovaNoSuchVariable%\\英雄联盟\0"s,
       "%KestrovaNoSuchVariable%\\英雄联盟"},
      {"empty", REG_SZ, "", ""},
      {"dword", REG_DWORD, "\x01\0\0\0"s, ""},
      {"multi", REG_MULTI_SZ, "D:\\A\0D:\\B\0\0"s, ""},
      {"binary", REG_BINARY, "D:\\A", ""},
  };
  for (const auto& c : kCases) {
    ASSERT_TRUE(SetValue(kTestKey, c.name, c.type, c.stored)) << c.name;
    EXPECT_EQ(Read(std::string(kTestKey) + "\\" + c.name), c.expected) << c.name;
  }
  EXPECT_EQ(Read(std::string(kTestKey) + "\\no such value"), "");
  EXPECT_EQ(Read(std::string(kTestKey) + "乗\\InstallSource"), "");  // no such key
}

TEST_F(RealRegistryTest, ReadsTheGamesUninstallEntry) {
  ASSERT_TRUE(SetValue(kUninstallKey, "InstallSource", REG_SZ, "D:\\Games\\英雄联盟\0"s));
  EXPECT_EQ(Read(texts::kInstallSourcePath), "D:\\Games\\英雄联盟");
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, kUninstallKey);
  EXPECT_EQ(Read(texts::kInstallSourcePath), "");
}

}  // namespace
