#pragma once
// Every Windows piece the program runs on, as fakes, sharing one ordered log of the start-up,
// window and shutdown calls.

#include <string>
#include <vector>

#include "app/program.h"
#include "tests/fakes/fake_file_system.h"
#include "tests/fakes/fake_gui.h"
#include "tests/fakes/fake_message_boxes.h"
#include "tests/fakes/fake_process_api.h"
#include "tests/fakes/fake_process_table.h"
#include "tests/fakes/fake_registry.h"
#include "tests/fakes/fake_shell.h"

struct FakePlatform {
  std::vector<std::string> log;
  FakeProcessApi process{log};
  FakeGui gui{log};
  FakeMessageBoxes boxes;
  FakeFileSystem files;
  FakeProcessTable processes;
  FakeRegistry registry;
  FakeShell shell;

  Platform AsPlatform() { return {process, gui, boxes, files, processes, registry, shell}; }
};
