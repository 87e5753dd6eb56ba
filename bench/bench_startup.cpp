// Start-up of the real program: the release `zeb` started on a
// pseudo-terminal of 80 x 25 in a prepared directory (a zeb.ini of 4000 or
// 45,000 games and a mame.ini, so that no emulator runs), timed from the
// start of the child to the last byte of the first frame. The frame is
// complete when every cell of the 80 x 25 screen has been written since the
// screen was cleared, as a terminal would show it. The child's peak resident
// memory (VmHWM, read before it is ended), its CPU time and page faults to
// the frame and the bytes it wrote are counters.
// A third benchmark leaves the program idle for a second and counts the CPU
// time it used meanwhile.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <bitset>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "game_set.h"
#include "machines/machine_file.h"
#include "settings/settings.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int Width = 80;
constexpr int Height = 25;

// A directory with a zeb.ini of `games` games in the form a save writes, and
// a mame.ini. The 46 settings lines are the program's own defaults.
class PreparedDir : public bench::ScratchDir {
 public:
  explicit PreparedDir(int games) : ScratchDir("zeb-bench-start") {
    zeb::Settings settings;
    zeb::OptionCaptions captions;
    zeb::SetDefaultSettings(settings, captions);
    zeb::GameTable table;
    table.MameVersion = "0.251 (unknown)";
    zeb::SaveSettings(settings, table);

    std::ifstream in("zeb.ini", std::ios::binary);
    std::stringstream head;
    head << in.rdbuf();
    std::string text = head.str();
    text = std::to_string(games) + text.substr(text.find("\r\n"));
    for (const bench::GameData& game : bench::MakeGameSet(games, games * 26 / 45, 16)) {
      for (const std::string& field : {game.Name, game.Description, game.Parent, game.Category,
                                       std::string(game.Available ? "1" : "0"),
                                       game.Cheats ? std::to_string(game.Cheats) : std::string()}) {
        text += field;
        text += "\r\n";
      }
    }
    bench::WriteFile("zeb.ini", text);
    bench::WriteFile("mame.ini", "# written by the emulator\r\n");
  }
};

// The same directory with today's emulator's machine information: a
// zeb.ini of `games` games (the devices left out, as the information does)
// and a zeb-machines.txt that describes them and `devices` devices. The
// first game, which the first screen selects, is made by InfoMaker.
constexpr const char* InfoMaker = "Infomark Amusements";
class PreparedDirWithInformation : public PreparedDir {
 public:
  PreparedDirWithInformation(int games, int devices) : PreparedDir(games) {
    zeb::MachineFileWriter writer;
    writer.Begin("0.251 (unknown)");
    int number = 0;
    for (const bench::GameData& game : bench::MakeGameSet(games, games * 26 / 45, 16)) {
      zeb::MachineInfo machine;
      machine.Name = game.Name;
      machine.Description = game.Description;
      machine.Summary.Year = std::to_string(1975 + number % 35);
      // Makers of the lengths the emulator's list has: most within the 14
      // bytes a text holds in place, some longer.
      static const char* Makers[] = {"Sega", "Namco", "bootleg", "Konami", "Capcom", "Taito Corporation",
                                     "Data East Corporation", "Nintendo", "Atari", "Midway", "SNK",
                                     "Irem", "Williams", "IGS", "Sammy"};
      machine.Summary.Manufacturer = number == 0 ? InfoMaker : Makers[number % 15];
      machine.Summary.Status = zeb::DriverStatus::Good;
      machine.Summary.Players = 2;
      machine.CloneOf = game.Parent;
      machine.RomOf = game.Parent;
      zeb::RomFile rom;
      rom.Name = game.Name + ".p1";
      rom.Size = 2048;
      rom.Crc = static_cast<uint32_t>(number);
      rom.HasCrc = true;
      machine.Roms.push_back(rom);
      writer.Add(machine);
      ++number;
    }
    for (int device = 0; device < devices; ++device) {
      zeb::MachineInfo machine;
      machine.Name = "device" + std::to_string(100000 + device);
      machine.Summary.IsDevice = true;
      machine.Summary.Runnable = false;
      writer.Add(machine);
    }
    writer.Finish();
  }
};

