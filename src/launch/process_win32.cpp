// Running a program and waiting for its end, on Windows: CreateProcessA with
// the command line exactly as formed; no shell, no search path.

#include <cstdio>
#include <string>

#include "console/console.h"
#include "core/file_system.h"
#include "launch/launch.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace zeb {

void RunAndWait(std::string_view program, std::string_view arguments) {
  std::string commandLine = "\"";
  commandLine += program;
  commandLine += "\" ";
  commandLine += arguments;
  // The file to run is the program's own path: a relative one is taken from
  // the current directory, never looked up on the search path.
  std::string application = NativePath(program);
  if (application.empty()) return;

  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  std::fflush(nullptr);
  // Created held, so that the console is handed over only to a program that
  // exists; one that cannot start is passed over without a word.
  if (!CreateProcessA(application.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                      CREATE_SUSPENDED | NORMAL_PRIORITY_CLASS, nullptr, nullptr, &startup, &process)) {
    return;
  }
  ConsoleSuspend();
  ResumeThread(process.hThread);
  WaitForSingleObject(process.hProcess, INFINITE);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  ConsoleResume();
}

}  // namespace zeb
