// The Windows test programs' main: GoogleTest's, and a last word when the
// program ends in the middle of a test.
//
// A death test on Windows starts the test program again and waits for it on
// a pipe and an event. Meanwhile this process's standard error goes into a
// capture file, to be matched once the child has ended. When GoogleTest's own
// part of that fails (a check of a system call, an unexpected byte on the
// pipe), it writes why to standard error, into the capture, and aborts: the
// output stops after "[ RUN ]" with nothing said, and the capture file is
// left in the temporary folder (which make test-windows removes with its
// wine prefix). So this main keeps the standard error it
// started with, and when the program ends during a test (abort, or exit),
// it says there which test, how, and what the capture held.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <io.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <windows.h>

namespace {

HANDLE StartError = INVALID_HANDLE_VALUE;
// "Suite.Name" of the test that runs, empty between tests.
char RunningTest[512] = "";

void Say(const std::string& text) {
  DWORD written = 0;
  WriteFile(StartError, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

// What standard error holds while it goes into a capture file of
// GoogleTest's (GetTempFileName with the prefix "gtest_redir", of which it
// keeps three letters: "gteXXXX.tmp"); empty when it does not.
std::string Captured() {
  auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(2));
  if (handle == INVALID_HANDLE_VALUE || handle == nullptr) return "";
  char path[MAX_PATH + 1] = "";
  DWORD length = GetFinalPathNameByHandleA(handle, path, MAX_PATH, FILE_NAME_NORMALIZED);
  if (length == 0 || length > MAX_PATH) return "";
  const char* name = std::strrchr(path, '\\');
  name = name != nullptr ? name + 1 : path;
  const std::size_t size = std::strlen(name);
  if (_strnicmp(name, "gte", 3) != 0 || size < 4 || _stricmp(name + size - 4, ".tmp") != 0) return "";
  std::fflush(stderr);
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::string("(the capture ") + path + " cannot be read)\n";
  std::string text;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) text.append(buffer, read);
  CloseHandle(file);
  return text;
}

void SayEnd(const char* how) {
  if (RunningTest[0] == '\0') return;
  std::string text = std::string("[  ENDED   ] ") + RunningTest + ": the test program " + how + " during this test\n";
  std::string captured = Captured();
  if (!captured.empty()) text += "[  ENDED   ] standard error, captured for a death test, held:\n" + captured + "\n";
  Say(text);
  RunningTest[0] = '\0';
}

void OnAbort(int) { SayEnd("aborted"); }
void OnExit() { SayEnd("exited"); }

class RunningTestListener : public testing::EmptyTestEventListener {
  void OnTestStart(const testing::TestInfo& test) override {
    std::snprintf(RunningTest, sizeof RunningTest, "%s.%s", test.test_suite_name(), test.name());
  }
  void OnTestEnd(const testing::TestInfo&) override { RunningTest[0] = '\0'; }
};

bool IsDeathTestChild(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strstr(argv[i], "internal_run_death_test") != nullptr) return true;
  }
  return false;
}

// For the test of this main (tests/app/test_main_win32_test.cpp), which runs
// its program again with ZEB_TEST_MAIN_SELF_CHECK set: a test that ends as
// GoogleTest's death-test machinery ends when it fails.
class EndsWhileCaptured : public testing::Test {
  void TestBody() override {
    testing::internal::CaptureStderr();
    std::fprintf(stderr, "CHECK failed: what the machinery said\n");
    std::fflush(stderr);
    std::abort();
  }
};

}  // namespace

int main(int argc, char** argv) {
  // Looked at first: GoogleTest takes its flags out of the arguments.
  const bool deathTestChild = IsDeathTestChild(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  // A death test's child ends in the middle of its test on purpose.
  if (!deathTestChild) {
    DuplicateHandle(GetCurrentProcess(), GetStdHandle(STD_ERROR_HANDLE), GetCurrentProcess(), &StartError, 0, FALSE,
                    DUPLICATE_SAME_ACCESS);
    testing::UnitTest::GetInstance()->listeners().Append(new RunningTestListener);
    std::signal(SIGABRT, OnAbort);
    std::atexit(OnExit);
  }
  if (std::getenv("ZEB_TEST_MAIN_SELF_CHECK") != nullptr) {
    testing::RegisterTest("TestMainSelfCheck", "EndsWhileCaptured", nullptr, nullptr, __FILE__, __LINE__,
                          []() -> testing::Test* { return new EndsWhileCaptured; });
  }
  return RUN_ALL_TESTS();
}
