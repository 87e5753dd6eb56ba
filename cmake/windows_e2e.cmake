# End-to-end tests of the Windows build: zeb.exe under wine in tmux, beside
# the POSIX build on the same data. make test-windows configures a POSIX
# build with ZEB_WINDOWS_DIR naming the folder of zeb.exe and mame.exe.

find_program(ZEB_WINE_RUNNER NAMES wine64 PATHS /usr/lib/wine REQUIRED)
file(GLOB windows_e2e_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/windows/*.cpp)
add_executable(windows_e2e_tests ${windows_e2e_sources}
  ${CMAKE_SOURCE_DIR}/tests/e2e/tmux_session.cpp ${CMAKE_SOURCE_DIR}/tests/e2e/emulator_dir.cpp)
target_include_directories(windows_e2e_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(windows_e2e_tests PRIVATE GTest::gtest GTest::gtest_main)
target_compile_definitions(windows_e2e_tests PRIVATE
  ZEB_BINARY="$<TARGET_FILE:zeb>"
  ZEB_STANDIN="$<TARGET_FILE:mame_standin>"
  ZEB_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
  ZEB_WINDOWS_DIR="${ZEB_WINDOWS_DIR}"
  ZEB_WINE="${ZEB_WINE_RUNNER}"
  ZEB_E2E_WAIT_SECONDS=60.0)
add_dependencies(windows_e2e_tests zeb mame_standin)
gtest_discover_tests(windows_e2e_tests DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300 LABELS windows)
