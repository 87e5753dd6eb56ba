// Running a program with its output into a file and its error text
// captured, on Windows: the file is opened here, the error text comes
// through a pipe, standard input is NUL, and the program gets them as its
// standard handles. And running one with its output into memory, for at
// most a given time. The command line is formed as for a launch: the quoted
// program, a blank, the arguments. No shell is involved.

#include <algorithm>
#include <cstdio>
#include <string>

#include "storage/file_system.h"
#include "emulator/processes.h"
#include "emulator/owned_handle_win32.h"
#include "emulator/system_message_win32.h"

#include <windows.h>

namespace zeb {

namespace {

constexpr std::size_t MaxErrorText = 64 * 1024;

// A program started with standard input from NUL, one of standard output
// and standard error into a pipe that is read here, the other into `other`
// (NUL when none). Process is empty when it did not start; Reason then says
// why.
struct PipedProgram {
  PROCESS_INFORMATION Process{};
  OwnedHandle ReadEnd;
  std::string Reason;
  bool Started() const { return Process.hProcess != nullptr; }
};

PipedProgram StartPiped(const ProgramFile& file, const std::vector<std::string>& arguments, bool outputIntoPipe,
                        HANDLE other, DWORD pipeBytes) {
  PipedProgram started;
  if (file.Path.empty()) {
    started.Reason = file.Reason;
    return started;
  }
  // The program's three handles are made inheritable; the pipe's read end
  // stays ours alone.
  SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  OwnedHandle nothing{CreateFileA("NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited,
                                  OPEN_EXISTING, 0, nullptr)};
  if (nothing.Handle == INVALID_HANDLE_VALUE) {
    started.Reason = "cannot open NUL: " + SystemMessage(GetLastError());
    return started;
  }
  OwnedHandle writeEnd;
  if (!CreatePipe(&started.ReadEnd.Handle, &writeEnd.Handle, &inherited, pipeBytes) ||
      !SetHandleInformation(started.ReadEnd.Handle, HANDLE_FLAG_INHERIT, 0)) {
    started.Reason = SystemMessage(GetLastError());
    return started;
  }
  if (other == INVALID_HANDLE_VALUE) other = nothing.Handle;

  std::string commandLine = ArgumentsCommandLine(arguments, file.Name);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = nothing.Handle;
  startup.hStdOutput = outputIntoPipe ? writeEnd.Handle : other;
  startup.hStdError = outputIntoPipe ? other : writeEnd.Handle;
  std::fflush(nullptr);
  if (!CreateProcessA(file.Path.c_str(), commandLine.data(), nullptr, nullptr, TRUE, NORMAL_PRIORITY_CLASS, nullptr,
                      file.Directory.empty() ? nullptr : file.Directory.c_str(), &startup, &started.Process)) {
    started.Reason = SystemMessage(GetLastError(), file.Path);
    started.Process = PROCESS_INFORMATION{};
  }
  // Only the program holds the write end now: the read ends when it ends.
  return started;
}

// Everything the program writes to its standard error, up to the limit;
// the rest is read and dropped so the program never blocks on it.
std::string ReadAll(HANDLE pipe) {
  std::string text;
  char buffer[4096];
  DWORD count = 0;
  while (ReadFile(pipe, buffer, sizeof buffer, &count, nullptr) && count > 0) {
    std::size_t room = MaxErrorText - std::min(text.size(), MaxErrorText);
    text.append(buffer, std::min<std::size_t>(room, count));
  }
  return text;
}

}  // namespace

CapturedRun RunIntoFile(const ProgramFile& file, const std::vector<std::string>& arguments,
                        std::string_view outputFile) {
  CapturedRun run;
  if (file.Path.empty()) {
    run.Reason = file.Reason;
    return run;
  }
  SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  std::string outputPath = NativePath(outputFile);
  OwnedHandle output{CreateFileA(outputPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr)};
  if (output.Handle == INVALID_HANDLE_VALUE) {
    run.Reason = "cannot write " + std::string(outputFile) + ": " + SystemMessage(GetLastError(), outputPath);
    return run;
  }
  PipedProgram started = StartPiped(file, arguments, false, output.Handle, 0);
  output.Close();
  if (!started.Started()) {
    run.Reason = started.Reason;
    return run;
  }
  const PROCESS_INFORMATION& process = started.Process;
  run.Started = true;
  run.ErrorText = ReadAll(started.ReadEnd.Handle);
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD status = 0;
  if (GetExitCodeProcess(process.hProcess, &status)) run.ExitStatus = static_cast<int>(status);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return run;
}

namespace {

// Reads what the pipe holds now (up to 64 KiB), without waiting for more;
// the number of bytes read. `open` becomes false when the pipe has ended
// (every writer gone).
std::size_t DrainAvailable(HANDLE pipe, std::string& text, bool& open) {
  std::size_t total = 0;
  while (open && total < 64 * 1024) {
    DWORD available = 0;
    if (!PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr)) {
      open = false;
      break;
    }
    if (available == 0) break;
    char buffer[4096];
    DWORD count = 0;
    if (!ReadFile(pipe, buffer, static_cast<DWORD>(std::min<std::size_t>(available, sizeof buffer)), &count, nullptr) ||
        count == 0) {
      open = false;
      break;
    }
    std::size_t room = MaxRunOutput - std::min(text.size(), MaxRunOutput);
    text.append(buffer, std::min<std::size_t>(room, count));
    total += count;
  }
  return total;
}

}  // namespace

OutputRun RunForOutput(const ProgramFile& file, const std::vector<std::string>& arguments, int timeoutMilliseconds) {
  OutputRun run;
  PipedProgram started = StartPiped(file, arguments, true, INVALID_HANDLE_VALUE, 64 * 1024);
  if (!started.Started()) {
    run.Reason = started.Reason;
    return run;
  }
  const PROCESS_INFORMATION& process = started.Process;
  const OwnedHandle& readEnd = started.ReadEnd;
  run.Started = true;

  // An anonymous pipe cannot be waited on together with the process: what
  // it holds is taken whenever the process has not ended within a few
  // milliseconds, so that a long output never stops it.
  const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(std::max(timeoutMilliseconds, 0));
  bool open = true;
  for (;;) {
    std::size_t got = DrainAvailable(readEnd.Handle, run.Output, open);
    ULONGLONG now = GetTickCount64();
    DWORD step = 0;
    if (now < deadline && got == 0) step = static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, open ? 5 : 50));
    if (WaitForSingleObject(process.hProcess, step) == WAIT_OBJECT_0) {
      // What it wrote before its end (a program it started may go on
      // writing: only so much is taken).
      for (int i = 0; i < 64 && DrainAvailable(readEnd.Handle, run.Output, open) > 0; ++i) {
      }
      DWORD status = 0;
      if (GetExitCodeProcess(process.hProcess, &status)) run.ExitStatus = static_cast<int>(status);
      break;
    }
    if (GetTickCount64() >= deadline) {
      TerminateProcess(process.hProcess, 1);
      WaitForSingleObject(process.hProcess, INFINITE);
      run.TimedOut = true;
      break;
    }
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return run;
}

}  // namespace zeb
