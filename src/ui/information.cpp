#include "ui/information.h"

#include <algorithm>
#include <chrono>
#include <vector>

#include "audit/game_table_audit.h"
#include "console/colours.h"
#include "console/keys.h"
#include "emulator/known_options.h"
#include "emulator/output_stream.h"
#include "machines/machine_file.h"
#include "machines/machine_file_maker.h"
#include "storage/numbers.h"

namespace zeb {

namespace {

int64_t NowMilliseconds() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

constexpr int BarCells = 30;

}  // namespace

ProgressBar::ProgressBar(Console& console, int row, std::string_view what, int64_t total, int delayMilliseconds)
    : console_(console), row_(row), what_(what), total_(total), startedAt_(NowMilliseconds()), delay_(delayMilliseconds) {}

bool ProgressBar::Update(int64_t done) {
  bool stop = false;
  KeyPress key;
  while (console_.TakeKey(key)) stop = stop || key.IsCharacter(Key::Esc);
  if (stop) return false;
  if (NowMilliseconds() - startedAt_ < delay_) return true;
  const int64_t total = std::max<int64_t>(total_, 1);
  const int filled = static_cast<int>(std::clamp<int64_t>(done * BarCells / total, 0, BarCells));
  std::string bar(static_cast<std::size_t>(filled), '\xDB');
  bar.append(static_cast<std::size_t>(BarCells - filled), '\xB1');
  std::string text(1, ' ');
  text.append(IntText(done).View()).append(" of ").append(IntText(total_).View());
  text.append(1, ' ').append(what_).append(", Esc stops");
  text.resize(static_cast<std::size_t>(ScreenWidth - BarCells), ' ');
  console_.PutText(bar, {1, row_}, {LightGreen, Black});
  console_.PutText(text, {BarCells + 1, row_}, {White, Black});
  console_.Show();
  return true;
}

InformationRun MakeMachineInformation(Console& console, const ProgramFile& emulator, int64_t expected, int row) {
  InformationRun made;
  if (emulator.Path.empty()) return made;
  MachineFileMaker maker;
  ProgressBar bar(console, row, "machines read", expected);
  bool stopped = false;
  bool faulty = false;  // the list, or the file made of it, went wrong: the emulator is ended
  const StreamRun run = RunStreaming(emulator, {emulator.Name, "-listxml"}, [&](std::string_view chunk) {
    faulty = !maker.Feed(chunk);
    if (faulty) return false;
    stopped = !bar.Update(maker.MachinesRead());
    return !stopped;
  });
  if (!run.Started) return made;
  if (faulty) {
    maker.Abandon();
    made.Outcome = InformationMade::Failed;
    made.Reason = maker.Error();
    return made;
  }
  if (stopped) {
    maker.Abandon();
    made.Outcome = InformationMade::Stopped;
    return made;
  }
  // The classic emulator refuses the option and writes no list.
  if (maker.BytesRead() == 0 && (run.ExitStatus != 0 || run.Signal != 0)) {
    maker.Abandon();
    return made;
  }
  if (run.ExitStatus != 0 || run.Signal != 0) {
    maker.Abandon();
    made.Outcome = InformationMade::Failed;
    made.Reason = run.Signal != 0 ? "the emulator was ended by signal " + std::to_string(run.Signal)
                                  : "the emulator ended with status " + std::to_string(run.ExitStatus);
    return made;
  }
  if (!maker.Finish()) {
    made.Outcome = InformationMade::Failed;
    made.Reason = maker.Error();
    return made;
  }
  made.Outcome = InformationMade::Made;
  return made;
}

std::string EmulatorVersion(const ProgramFile& emulator) {
  if (emulator.Path.empty()) return {};
  const OutputRun run = RunForOutput(emulator, {emulator.Name, "-version"}, ShowUsageMilliseconds);
  if (!run.Started || run.TimedOut || run.ExitStatus != 0) return {};
  std::string version = run.Output.substr(0, run.Output.find_first_of("\r\n"));
  while (!version.empty() && version.back() == ' ') version.pop_back();
  if (version.size() > 255) return {};
  return version;
}

Judgement JudgeWithInformation(Console& console, GameTable& games, GameMachines& machines, const Settings& settings,
                               std::unordered_map<std::string, std::string>& reasons, int row, std::string& problem) {
  std::vector<MachineInfo> all;
  const MachineFileState state = ReadMachineFile(all);
  if (!state.Trusted()) {
    if (state.Problem != MachineFileProblem::Missing) problem = state.Reason;
    return Judgement::WithoutInformation;
  }
  ProgressBar bar(console, row, "machines judged", static_cast<int64_t>(all.size()), 500);
  TableAudit audit = AuditGameTable(games, all, settings, [&bar](std::size_t judged, std::size_t) {
    return bar.Update(static_cast<int64_t>(judged));
  });
  if (audit.Stopped) return Judgement::Stopped;
  std::vector<NamedSummary> summaries;
  summaries.reserve(all.size());
  for (MachineInfo& machine : all) summaries.push_back(NamedSummary{std::move(machine.Name), machine.Summary, {}, {}});
  machines = JoinGameMachines(games, summaries);
  LeaveOutNonGames(games, machines);
  reasons = std::move(audit.Reasons);
  return Judgement::Judged;
}

}  // namespace zeb
