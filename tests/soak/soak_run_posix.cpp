#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <utility>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#include <sanitizer/lsan_interface.h>
#endif

#include "app/startup.h"
#include "console/virtual_terminal.h"
#include "console/colours.h"
#include "console/terminal_posix.h"
#include "console/terminal_signals_posix.h"
#include "settings/settings.h"
#include "soak/soak_events.h"
#include "soak/soak_invariants.h"
#include "soak/soak_run.h"
#include "storage/file_system.h"
#include "support/temp_dir.h"
#include "ui/frame.h"
#include "ui/main_loop.h"

namespace zeb::soak {

namespace {

using Clock = std::chrono::steady_clock;

// The last events, kept where a signal handler or the sanitizers' last words
// can write them out without taking memory.
class EventRing {
 public:
  static constexpr int Slots = 48;
  static constexpr std::size_t SlotBytes = 160;

  void Add(const std::string& text) {
    const auto slot = static_cast<std::size_t>(next_ % Slots);
    std::size_t length = std::min(text.size(), SlotBytes - 1);
    std::memcpy(slots_[slot], text.data(), length);
    slots_[slot][length] = '\n';
    lengths_[slot] = length + 1;
    ++next_;
  }
  // Async-signal-safe.
  void WriteTo(int fd) const {
    for (long i = next_ > Slots ? next_ - Slots : 0; i < next_; ++i) {
      const auto slot = static_cast<std::size_t>(i % Slots);
      ssize_t ignored = write(fd, slots_[slot], lengths_[slot]);
      (void)ignored;
    }
  }

 private:
  char slots_[Slots][SlotBytes] = {};
  std::size_t lengths_[Slots] = {};
  long next_ = 0;
};

// What the child process of a seed keeps for its last words.
struct SeedState {
  EventRing Ring;
  char Setup[256] = {};
  int ReportFd = -1;
  volatile long Events = 0;
  // What the program did: games run, saves checked, starts.
  volatile long Launches = 0;
  volatile long Saves = 0;
  volatile long Starts = 0;
  volatile sig_atomic_t Finished = 0;
};
SeedState* Seed = nullptr;

void WriteText(int fd, const char* text) {
  ssize_t ignored = write(fd, text, std::strlen(text));
  (void)ignored;
}

void WriteNumber(int fd, long number) {
  char digits[24];
  int n = sizeof digits;
  do {
    digits[--n] = static_cast<char>('0' + number % 10);
    number /= 10;
  } while (number > 0 && n > 0);
  ssize_t ignored = write(fd, digits + n, sizeof digits - static_cast<std::size_t>(n));
  (void)ignored;
}

void WriteEventCount() {
  const int fd = Seed->ReportFd;
  WriteText(fd, "EVENTS ");
  WriteNumber(fd, Seed->Events);
  WriteText(fd, " ");
  WriteNumber(fd, Seed->Launches);
  WriteText(fd, " ");
  WriteNumber(fd, Seed->Saves);
  WriteText(fd, " ");
  WriteNumber(fd, Seed->Starts);
  WriteText(fd, "\n");
}

// Async-signal-safe: what went wrong, the seed's set-up and its last events.
void LastWords(const char* what) {
  if (Seed == nullptr || Seed->Finished) return;
  Seed->Finished = 1;
  const int fd = Seed->ReportFd;
  WriteText(fd, what);
  WriteText(fd, "\nset-up: ");
  WriteText(fd, Seed->Setup);
  WriteText(fd, "\nthe last events (#event, then what the program did):\n");
  Seed->Ring.WriteTo(fd);
  WriteEventCount();
}

void OnAlarm(int) {
  LastWords("the run did not end in time: the program hangs");
  _exit(3);
}
void OnExit() { LastWords("the program ended the process (its message is above)"); }
#if defined(__SANITIZE_ADDRESS__)
void OnSanitizerDeath() { LastWords("a sanitizer stopped the program (its report is above)"); }
#endif

// The events of the seed are spent: the run is over.
struct RunOver {};

// A pseudo-terminal whose other side is read all the time, so that the
// program never blocks on a full terminal, into a model of the terminal:
// what the user sees.
class Pty {
 public:
  Pty() {
    winsize size{};
    size.ws_col = 80;
    size.ws_row = 25;
    if (openpty(&master_, &slave_, nullptr, nullptr, &size) != 0 || pipe(stop_) != 0) {
      throw std::runtime_error("no pseudo-terminal");
    }
    for (int fd : {master_, slave_, stop_[0], stop_[1]}) fcntl(fd, F_SETFD, FD_CLOEXEC);
    tcgetattr(slave_, &original_);
    reader_ = std::thread([this] { Drain(); });
  }
  ~Pty() {
    ssize_t ignored = write(stop_[1], "x", 1);
    (void)ignored;
    reader_.join();
    for (int fd : {master_, slave_, stop_[0], stop_[1]}) close(fd);
  }
  Pty(const Pty&) = delete;
  Pty& operator=(const Pty&) = delete;

