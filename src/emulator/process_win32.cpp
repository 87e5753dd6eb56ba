// Running a program and waiting for its end, on Windows: CreateProcessA with
// the command line exactly as formed (a game launch's words joined with
// their quotes where they need them), in the program file's directory; no
// shell, no search path.

#include <cstdio>
#include <string>

#include "console/console.h"
#include "storage/file_system.h"
#include "emulator/processes.h"
#include "emulator/program_file.h"
#include "emulator/system_message_win32.h"

#include <windows.h>

namespace zeb {

namespace {

// Starts the program file with its command line, in the file's directory,
// and waits for its end, the console handed over meanwhile.
RunOutcome RunCommandLine(Console& console, const ProgramFile& file, std::string commandLine) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  std::fflush(nullptr);
  // Created held, so that the console is handed over only to a program that
  // exists and can start.
  if (!CreateProcessA(file.Path.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                      CREATE_SUSPENDED | NORMAL_PRIORITY_CLASS, nullptr,
                      file.Directory.empty() ? nullptr : file.Directory.c_str(), &startup, &process)) {
    return RunOutcome{false, SystemMessage(GetLastError(), file.Path)};
  }
  console.Suspend();
  ResumeThread(process.hThread);
  WaitForSingleObject(process.hProcess, INFINITE);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  console.Resume();
  return RunOutcome{true, std::string()};
}

}  // namespace

RunOutcome RunProgramFile(Console& console, const ProgramFile& file, std::string_view program,
                          std::string_view arguments) {
  if (file.Path.empty()) return RunOutcome{false, file.Reason};
  std::string commandLine = "\"";
  commandLine += file.Name.empty() ? std::string(program) : file.Name;
  commandLine += "\" ";
  commandLine += arguments;
  return RunCommandLine(console, file, commandLine);
}

RunOutcome RunProgramWords(Console& console, const ProgramFile& file, const std::vector<CommandWord>& arguments) {
  if (file.Path.empty()) return RunOutcome{false, file.Reason};
  return RunCommandLine(console, file, CommandLineOf(file.Name, arguments));
}

}  // namespace zeb
