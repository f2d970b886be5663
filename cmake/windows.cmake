# Windows build: Kestrova.exe, the Windows-side tests and the end-to-end driver.
enable_language(RC)
set(KESTROVA_WIN_LIBS kernel32 user32 gdi32 advapi32 shell32 shlwapi ole32)
# Static runtime: the exe needs no MinGW DLL beside it.
set(KESTROVA_STATIC_LINK -static -static-libgcc -static-libstdc++)

file(GLOB KESTROVA_WIN32_SOURCES CONFIGURE_DEPENDS platform/win32/*.cpp)
add_library(kestrova_win32 STATIC ${KESTROVA_WIN32_SOURCES})
target_link_libraries(kestrova_win32 PUBLIC kestrova_logic ${KESTROVA_WIN_LIBS})
target_compile_definitions(kestrova_win32 PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX)

add_executable(Kestrova WIN32 app/main.cpp resources/kestrova.rc)
target_link_libraries(Kestrova PRIVATE kestrova_win32)
# Only the code the program reaches is kept: players download one small exe.
target_link_options(Kestrova PRIVATE ${KESTROVA_STATIC_LINK} -s -Wl,--gc-sections)
set_target_properties(Kestrova PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

# GoogleTest from Debian's sources, built with the cross compiler.
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

file(GLOB KESTROVA_WIN_TESTS CONFIGURE_DEPENDS tests/win/*.cpp)
if(KESTROVA_WIN_TESTS)
  # The end-to-end harness lends its temporary game folders and named sleeper processes.
  add_executable(kestrova_win_tests ${KESTROVA_WIN_TESTS} ${KESTROVA_FAKE_SOURCES}
                 tests/e2e/harness.cpp)
  target_link_libraries(kestrova_win_tests PRIVATE kestrova_win32 gmock gtest_main)
  target_link_options(kestrova_win_tests PRIVATE ${KESTROVA_STATIC_LINK})
  target_compile_definitions(kestrova_win_tests PRIVATE
    KESTROVA_EXE_NAME="Kestrova.exe")
  add_dependencies(kestrova_win_tests Kestrova sleeper)
  set_target_properties(kestrova_win_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
  add_test(NAME win COMMAND kestrova_win_tests WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
endif()

# A program that only waits: copies of it under the game clients' names stand in for them.
add_executable(sleeper tests/e2e/sleeper/sleeper.cpp)
target_link_options(sleeper PRIVATE ${KESTROVA_STATIC_LINK} -mwindows)
set_target_properties(sleeper PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

# The end-to-end driver: starts the real Kestrova.exe and works it through window messages.
file(GLOB KESTROVA_E2E_SOURCES CONFIGURE_DEPENDS tests/e2e/*.cpp)
if(KESTROVA_E2E_SOURCES)
  add_executable(kestrova_e2e ${KESTROVA_E2E_SOURCES})
  target_link_libraries(kestrova_e2e PRIVATE gtest ${KESTROVA_WIN_LIBS} psapi)
  target_include_directories(kestrova_e2e PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_options(kestrova_e2e PRIVATE ${KESTROVA_STATIC_LINK})
  add_dependencies(kestrova_e2e Kestrova sleeper)
  set_target_properties(kestrova_e2e PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
endif()

add_subdirectory(bench)  # Kestrova.exe against the floor; run by tools/bench.sh