  int Slave() const { return slave_; }
  const termios& Original() const { return original_; }
  termios Mode() const {
    termios mode{};
    tcgetattr(slave_, &mode);
    return mode;
  }
  void Resize(int width, int height) {
    winsize size{};
    size.ws_col = static_cast<unsigned short>(width);
    size.ws_row = static_cast<unsigned short>(height);
    ioctl(master_, TIOCSWINSZ, &size);
  }
  // The terminal's size.
  void Size(int& width, int& height) const {
    winsize size{};
    ioctl(master_, TIOCGWINSZ, &size);
    width = size.ws_col;
    height = size.ws_row;
  }
  // Waits until the terminal has shown everything written to it so far,
  // then calls `look` with it and whether anything came since the last
  // look.
  template <typename Look>
  void Shown(Look look) {
    std::unique_lock<std::mutex> lock(mutex_);
    const long wanted = markersSent_ + 1;
    lock.unlock();
    ssize_t ignored = write(slave_, Marker.data(), Marker.size());
    (void)ignored;
    lock.lock();
    markersSent_ = wanted;
    if (!shown_.wait_for(lock, std::chrono::seconds(30), [&] { return markersSeen_ >= wanted; })) {
      throw std::runtime_error("the terminal never showed what was written to it");
    }
    look(static_cast<const VirtualTerminal&>(*terminal_), written_);
    written_ = false;
  }
  // Types the bytes and waits until the program's side has them all: what
  // the program reads next does not depend on the machine's speed.
  void Send(const std::string& bytes) {
    const int before = Pending();
    std::string_view rest = bytes;
    while (!rest.empty()) {
      ssize_t written = write(master_, rest.data(), rest.size());
      if (written < 0 && errno != EINTR) throw std::runtime_error("cannot type into the pseudo-terminal");
      if (written > 0) rest.remove_prefix(static_cast<std::size_t>(written));
    }
    const auto deadline = Clock::now() + std::chrono::seconds(30);
    while (Pending() < before + static_cast<int>(bytes.size())) {
      if (Clock::now() > deadline) throw std::runtime_error("typed bytes never reached the program");
      std::this_thread::yield();
    }
  }

 private:
  int Pending() const {
    int count = 0;
    ioctl(slave_, FIONREAD, &count);
    return count;
  }
  void Drain() {
    char bytes[16384];
    for (;;) {
      pollfd waits[2] = {{master_, POLLIN, 0}, {stop_[0], POLLIN, 0}};
      if (poll(waits, 2, -1) < 0 && errno != EINTR) return;
      if (waits[1].revents != 0) return;
      if (waits[0].revents == 0) continue;
      ssize_t count = read(master_, bytes, sizeof bytes);
      if (count < 0 && errno != EINTR && errno != EAGAIN) return;
      if (count <= 0) continue;
      // What came before a marker is shown whole: no sequence is cut.
      std::lock_guard<std::mutex> lock(mutex_);
      unshown_.append(bytes, static_cast<std::size_t>(count));
      for (std::size_t at; (at = unshown_.find(Marker)) != std::string::npos;) {
        terminal_->Apply(std::string_view(unshown_).substr(0, at));
        written_ = written_ || at > 0;
        unshown_.erase(0, at + Marker.size());
        ++markersSeen_;
        shown_.notify_all();
      }
    }
  }

