# Which platform files build. Every file of the platform layer is named for
# its platform (terminal_posix.cpp, console_win32.cpp, ...); the other
# platform's files, and tests named the same way, are left out.

if(WIN32)
  set(ZEB_PLATFORM win32)
  # <windows.h> without its rarely used parts and without the min and max
  # macros that would clash with the standard library's.
  add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX)
  set(ZEB_OTHER_PLATFORM_FILES "_posix(_test)?\\.cpp$")
  # The whole-program tests drive a terminal with tmux; the Windows build's
  # own are run from this machine by the POSIX build (tests/windows).
  set(ZEB_TEST_FOLDERS storage console settings gamedb machines audit search emulator ui app)
else()
  set(ZEB_PLATFORM posix)
  set(ZEB_OTHER_PLATFORM_FILES "_win32(_test)?\\.cpp$")
  set(ZEB_TEST_FOLDERS storage console settings gamedb machines audit search emulator ui app e2e soak)
endif()

# Paths baked into the tests, as the tested programs see them. Under wine
# the machine's root is drive Z:.
if(WIN32 AND CMAKE_CROSSCOMPILING)
  set(ZEB_TEST_PATH_PREFIX "Z:")
else()
  set(ZEB_TEST_PATH_PREFIX "")
endif()

# GoogleTest: the installed package, or for Windows built from Debian's
# sources (the googletest package) without our warning flags.
macro(zeb_find_gtest)
  if(WIN32)
    set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(ZEB_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
    add_subdirectory(${ZEB_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    set_target_properties(gtest gtest_main PROPERTIES COMPILE_OPTIONS "")
    if(NOT TARGET GTest::gtest)
      add_library(GTest::gtest ALIAS gtest)
      add_library(GTest::gtest_main ALIAS gtest_main)
    endif()
  else()
    find_package(GTest REQUIRED)
    include(GoogleTest)
  endif()
endmacro()

# Registers a test program with ctest: each test case on its own for the
# POSIX build; the Windows programs run whole under wine (one start each).
function(zeb_add_tests target)
  if(WIN32)
    add_test(NAME ${target} COMMAND ${target})
    set_tests_properties(${target} PROPERTIES TIMEOUT 600
      ENVIRONMENT "LC_ALL=C;ZEB_TEST_DECIMAL_SEPARATOR=.")
    # The tests of the user's decimal separator once more in a German locale.
    # wine takes the user's regional settings from the locale it starts in,
    # and writes them into the prefix's registry whenever a program starts in
    # another locale: these runs are alone, so that no program started in the
    # C locale meanwhile puts "." back under them.
    set(comma_filter "")
    if(target STREQUAL "emulator_tests")
      set(comma_filter DecimalSeparator.*)
    elseif(target STREQUAL "ui_tests")
      set(comma_filter OptionsWidgetsTest.RealSpinnersShowTheSeparatorOfTheUsersLocale)
    endif()
    if(comma_filter)
      add_test(NAME ${target}_comma_locale COMMAND ${target} --gtest_filter=${comma_filter})
      set_tests_properties(${target}_comma_locale PROPERTIES TIMEOUT 600 RUN_SERIAL TRUE
        ENVIRONMENT "LC_ALL=de_DE.UTF-8;ZEB_TEST_DECIMAL_SEPARATOR=,")
    endif()
  else()
    gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 120)
  endif()
endfunction()

# The oracles some tests compare the program with: the POSIX tests of the
# XML reader parse the same documents with expat (libexpat1-dev), which
# the program itself never uses.
function(zeb_link_test_oracles folder target)
  if(folder STREQUAL "machines" AND NOT WIN32)
    find_package(EXPAT REQUIRED)
    target_link_libraries(${target} PRIVATE EXPAT::EXPAT)
  endif()
endfunction()