// Follows what a terminal does with the bytes: the cursor, the clearing of
// the screen and which cells have been written since.
class FrameWatch {
 public:
  // True once every cell has been written since the last clear.
  bool Feed(std::string_view bytes) {
    for (char byte : bytes) Take(static_cast<unsigned char>(byte));
    return written_.all();
  }

 private:
  void Take(unsigned char c) {
    switch (state_) {
      case State::Text:
        if (c == 0x1b) {
          state_ = State::Escape;
        } else if (c == '\r') {
          column_ = 1;
        } else if (c == '\n') {
          ++row_;
        } else if (c >= 0x20 && !(c >= 0x80 && c < 0xC0)) {  // a character, not a continuation byte
          if (column_ >= 1 && column_ <= Width && row_ >= 1 && row_ <= Height) {
            written_.set(static_cast<std::size_t>((row_ - 1) * Width + column_ - 1));
          }
          if (column_ < Width) ++column_;  // no wrap at the right margin
        }
        break;
      case State::Escape:
        params_.clear();
        state_ = c == '[' ? State::Sequence : State::Text;
        break;
      case State::Sequence:
        if (c >= 0x40 && c <= 0x7e) {
          Finish(c);
          state_ = State::Text;
        } else {
          params_ += static_cast<char>(c);
        }
        break;
    }
  }

  std::vector<int> Numbers() const {
    std::vector<int> numbers{0};
    for (char c : params_) {
      if (c == ';') numbers.push_back(0);
      if (c >= '0' && c <= '9') numbers.back() = numbers.back() * 10 + (c - '0');
    }
    return numbers;
  }

  void Finish(unsigned char final) {
    if (!params_.empty() && params_[0] == '?') return;  // modes
    std::vector<int> n = Numbers();
    if (final == 'H') {
      row_ = n[0] > 0 ? n[0] : 1;
      column_ = n.size() > 1 && n[1] > 0 ? n[1] : 1;
    } else if (final == 'C') {
      column_ = std::min(Width, column_ + (n[0] > 0 ? n[0] : 1));
    } else if (final == 'J' && n[0] == 2) {
      written_.reset();
    }
  }

  enum class State { Text, Escape, Sequence };
  State state_ = State::Text;
  std::string params_;
  int column_ = 1;
  int row_ = 1;
  std::bitset<Width * Height> written_;
};

long ProcStatusKb(pid_t pid, std::string_view field) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.starts_with(field)) return std::strtol(line.c_str() + field.size(), nullptr, 10);
  }
  return -1;
}

// The time the process has run on a CPU so far, in seconds (the scheduler's
// count in nanoseconds: precise, and unlike the wall time not stretched
// by other work on the machine).
double RunSeconds(pid_t pid) {
  std::ifstream schedstat("/proc/" + std::to_string(pid) + "/schedstat");
  long long nanoseconds = -1;
  schedstat >> nanoseconds;
  return static_cast<double>(nanoseconds) / 1e9;
}

// Field `number` (counted from 1) of /proc/<pid>/stat, as a number.
long long StatField(pid_t pid, int number) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
  std::size_t close = text.rfind(')');
  if (close == std::string::npos) return -1;
  std::istringstream fields(text.substr(close + 2));
  std::string field;
  for (int i = 3; fields >> field; ++i) {
    if (i == number) return std::stoll(field);
  }
  return -1;
}

// User and system CPU time of the process, in clock ticks.
long long CpuTicks(pid_t pid) { return StatField(pid, 14) + StatField(pid, 15); }

// Page faults that the process has taken without reading a disk.
long long MinorFaults(pid_t pid) { return StatField(pid, 10); }