  // Written after what the program wrote; the reader takes it out.
  static constexpr std::string_view Marker = "\x1b_zeb-soak\x1b\\";

  int master_ = -1;
  int slave_ = -1;
  int stop_[2] = {-1, -1};
  termios original_{};
  std::mutex mutex_;
  std::condition_variable shown_;
  std::unique_ptr<VirtualTerminal> terminal_ = std::make_unique<VirtualTerminal>();
  std::string unshown_;
  long markersSent_ = 0;
  long markersSeen_ = 0;
  bool written_ = false;
  std::thread reader_;
};

// What the terminal shows against what the program holds: the same cells
// and cursor, our modes (when `running`), or the terminal as it was.
std::string CompareTerminal(const VirtualTerminal& terminal, const ScreenModel& model, bool running) {
  if (!terminal.Errors.empty()) return "the terminal got what it does not understand: " + terminal.Errors;
  if (!running) {
    if (terminal.AlternateScreen || terminal.MouseReporting || !terminal.CursorVisible) {
      return "the terminal was not given back: alternate screen, mouse reporting or cursor hidden";
    }
    return "";
  }
  if (!terminal.AlternateScreen || !terminal.MouseReporting) return "the terminal is out of the program's modes";
  std::string wrong = terminal.Compare(model);
  if (!wrong.empty()) return "the terminal shows another screen than the program holds, at " + wrong;
  if (terminal.CursorVisible != model.CursorVisible) return "the terminal's cursor is shown or hidden wrongly";
  if (model.CursorVisible && (terminal.Column != model.CursorColumn || terminal.Row != model.CursorRow)) {
    return "the terminal's cursor is at (" + std::to_string(terminal.Column) + "," + std::to_string(terminal.Row) +
           "), the program's at (" + std::to_string(model.CursorColumn) + "," + std::to_string(model.CursorRow) + ")";
  }
  return "";
}

// Hands the seed's events to the terminal whenever the program waits for
// input, and lets go of a held button after its passes.
class Driver {
 public:
  Driver(uint64_t seed, long limit, Pty& pty, std::vector<std::string> drivers)
      : events_(seed), edits_(seed ^ 0xED17ULL), limit_(limit), pty_(pty), drivers_(std::move(drivers)) {}

  // The program waits for input: the next event that brings some.
  void Feed() {
    passesWithoutInput_ = 0;
    bool held = holdPasses_ > 0;
    // A button held in vain is let go, or the pointer moves, or another
    // event comes meanwhile.
    const int roll = held ? events_.Pick(100) : 100;
    if (roll < 60) {
      LetGo();
      return;
    }
    for (;;) {
      if (Seed->Events >= limit_) throw RunOver{};
      SoakEvent event = roll < 85 ? events_.Drag() : events_.Next();
      Seed->Events = Seed->Events + 1;
      Seed->Ring.Add("#" + std::to_string(Seed->Events) + " " + event.Text);
      if (event.Archive >= 0) {
        ToggleArchive(event.Archive);
        continue;  // nothing for the program to read
      }
      if (event.Bytes.empty()) {
        pty_.Resize(event.Width, event.Height);
        raise(SIGWINCH);
        return;
      }
      pty_.Send(event.Bytes);
      if (event.HoldPasses > 0) {
        holdPasses_ = event.HoldPasses;
        release_ = event.Release;
      }
      return;
    }
  }

