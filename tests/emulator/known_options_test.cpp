// The options today's emulator lists with -showusage, and the command line
// made to suit them; the classic emulator's command line stays as it is.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "emulator/known_options.h"
#include "emulator/launch.h"
#include "emulator/option_names.h"
#include "launch_fixture.h"
#include "support/temp_dir.h"

namespace zeb {
namespace {

using launch_testing::InstallStandIn;
using launch_testing::LaunchLog;
using testing_support::ScopedEnvironment;

constexpr const char* Emulator = "mame.exe";

class KnownOptionsTest : public ::testing::Test {
 protected:
  void SetUp() override { InstallStandIn(Emulator); }

  static ProgramFile Standin() { return ResolveProgram(Emulator, false); }
  static KnownOptions Modern() {
    ScopedEnvironment modern("XEM_MODERN", "1");
    return AskEmulatorOptions(Standin());
  }

  testing_support::TempDir dir;
  ScopedEnvironment classic{"XEM_MODERN", std::nullopt};
};

// Slots of the builder's own texts ("-fs 2 ").
std::vector<SlotWords> SlotsOf(const std::vector<std::string>& texts) {
  std::vector<SlotWords> slots;
  for (const std::string& text : texts) slots.push_back(SlotWordsOf(text));
  return slots;
}

// Each slot's text as the command line lays it out ("" for an empty one).
std::vector<std::string> Texts(const std::vector<SlotWords>& slots) {
  std::vector<std::string> texts;
  for (const SlotWords& slot : slots) texts.push_back(CommandWordsText(slot));
  return texts;
}

// The command line's words as the builder joins its slots.
std::vector<CommandWord> Joined(const std::vector<SlotWords>& slots) {
  std::vector<CommandWord> words;
  for (const SlotWords& slot : slots) AppendSlot(slot, words);
  return words;
}

// The program's argument vector for the stand-in: its name, the driver,
// the words.
std::vector<std::string> Arguments(const std::vector<SlotWords>& slots) {
  std::vector<std::string> arguments{Emulator, "astrobee"};
  for (const CommandWord& word : Joined(slots)) arguments.push_back(word.Text);
  return arguments;
}

std::string Lines(int count, const std::string& end = "\n") {
  std::string text = "Usage:  emu [machine] [options]" + end + end + "Options:" + end;
  for (int i = 0; i < count; ++i) text += "-option" + std::to_string(i) + "         does " + std::to_string(i) + end;
  return text;
}

TEST_F(KnownOptionsTest, OnlyAListOfTwentyOptionsEndingWellIsTrusted) {
  KnownOptions twenty = ParseShowUsage(Lines(20), 0);
  EXPECT_TRUE(twenty.Trusted);
  EXPECT_TRUE(twenty.Lists("option0"));
  EXPECT_TRUE(twenty.Lists("option19"));
  EXPECT_FALSE(twenty.Lists("option20"));
  EXPECT_FALSE(twenty.Lists("Options"));
  EXPECT_TRUE(ParseShowUsage(Lines(20, "\r\n"), 0).Lists("option7"));

  EXPECT_FALSE(ParseShowUsage(Lines(19), 0).Trusted);
  EXPECT_FALSE(ParseShowUsage(Lines(300), 1).Trusted);
  EXPECT_FALSE(ParseShowUsage(Lines(300), -1).Lists("option1"));
  EXPECT_FALSE(ParseShowUsage("", 0).Trusted);

  // An option line: "-", a name of letters, digits and "_", then a blank,
  // a tab or the end of the line.
  std::string text =
      Lines(18) + "-last_1\tends here\n-bare\n -indented x\n--double x\n-a-b x\n-x:y z\n-\n# -c x\n-tail";
  KnownOptions parsed = ParseShowUsage(text, 0);
  EXPECT_TRUE(parsed.Trusted);
  EXPECT_TRUE(parsed.Lists("last_1"));
  EXPECT_TRUE(parsed.Lists("bare"));
  EXPECT_TRUE(parsed.Lists("tail"));
  for (const char* name : {"indented", "-double", "double", "a", "a-b", "x", "x:y", "", "c"}) {
    EXPECT_FALSE(parsed.Lists(name)) << name;
  }
  EXPECT_EQ(parsed.Names.size(), 21u);
}

TEST_F(KnownOptionsTest, TheEmulatorAnswersAsItsGenerationDoes) {
  // The classic emulator refuses the question as it refuses any option it
  // does not know: no answer, and no game launched.
  KnownOptions classicAnswer = AskEmulatorOptions(Standin());
  EXPECT_FALSE(classicAnswer.Trusted);
  EXPECT_TRUE(classicAnswer.Names.empty());
  EXPECT_EQ(LaunchLog(), "");

  KnownOptions modern = Modern();
  EXPECT_TRUE(modern.Trusted);
  for (const char* name : {"window", "cheat", "rompath", "sound", "brightness", "beam_width_min", "beam_width_max",
                           "frameskip", "showusage", "createconfig"}) {
    EXPECT_TRUE(modern.Lists(name)) << name;
  }
  for (const char* name : {"sl", "noaa", "fsb", "beam", "nosound", "sortdriver", "rp", "w"}) {
    EXPECT_FALSE(modern.Lists(name)) << name;
  }
  EXPECT_GE(modern.Names.size(), 40u);
  EXPECT_EQ(LaunchLog(), "");  // no launch

  // A program that cannot start gives no answer.
  EXPECT_FALSE(AskEmulatorOptions(ResolveProgram("nothing.exe", false)).Trusted);
}

TEST_F(KnownOptionsTest, TodaysEmulatorGetsTheSettingsUnderItsNamesAndNothingItRefuses) {
  const KnownOptions modern = Modern();
  // Windowed display, scanlines, sound off, anti-alias off, cheats,
  // brightness 1.5 and the ROM directory.
  const std::vector<SlotWords> slots =
      SlotsOf({"-w ", "-sl ", "-nosound ", "-noaa ", "-c ", "-fsb 1.50 ", "-rp roms "});
  AdaptedArguments adapted = AdaptToKnownOptions(slots, modern);
  EXPECT_EQ(CommandWordsText(Joined(adapted.Slots)), "-w  -sound none  -c  -brightness 1.50  -rp roms  ");
  EXPECT_EQ(adapted.Slots.size(), slots.size());
  EXPECT_EQ(adapted.LeftOut, (std::vector<std::string>{"-sl", "-noaa"}));
  EXPECT_EQ(LeftOutLine(adapted.LeftOut), "Left out, unknown to this emulator: -sl -noaa");
  EXPECT_EQ(LeftOutLine({}), "");

  // The value goes where the setting's new name wants it; a text without
  // its blank stays as it is.
  adapted = AdaptToKnownOptions(SlotsOf({"-beam 2.5 ", "-fsb 0,75 ", "-resolution 640x480", "-ftr 100 "}), modern);
  EXPECT_EQ(Texts(adapted.Slots), (std::vector<std::string>{"-beam_width_min 2.5 -beam_width_max 2.5 ",
                                                             "-brightness 0,75 ", "-resolution 640x480", ""}));
  EXPECT_EQ(adapted.LeftOut, (std::vector<std::string>{"-ftr"}));

  // The directories stay one word, kept as they are.
  const SlotWords rompath{CommandWord{"-rp", 1}, CommandWord{"My Roms", 1}};
  EXPECT_EQ(AdaptToKnownOptions({rompath}, modern).Slots, std::vector<SlotWords>{rompath});
}

// The builder's slots made to suit the answer: today's emulator gets the
// settings under its names and Roms Paths always; without a trusted answer
// the classic command line comes out byte for byte.
TEST_F(KnownOptionsTest, TheBuilderMakesTheCommandLineSuitTheAnswer) {
  Settings settings;
  OptionCaptions captions;
  SetDefaultSettings(settings, captions);
  settings.WindowedDisplay = 1;
  settings.Scanlines = 1;
  settings.Sound = 0;
  settings.AntiAlias = 0;
  settings.GameCheats = 1;
  settings.Brightness = 1.5;
  settings.RomPaths = "roms";
  CommandLineSlots slots;
  const KnownOptions modern = Modern();
  BuildCommandOptions(settings, '.', modern, slots);
  EXPECT_EQ(CommandWordsText(slots.CommandOptions), "-w  -sound none  -c  -brightness 1.50  -rp roms  ");
  EXPECT_EQ(slots.LeftOut, (std::vector<std::string>{"-sl", "-noaa"}));

  BuildCommandOptions(settings, '.', AskEmulatorOptions(Standin()), slots);
  EXPECT_EQ(CommandWordsText(slots.CommandOptions), "-w  -sl  -nosound  -noaa  -c  -fsb 1.50  ");
  EXPECT_TRUE(slots.LeftOut.empty());

  settings.RomPaths = "My Roms";
  BuildCommandOptions(settings, '.', modern, slots);
  EXPECT_EQ(CommandWordsText(slots.CommandOptions), "-w  -sound none  -c  -brightness 1.50  -rp \"My Roms\"  ");
  EXPECT_EQ(slots.CommandOptions.end()[-1], (CommandWord{"My Roms", 2}));
}

TEST_F(KnownOptionsTest, EachSwitchIsKeptRenamedOrLeftOutAsTodaysEmulatorTakesIt) {
  const KnownOptions modern = Modern();
  std::vector<SlotWords> slots;
  for (const SwitchName& row : SwitchNames) slots.push_back(SlotWordsOf(std::string(row.Switch) + " 3 "));
  AdaptedArguments adapted = AdaptToKnownOptions(slots, modern);
  std::vector<std::string> leftOut = adapted.LeftOut;
  std::sort(leftOut.begin(), leftOut.end());
  EXPECT_EQ(leftOut, (std::vector<std::string>{"-ftr", "-hotrod", "-hotrodse", "-matchrefresh", "-noaa", "-noart",
                                               "-nohws", "-noresamplefilter", "-noswitchbpp", "-notl", "-sl", "-tb"}));
  int kept = 0;
  for (std::size_t i = 0; i < slots.size(); ++i) kept += adapted.Slots[i] == slots[i] ? 1 : 0;
  EXPECT_EQ(kept, 26);
  EXPECT_EQ(SwitchNames.size(), 41u);

  // The emulator takes the command line made so; it refuses the one as
  // built.
  ScopedEnvironment modernRuns("XEM_MODERN", "1");
  EXPECT_EQ(RunForOutput(Standin(), Arguments(adapted.Slots), 60000).ExitStatus, 0);
  for (const char* words : {"[-sound] [none] [-vol] [3]", "[-beam_width_min] [3] [-beam_width_max] [3] [-flicker] [3]",
                            "[-c] [3] [-brightness] [3] [-gamma] [3]", "[-rp] [3] [-verbose] [3]\n"}) {
    EXPECT_NE(LaunchLog().find(words), std::string::npos) << words << " in " << LaunchLog();
  }
  EXPECT_EQ(RunForOutput(Standin(), Arguments(slots), 60000).ExitStatus, 6);
}

// What the stand-in lists as today's emulator it takes in a launch (its
// commands aside), and the "no" forms of the switches that have one.
TEST_F(KnownOptionsTest, TodaysEmulatorTakesEveryOptionItLists) {
  const KnownOptions modern = Modern();
  const std::set<std::string, std::less<>> commands{"help", "validate", "showusage", "listfull", "listclones",
                                                    "createconfig"};
  std::string arguments = std::string("\"") + Emulator + "\" astrobee";
  for (const std::string& name : modern.Names) {
    if (!commands.contains(name)) arguments += " -" + name;
  }
  int noForms = 0;
  for (const SwitchName& row : SwitchNames) {
    if (!row.Switch.starts_with("-no") || !modern.Lists(row.Option)) continue;
    arguments += " " + std::string(row.Switch);
    ++noForms;
  }
  EXPECT_EQ(noForms, 8);
  ScopedEnvironment modernRuns("XEM_MODERN", "1");
  OutputRun run = RunForOutput(Standin(), SplitCommandLine(arguments), 60000);
  EXPECT_EQ(run.ExitStatus, 0);
  EXPECT_NE(LaunchLog().find("[-nomax] [-nothrottle]"), std::string::npos) << LaunchLog();
}

TEST_F(KnownOptionsTest, ARenamedSettingNeedsEveryOptionOfItsNewName) {
  KnownOptions known = ParseShowUsage(Lines(20) + "-beam_width_min x\n-brightness x\n-beam x\n", 0);
  AdaptedArguments adapted =
      AdaptToKnownOptions(SlotsOf({"-nosound ", "-fsb 2.00 ", "-beam 2 ", "-newthing 1 "}), known);
  EXPECT_EQ(Texts(adapted.Slots), (std::vector<std::string>{"", "-brightness 2.00 ", "-beam 2 ", ""}));
  EXPECT_EQ(adapted.LeftOut, (std::vector<std::string>{"-nosound", "-newthing"}));

  // A switch of no row is known by its own name.
  known.Names.insert("newthing");
  EXPECT_EQ(Texts(AdaptToKnownOptions(SlotsOf({"-newthing 1 "}), known).Slots),
            (std::vector<std::string>{"-newthing 1 "}));
}

TEST_F(KnownOptionsTest, WithoutATrustedAnswerTheCommandLineStaysByteForByte) {
  std::vector<SlotWords> slots = SlotsOf({"-noafs ", "-fs 2 ", "-sl ", "-nosound ", "-resolution 0x0x16 ",
                                          "-beam 1.5 ", "-fsb 1.50 ", "-resolution 640x480", "-w "});
  slots.push_back(SlotWords{CommandWord{"-rp", 1}, CommandWord{"roms;x y", 1}});
  for (const KnownOptions& known : {KnownOptions{}, AskEmulatorOptions(Standin()), ParseShowUsage(Lines(19), 0)}) {
    AdaptedArguments adapted = AdaptToKnownOptions(slots, known);
    EXPECT_EQ(adapted.Slots, slots);
    EXPECT_TRUE(adapted.LeftOut.empty());
  }
}

}  // namespace
}  // namespace zeb