// One start of zeb in `dir`, up to its first full frame.
class Run {
 public:
  explicit Run(const std::string& dir) {
    winsize size{};
    size.ws_col = Width;
    size.ws_row = Height;
    start_ = Clock::now();
    pid_ = forkpty(&master_, nullptr, nullptr, &size);
    if (pid_ == 0) {
      if (chdir(dir.c_str()) != 0) _exit(126);
      setenv("LANG", "C.UTF-8", 1);
      setenv("TERM", "xterm-256color", 1);
      execl(ZEB_BINARY, "zeb", static_cast<char*>(nullptr));
      _exit(127);
    }
  }
  ~Run() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      Drain();
      int status = 0;
      waitpid(pid_, &status, 0);
    }
    if (master_ >= 0) close(master_);
  }

  // Reads until the first frame is complete; false when it does not come
  // within five seconds (the output so far is then in Output()).
  bool WaitForFrame() {
    if (pid_ < 0) return false;
    FrameWatch watch;
    Clock::time_point deadline = start_ + std::chrono::seconds(5);
    while (Clock::now() < deadline) {
      pollfd in{master_, POLLIN, 0};
      if (poll(&in, 1, 100) <= 0) continue;
      char bytes[65536];
      ssize_t count = read(master_, bytes, sizeof bytes);
      if (count <= 0) return false;
      std::string_view got(bytes, static_cast<std::size_t>(count));
      output_ += got;
      if (watch.Feed(got)) {
        frame_ = Clock::now();
        return true;
      }
    }
    return false;
  }

  // Writes input to the program, as the terminal would.
  void Send(std::string_view bytes) {
    ssize_t written = write(master_, bytes.data(), bytes.size());
    (void)written;
  }
  // Reads what the program writes for a while, so that it never blocks on
  // a full terminal.
  void ReadFor(std::chrono::milliseconds time) {
    Clock::time_point until = Clock::now() + time;
    while (Clock::now() < until) {
      pollfd in{master_, POLLIN, 0};
      if (poll(&in, 1, 10) <= 0) continue;
      char bytes[65536];
      if (read(master_, bytes, sizeof bytes) <= 0) return;
    }
  }

  // Reads on until the program has written `text` (after the first frame);
  // false when it does not within five seconds.
  bool WaitForText(std::string_view text) {
    Clock::time_point deadline = start_ + std::chrono::seconds(5);
    while (output_.find(text) == std::string::npos && Clock::now() < deadline) {
      pollfd in{master_, POLLIN, 0};
      if (poll(&in, 1, 100) <= 0) continue;
      char bytes[65536];
      ssize_t count = read(master_, bytes, sizeof bytes);
      if (count <= 0) return false;
      output_.append(bytes, static_cast<std::size_t>(count));
    }
    later_ = Clock::now();
    return output_.find(text) != std::string::npos;
  }

  double Seconds() const { return std::chrono::duration<double>(frame_ - start_).count(); }
  double LaterSeconds() const { return std::chrono::duration<double>(later_ - start_).count(); }
  pid_t Pid() const { return pid_; }
  const std::string& Output() const { return output_; }

 private:
  // Whatever the child still writes, until it has gone.
  void Drain() {
    for (int i = 0; i < 50; ++i) {
      pollfd in{master_, POLLIN, 0};
      if (poll(&in, 1, 100) <= 0) continue;
      char bytes[4096];
      if (read(master_, bytes, sizeof bytes) <= 0) return;
    }
  }

  int master_ = -1;
  pid_t pid_ = -1;
  Clock::time_point start_;
  Clock::time_point frame_;
  Clock::time_point later_;
  std::string output_;
};

PreparedDir& Dir(int games) {
  static PreparedDir small(4000);
  static PreparedDir large(45000);
  return games == 4000 ? small : large;
}

