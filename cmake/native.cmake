# Native build: the logic and its unit tests, with fakes in place of Windows.
find_package(GTest REQUIRED)

option(KESTROVA_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(KESTROVA_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()

file(GLOB KESTROVA_UNIT_TESTS CONFIGURE_DEPENDS tests/unit/*.cpp)
add_executable(kestrova_unit_tests ${KESTROVA_UNIT_TESTS} ${KESTROVA_FAKE_SOURCES})
target_link_libraries(kestrova_unit_tests PRIVATE kestrova_logic GTest::gmock GTest::gtest_main)
add_test(NAME unit COMMAND kestrova_unit_tests)
