# What both mingw-w64 toolchains share. ZEB_MINGW_TRIPLET names the target.

# The compilers with POSIX threads: GoogleTest needs std::mutex, which the
# win32-threads variant lacks. The program itself starts no thread.
set(CMAKE_C_COMPILER ${ZEB_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZEB_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${ZEB_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ZEB_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Every program is one file: the C and C++ run-time libraries are linked in,
# so a copied zeb.exe runs on its own beside the emulator.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# The 64-bit programs built here run on this machine under wine (wine64),
# each with a console of its own (the tests need one).
if(ZEB_MINGW_TRIPLET MATCHES "^x86_64")
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-console.sh)
endif()