void BM_StartToFirstFrame(benchmark::State& state) {
  const PreparedDir& dir = Dir(static_cast<int>(state.range(0)));
  long peak = 0;
  double bytes = 0;
  double cpu = 0;
  double faults = 0;
  for (auto _ : state) {
    Run run(dir.Path());
    if (!run.WaitForFrame()) {
      state.SkipWithError(("no full frame; the program wrote: " + run.Output().substr(0, 300)).c_str());
      break;
    }
    state.SetIterationTime(run.Seconds());
    cpu += RunSeconds(run.Pid());
    faults += static_cast<double>(MinorFaults(run.Pid()));
    peak = std::max(peak, ProcStatusKb(run.Pid(), "VmHWM:"));
    bytes = static_cast<double>(run.Output().size());
  }
  state.counters["peak_rss_kb"] = static_cast<double>(peak);
  state.counters["output_bytes"] = bytes;
  // The child's own CPU time to its first frame, per start, in milliseconds.
  double starts = std::max(1.0, static_cast<double>(state.iterations()));
  state.counters["child_cpu_ms"] = cpu * 1000 / starts;
  state.counters["page_faults"] = faults / starts;
}
BENCHMARK(BM_StartToFirstFrame)->Arg(4000)->Arg(45000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(30);

// Debian's 0.251: 39,446 machines in the table, 5,848 devices in the
// information only. The manual time is to the first full frame; the
// counters say when the panel showed the information's rows, and the peak
// resident memory then.
void BM_StartWithInformation(benchmark::State& state) {
  static PreparedDirWithInformation dir(39446, 5848);

  long peak = 0;
  double information = 0;
  double cpu = 0;
  for (auto _ : state) {
    Run run(dir.Path());
    if (!run.WaitForFrame() || !run.WaitForText("Infomark")) {
      state.SkipWithError(("no frame with the information; the program wrote: " + run.Output().substr(0, 300)).c_str());
      break;
    }
    state.SetIterationTime(run.Seconds());
    information += run.LaterSeconds();
    cpu += RunSeconds(run.Pid());
    peak = std::max(peak, ProcStatusKb(run.Pid(), "VmHWM:"));
  }
  double starts = std::max(1.0, static_cast<double>(state.iterations()));
  state.counters["peak_rss_kb"] = static_cast<double>(peak);
  state.counters["information_shown_ms"] = information * 1000 / starts;
  state.counters["child_cpu_ms"] = cpu * 1000 / starts;
}
BENCHMARK(BM_StartWithInformation)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(30);

void BM_IdleCpu(benchmark::State& state) {
  const PreparedDir& dir = Dir(4000);
  double seconds = 0;
  for (auto _ : state) {
    Run run(dir.Path());
    if (!run.WaitForFrame()) {
      state.SkipWithError("no full frame");
      break;
    }
    long long before = CpuTicks(run.Pid());
    std::this_thread::sleep_for(std::chrono::seconds(1));
    long long after = CpuTicks(run.Pid());
    seconds = static_cast<double>(after - before) / static_cast<double>(sysconf(_SC_CLK_TCK));
  }
  state.counters["idle_cpu_s"] = seconds;
}
BENCHMARK(BM_IdleCpu)->Iterations(1)->Unit(benchmark::kMillisecond);

// The left button pressed on a row of the games list and held there, with
// no motion: the CPU ticks the program takes over 1.5 s (the press selects
// the row, then nothing changes until the release).
void BM_HeldButtonCpu(benchmark::State& state) {
  const PreparedDir& dir = Dir(4000);
  long long ticks = 0;
  for (auto _ : state) {
    Run run(dir.Path());
    if (!run.WaitForFrame()) {
      state.SkipWithError("no full frame");
      break;
    }
    run.Send("\x1b[<0;10;8M");  // pressed on the fifth row of the list
    run.ReadFor(std::chrono::milliseconds(200));
    long long before = CpuTicks(run.Pid());
    run.ReadFor(std::chrono::milliseconds(1500));
    ticks = CpuTicks(run.Pid()) - before;
    run.Send("\x1b[<0;10;8m");
  }
  state.counters["held_cpu_ticks"] = static_cast<double>(ticks);
}
BENCHMARK(BM_HeldButtonCpu)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