  // Before a start: now and then the user edits a few settings in zeb.ini
  // by hand: any number, or a path or name that leads nowhere.
  void MaybeEditSettings() {
    if (!FileExists(SettingsFileName) || edits_.Below(100) >= 30) return;
    std::vector<std::string> lines;
    {
      std::ifstream in(SettingsFileName, std::ios::binary);
      for (std::string line; std::getline(in, line);) lines.push_back(line);
    }
    if (lines.size() < SettingsLineCount) return;
    const int edits = 1 + edits_.Below(3);
    for (int i = 0; i < edits; ++i) {
      const int n = edits_.Below(SettingsLineCount);
      const SettingsLine& setting = SettingsLines[n];
      std::string value;
      if (setting.Integer != nullptr) value = std::to_string(edits_.Below(40) - 5);
      if (setting.Real != nullptr) {
        static constexpr const char* Reals[] = {"-1", "0", "0.05", "1.33", "7.5", "100", "1E+300"};
        value = Reals[edits_.Below(7)];
      }
      if (setting.Text != nullptr) {
        // Paths and names that lead the emulator, the scan and the launch
        // nowhere, or back.
        static constexpr const char* Texts[] = {"", "roms", "nowhere", "roms;nowhere", "mame.exe", "missing.exe"};
        value = Texts[edits_.Below(6)];
      }
      if (setting.Integer == nullptr && setting.Real == nullptr && setting.Text == nullptr) continue;
      lines[static_cast<std::size_t>(n)] = value + "\r";
      Seed->Ring.Add(std::string("   (zeb.ini edited by hand: ") + setting.Field + " " + value + ")");
    }
    std::ofstream out(SettingsFileName, std::ios::binary | std::ios::trunc);
    for (const std::string& line : lines) out << line << "\n";
  }

  void BetweenPasses() {
    ++passesWithoutInput_;
    if (holdPasses_ > 0 && --holdPasses_ == 0) LetGo();
  }
  long PassesWithoutInput() const { return passesWithoutInput_; }

 private:
  void ToggleArchive(int game) {
    if (drivers_.empty()) return;
    const std::string archive = "roms/" + drivers_[static_cast<std::size_t>(game) % drivers_.size()] + ".zip";
    std::error_code ignored;
    if (!std::filesystem::remove(archive, ignored)) testing_support::Touch(archive);
  }

  void LetGo() {
    holdPasses_ = 0;
    pty_.Send(release_);
    Seed->Ring.Add("   (released)");
  }

  SoakEvents events_;
  SoakRandom edits_;  // a stream of its own: the events stay as they were
  long limit_;
  Pty& pty_;
  std::vector<std::string> drivers_;
  int holdPasses_ = 0;
  std::string release_;
  long passesWithoutInput_ = 0;
};

// The user's terminal, but waiting for input means the next event of the
// seed, and the program's pauses take no time.
class SoakTerminal final : public TerminalBackend {
 public:
  SoakTerminal(Pty& pty, Driver& driver) : TerminalBackend(pty.Slave(), pty.Slave()), driver_(driver) {}
  void WaitInput() override {
    driver_.Feed();
    TerminalBackend::WaitInput();
  }
  void Sleep(int) override {}
  void Suspend(const ScreenModel& screen) override {
    Seed->Ring.Add("   (the emulator runs)");
    Seed->Launches = Seed->Launches + 1;
    TerminalBackend::Suspend(screen);
  }

