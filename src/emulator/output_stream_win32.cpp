// Streaming a program's output on Windows: standard output and standard
// error come through anonymous pipes, which cannot be waited on together
// with the process. What they hold is taken whenever there is some; when
// neither holds anything the process is waited for a few milliseconds, so
// that its end is seen and `take` keeps its pace.

#include <algorithm>
#include <cstdio>
#include <string>

#include "emulator/output_stream.h"
#include "emulator/owned_handle_win32.h"
#include "emulator/system_message_win32.h"

#include <windows.h>

namespace zeb {

namespace {

constexpr std::size_t MaxErrorText = 64 * 1024;
constexpr DWORD ChunkBytes = 64 * 1024;
constexpr DWORD IdleMilliseconds = 5;

// A pipe whose write end the program inherits and whose read end is ours.
bool MakePipe(OwnedHandle& readEnd, OwnedHandle& writeEnd, DWORD bytes) {
  SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  return CreatePipe(&readEnd.Handle, &writeEnd.Handle, &inherited, bytes) &&
         SetHandleInformation(readEnd.Handle, HANDLE_FLAG_INHERIT, 0);
}

// Reads one block of what the pipe holds now, without waiting: the bytes
// read (0 when it holds none); the pipe is closed when it has ended.
DWORD ReadAvailable(OwnedHandle& pipe, std::string& buffer) {
  DWORD available = 0;
  if (!PeekNamedPipe(pipe.Handle, nullptr, 0, nullptr, &available, nullptr)) {
    pipe.Close();
    return 0;
  }
  if (available == 0) return 0;
  DWORD count = 0;
  if (!ReadFile(pipe.Handle, buffer.data(), std::min<DWORD>(available, ChunkBytes), &count, nullptr) || count == 0) {
    pipe.Close();
    return 0;
  }
  return count;
}

}  // namespace

StreamRun RunStreaming(const ProgramFile& file, const std::vector<std::string>& arguments,
                       const std::function<bool(std::string_view chunk)>& take) {
  StreamRun run;
  if (file.Path.empty()) {
    run.Reason = file.Reason;
    return run;
  }
  SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  OwnedHandle nothing;
  nothing.Handle = CreateFileA("NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited, OPEN_EXISTING, 0,
                               nullptr);
  if (!nothing.Open()) {
    run.Reason = "cannot open NUL: " + SystemMessage(GetLastError());
    return run;
  }
  OwnedHandle output, outputWrite, errors, errorsWrite;
  if (!MakePipe(output, outputWrite, 1024 * 1024) || !MakePipe(errors, errorsWrite, 64 * 1024)) {
    run.Reason = SystemMessage(GetLastError());
    return run;
  }
  std::string commandLine = ArgumentsCommandLine(arguments, file.Name);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = nothing.Handle;
  startup.hStdOutput = outputWrite.Handle;
  startup.hStdError = errorsWrite.Handle;
  PROCESS_INFORMATION process{};
  std::fflush(nullptr);
  if (!CreateProcessA(file.Path.c_str(), commandLine.data(), nullptr, nullptr, TRUE, NORMAL_PRIORITY_CLASS, nullptr,
                      file.Directory.empty() ? nullptr : file.Directory.c_str(), &startup, &process)) {
    run.Reason = SystemMessage(GetLastError(), file.Path);
    return run;
  }
  // Only the program holds the write ends now: the pipes end when it does.
  outputWrite.Close();
  errorsWrite.Close();
  run.Started = true;

  std::string buffer(ChunkBytes, '\0');
  auto keepError = [&](DWORD got) {
    std::size_t room = MaxErrorText - std::min(run.ErrorText.size(), MaxErrorText);
    run.ErrorText.append(buffer.data(), std::min<std::size_t>(room, got));
  };
  ULONGLONG lastTake = GetTickCount64();
  bool ended = false;
  while (!ended && !run.Stopped) {
    DWORD got = output.Open() ? ReadAvailable(output, buffer) : 0;
    if (got > 0) {
      run.Stopped = !take(std::string_view(buffer.data(), got));
      lastTake = GetTickCount64();
      continue;
    }
    DWORD errorGot = errors.Open() ? ReadAvailable(errors, buffer) : 0;
    if (errorGot > 0) {
      keepError(errorGot);
      continue;
    }
    const DWORD wait = output.Open() || errors.Open() ? IdleMilliseconds : StreamPaceMilliseconds;
    ended = WaitForSingleObject(process.hProcess, wait) == WAIT_OBJECT_0;
    if (!ended && GetTickCount64() - lastTake >= static_cast<ULONGLONG>(StreamPaceMilliseconds)) {
      run.Stopped = !take(std::string_view());
      lastTake = GetTickCount64();
    }
  }
  // What the pipes still hold (a program it started may go on writing:
  // only so much is taken).
  for (int reads = 0; ended && !run.Stopped && reads < 1024; ++reads) {
    DWORD got = output.Open() ? ReadAvailable(output, buffer) : 0;
    if (got > 0) {
      run.Stopped = !take(std::string_view(buffer.data(), got));
      continue;
    }
    DWORD errorGot = errors.Open() ? ReadAvailable(errors, buffer) : 0;
    if (errorGot == 0) break;
    keepError(errorGot);
  }
  if (run.Stopped) {
    TerminateProcess(process.hProcess, 1);
    WaitForSingleObject(process.hProcess, INFINITE);
  } else {
    DWORD status = 0;
    if (GetExitCodeProcess(process.hProcess, &status)) run.ExitStatus = static_cast<int>(status);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return run;
}

}  // namespace zeb
