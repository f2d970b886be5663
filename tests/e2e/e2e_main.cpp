// The end-to-end driver's entry: GoogleTest, once the program under test is found beside it.
#include <windows.h>

#include <cstdio>

#include "tests/e2e/harness.h"

int main(int argc, char** argv) {
  // A crash of the driver or of Kestrova (which inherits this) ends the process instead of
  // opening a crash dialog that nobody on an Xvfb display would close.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
  testing::InitGoogleTest(&argc, argv);
  const std::string exe = e2e::DriverFolder() + "\\Kestrova.exe";
  if (GetFileAttributesA(exe.c_str()) == INVALID_FILE_ATTRIBUTES) {
    std::fprintf(stderr, "%s is missing: build the Kestrova target first\n", exe.c_str());
    return 1;
  }
  return RUN_ALL_TESTS();
}