 private:
  Driver& driver_;
};

// zeb.ini as last written: a save writes a new file and renames it.
struct SavedStamp {
  ino_t Inode = 0;
  off_t Size = 0;
  long long Modified = 0;
  bool operator==(const SavedStamp&) const = default;
};
SavedStamp Stamp() {
  struct stat info {};
  if (stat(SettingsFileName, &info) != 0) return {};
  return {info.st_ino, info.st_size, info.st_mtim.tv_sec * 1000000000LL + info.st_mtim.tv_nsec};
}

// The screen's rows, each byte outside printable ASCII shown as "#".
std::string ScreenText(const ScreenModel& screen) {
  std::string text;
  for (const auto& row : screen.Cells) {
    for (const Cell& cell : row) text += cell.Char >= 32 && cell.Char < 127 ? static_cast<char>(cell.Char) : '#';
    text += '\n';
  }
  return text;
}

// The program from its start to its end, again and again, as Main runs it;
// "" until the events are spent (RunOver), or what went wrong.
std::string RunProgram(Driver& driver, Pty& pty) {
  for (;;) {
    driver.MaybeEditSettings();
    SoakTerminal terminal(pty, driver);
    if (!terminal.Start()) return "the terminal could not be taken";
    InstallTerminalSignals(pty.Slave(), pty.Slave(), terminal.OriginalMode(), terminal.RawMode());
    Console console;
    console.Attach(&terminal, true);
    console.EnableMouse();
    auto session = std::make_unique<Session>(console);
    console.HideCursor();
    StartSession(*session);
    Seed->Starts = Seed->Starts + 1;
    SavedStamp saved = Stamp();
    ScreenModel compared;  // the screen as the terminal showed it at the last look
    for (;;) {
      driver.BetweenPasses();
      if (!MainLoopPass(*session)) break;
      std::string wrong = CheckSession(*session);
      if (wrong.empty() && !(Stamp() == saved)) {
        saved = Stamp();
        Seed->Saves = Seed->Saves + 1;
        wrong = CheckSavedSettings(*session);
      }
      if (wrong.empty() && driver.PassesWithoutInput() > 1000) wrong = "the main loop runs on without waiting";
      int width = 0;
      int height = 0;
      pty.Size(width, height);
      if (wrong.empty() && width >= ScreenWidth && height >= ScreenHeight) {
        // What the program shows before it waits next, when it wrote
        // anything or its screen changed since the last look.
        terminal.Present(console.Screen);
        pty.Shown([&](const VirtualTerminal& shown, bool written) {
          if (!written && SameScreen(console.Screen, compared)) return;
          wrong = CompareTerminal(shown, console.Screen, true);
          compared = console.Screen;
        });
      }
      if (!wrong.empty()) return wrong + "\nthe screen:\n" + ScreenText(console.Screen);
    }
    console.SetColours(LightGrey, Black);
    console.ClearScreen();
    console.ShowCursor();
    console.Restore();
    termios mode = pty.Mode();
    if (mode.c_lflag != pty.Original().c_lflag || mode.c_iflag != pty.Original().c_iflag) {
      return "the terminal was not given back in its own mode";
    }
    std::string wrong;
    pty.Shown([&](const VirtualTerminal& shown, bool) { wrong = CompareTerminal(shown, console.Screen, false); });
    if (!wrong.empty()) return wrong;
    Seed->Ring.Add("   (the program ended; it starts again on zeb.ini)");
  }
}

void Run(const std::string& command) {
  if (std::system(command.c_str()) != 0) throw std::runtime_error(command + " failed");
}

// The emulator's directory of the seed: the stand-in as mame.exe, classic
// or today's, its lists, the ROM archives of some of its games, and the
// viewer's files (some missing, one sometimes longer than the viewer holds).
// Returns the driver names of the emulator's list.
std::vector<std::string> PrepareDirectory(uint64_t seed) {
  SoakRandom random(seed ^ 0x5EEDF00DULL);
  const bool modern = random.Chance(50);
  static constexpr const char* Machines[] = {"0", "200", "3000", "3000", "20000"};
  const char* machines = Machines[random.Below(5)];
  setenv("XEM_MODERN", modern ? "1" : "0", 1);
  setenv("XEM_MACHINES", machines, 1);
  std::filesystem::copy_file(ZEB_STANDIN, "mame.exe");
  Run("./mame.exe -? >ver.txt && ./mame.exe -listfull >listfull.txt && ./mame.exe -listclones >listclones.txt");

  static constexpr int Shares[] = {0, 20, 60, 100};
  const int share = Shares[random.Below(4)];
  std::ifstream list("listfull.txt");
  std::string line;
  std::getline(list, line);  // the heading
  std::filesystem::create_directory("roms");
  std::vector<std::string> drivers;
  while (std::getline(list, line)) {
    std::string driver = line.substr(0, line.find(' '));
    if (driver.empty()) continue;
    drivers.push_back(driver);
    if (random.Chance(share)) testing_support::Touch("roms/" + driver + ".zip");
  }

  std::string viewerFiles;
  for (const auto& entry : std::filesystem::directory_iterator(std::string(ZEB_SOURCE_DIR) + "/demo")) {
    if (!entry.is_regular_file() || random.Chance(20)) continue;
    std::filesystem::copy_file(entry.path(), entry.path().filename());
    viewerFiles += " " + entry.path().filename().string();
  }
  const bool longFile = random.Chance(30);
  if (longFile) {
    std::ofstream out("gamelist.txt", std::ios::binary | std::ios::trunc);
    const int lines = 4990 + random.Below(30);
    for (int i = 0; i < lines; ++i) out << std::string(static_cast<std::size_t>(random.Below(300)), 'a' + i % 26) << "\r\n";
  }
  std::snprintf(Seed->Setup, sizeof Seed->Setup, "%s%s, %d%% of the archives,%s%s",
                modern ? "today's emulator with generated machines: " : "the classic emulator",
                modern ? machines : "", share, viewerFiles.c_str(),
                longFile ? ", a gamelist.txt of about 5000 lines" : "");
  return drivers;
}

[[noreturn]] void SeedChild(uint64_t seed, long events, int timeoutSeconds, int reportFd, const std::string& base) {
  static SeedState state;
  Seed = &state;
  state.ReportFd = reportFd;
  // The program's messages and the sanitizers' reports go to the report.
  dup2(reportFd, STDERR_FILENO);
  signal(SIGALRM, OnAlarm);
  alarm(static_cast<unsigned>(timeoutSeconds));
  std::atexit(OnExit);
#if defined(__SANITIZE_ADDRESS__)
  __sanitizer_set_death_callback(OnSanitizerDeath);
#endif
  std::string wrong;
  try {
    testing_support::TempDir dir(testing_support::TempDir::Enter, base);
    std::vector<std::string> drivers = PrepareDirectory(seed);
    Pty pty;
    // The emulator writes to the terminal, as it does for the user.
    const int output = dup(STDOUT_FILENO);
    dup2(pty.Slave(), STDOUT_FILENO);
    Driver driver(seed, events, pty, std::move(drivers));
    try {
      wrong = RunProgram(driver, pty);
    } catch (const RunOver&) {
    }
    dup2(output, STDOUT_FILENO);
    close(output);
  } catch (const std::exception& error) {
    wrong = std::string("the soak itself failed: ") + error.what();
  }
#if defined(__SANITIZE_ADDRESS__)
  if (wrong.empty() && __lsan_do_recoverable_leak_check() != 0) wrong = "memory leaked (the report is above)";
#endif
  if (wrong.empty()) {
    Seed->Finished = 1;
    WriteText(reportFd, "OK\n");
    WriteEventCount();
  } else {
    LastWords(wrong.c_str());
  }
  _exit(wrong.empty() ? 0 : 1);
}

}  // namespace

SeedResult RunSeed(uint64_t seed, long events, int timeoutSeconds) {
  testing_support::TempDir base(testing_support::TempDir::Stay);
  int report[2];
  SeedResult result;
  result.Report = "the seed could not be started";
  if (pipe(report) != 0) return result;
  std::fflush(nullptr);
  pid_t child = fork();
  if (child < 0) return result;
  if (child == 0) {
    close(report[0]);
    SeedChild(seed, events, timeoutSeconds, report[1], base.Path());
  }
  close(report[1]);
  std::string text;
  const auto deadline = Clock::now() + std::chrono::seconds(timeoutSeconds + 60);
  for (;;) {
    pollfd in{report[0], POLLIN, 0};
    if (poll(&in, 1, 1000) > 0) {
      char bytes[4096];
      ssize_t count = read(report[0], bytes, sizeof bytes);
      if (count == 0) break;
      if (count > 0) text.append(bytes, static_cast<std::size_t>(count));
    }
    if (Clock::now() > deadline) {
      kill(child, SIGKILL);
      text += "the run was killed: it did not end in time\n";
      break;
    }
  }
  close(report[0]);
  int status = 0;
  waitpid(child, &status, 0);

  result.Report.clear();
  const std::size_t count = text.rfind("EVENTS ");
  if (count != std::string::npos) {
    std::sscanf(text.c_str() + count, "EVENTS %ld %ld %ld %ld", &result.Events, &result.Launches, &result.Saves,
                &result.Starts);
    text.erase(count);
  }
  // The emulator's own messages may come before the verdict.
  result.Passed = WIFEXITED(status) && WEXITSTATUS(status) == 0 && text.size() >= 3 &&
                  text.compare(text.size() - 3, 3, "OK\n") == 0;
  if (!result.Passed) {
    if (WIFSIGNALED(status)) text += "(ended by signal " + std::to_string(WTERMSIG(status)) + ")\n";
    result.Report = text;
  }
  return result;
}

}  // namespace zeb::soak
