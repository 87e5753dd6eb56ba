// Terminal input bytes to key and mouse events.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/input_decoder.h"
#include "describe_events.h"

namespace zeb {
namespace {

std::string Decode(std::string_view bytes, bool flush = true) {
  InputDecoder decoder;
  std::vector<InputEvent> events;
  DecodeInput(decoder, bytes, events);
  if (flush) FlushInput(decoder, events);
  return Describe(events);
}

TEST(InputDecoderTest, CursorAndEditingKeys) {
  EXPECT_EQ(Decode("\x1b[A\x1b[B\x1b[C\x1b[D"), "x72 x80 x77 x75");
  EXPECT_EQ(Decode("\x1bOA\x1bOH\x1bOF"), "x72 x71 x79");  // application cursor mode
  EXPECT_EQ(Decode("\x1b[H\x1b[F\x1b[1~\x1b[7~\x1b[4~\x1b[8~"), "x71 x79 x71 x71 x79 x79");
  EXPECT_EQ(Decode("\x1b[2~\x1b[3~\x1b[5~\x1b[6~"), "x82 x83 x73 x81");
  EXPECT_EQ(Decode("\x1b[Z"), "x15");  // Shift+Tab
}

TEST(InputDecoderTest, FunctionKeysWithModifiers) {
  EXPECT_EQ(Decode("\x1bOP\x1bOQ\x1bOR\x1bOS"), "x59 x60 x61 x62");
  EXPECT_EQ(Decode("\x1b[15~\x1b[17~\x1b[21~\x1b[23~\x1b[24~"), "x63 x64 x68 x133 x134");
  EXPECT_EQ(Decode("\x1b[1;2P"), "x84");    // Shift+F1
  EXPECT_EQ(Decode("\x1bO2P"), "x84");      // Shift+F1, older form
  EXPECT_EQ(Decode("\x1b[1;5P"), "x94");    // Ctrl+F1
  EXPECT_EQ(Decode("\x1b[21;3~"), "x113");  // Alt+F10
  EXPECT_EQ(Decode("\x1b[23;2~\x1b[24;5~\x1b[23;3~"), "x135 x138 x139");
  EXPECT_EQ(Decode("\x1b[[A\x1b[[E"), "x59 x63");  // the Linux console's F1, F5
}

TEST(InputDecoderTest, ModifierPrecedenceAltOverCtrlOverShift) {
  EXPECT_EQ(Decode("\x1b[1;5A"), "x141");  // Ctrl+Up
  EXPECT_EQ(Decode("\x1b[1;5H"), "x119");  // Ctrl+Home
  EXPECT_EQ(Decode("\x1b[1;2A"), "x72");   // Shift+Up: as Up
  EXPECT_EQ(Decode("\x1b[1;3A"), "x152");  // Alt+Up
  EXPECT_EQ(Decode("\x1b[1;7A"), "x152");  // Ctrl+Alt+Up: Alt wins
  EXPECT_EQ(Decode("\x1b[1;6D"), "x115");  // Ctrl+Shift+Left: Ctrl wins
  EXPECT_EQ(Decode("\x1b[1;9B"), "x160");  // Meta+Down counts as Alt
  EXPECT_EQ(Decode("\x1b[5;5~\x1b[6;5~\x1b[2;5~\x1b[3;3~"), "x132 x118 x146 x163");
}

TEST(InputDecoderTest, AltAsEscPrefix) {
  EXPECT_EQ(Decode("\x1bx"), "x45");
  EXPECT_EQ(Decode("\x1bX"), "x45");  // Alt+Shift+X: the same key
  EXPECT_EQ(Decode("\x1bq\x1bm"), "x16 x50");
  EXPECT_EQ(Decode("\x1b" "1\x1b" "9\x1b" "0\x1b-\x1b="), "x120 x128 x129 x130 x131");
  EXPECT_EQ(Decode("\x1b\r\x1b/"), "x166 x164");
  EXPECT_EQ(Decode("\x1b\x01"), "x30");  // Ctrl+Alt+A: Alt wins, the key's code
  EXPECT_EQ(Decode("\x1b\x7f"), "x14");  // Alt+Backspace
}

TEST(InputDecoderTest, PlainAndControlBytes) {
  EXPECT_EQ(Decode("aZ "), "k97 k90 k32");
  EXPECT_EQ(Decode("\x7f\x08"), "k8 k8");
  EXPECT_EQ(Decode("\r\t\x03"), "k13 k9 k3");  // Ctrl+C arrives as 3
  EXPECT_EQ(Decode(std::string_view("\0", 1)), "x3");
}

TEST(InputDecoderTest, LoneEscapeWaitsForFlush) {
  InputDecoder decoder;
  std::vector<InputEvent> events;
  DecodeInput(decoder, "\x1b", events);
  EXPECT_TRUE(events.empty());
  EXPECT_TRUE(InputIncomplete(decoder));
  FlushInput(decoder, events);
  EXPECT_EQ(Describe(events), "k27");
  EXPECT_FALSE(InputIncomplete(decoder));

  EXPECT_EQ(Decode("\x1b\x1b"), "k27 k27");
  EXPECT_EQ(Decode("\x1b["), "x26");  // Alt+[ alone
  EXPECT_EQ(Decode("\x1bO"), "x24");  // Alt+O alone
  EXPECT_EQ(Decode("\x1bP"), "x25");  // Alt+P alone
}

TEST(InputDecoderTest, SequencesSplitAcrossReads) {
  InputDecoder decoder;
  std::vector<InputEvent> events;
  for (std::string_view piece : {"\x1b", "[", "1;", "5", "A", "\x1b[<0;1", "2;3", "M", "\x1bO", "P", "\x1b[2", "4~"}) {
    DecodeInput(decoder, piece, events);
  }
  EXPECT_FALSE(InputIncomplete(decoder));
  EXPECT_EQ(Describe(events), "x141 m12,3,1 x59 x134");

  events.clear();
  DecodeInput(decoder, "\xc3", events);  // half of a UTF-8 character
  EXPECT_TRUE(InputIncomplete(decoder));
  DecodeInput(decoder, "\xa9", events);
  EXPECT_EQ(Describe(events), "k130");  // e acute is byte 0x82
}

TEST(InputDecoderTest, UnknownSequencesAreSwallowed) {
  EXPECT_EQ(Decode("\x1b[99~a"), "k97");
  EXPECT_EQ(Decode("\x1b[?1;2cb"), "k98");         // a device attributes answer
  EXPECT_EQ(Decode("\x1b[200~\x1b[201~c"), "k99");  // paste brackets
  EXPECT_EQ(Decode("\x1b]11;rgb:0000/0000/0000\x07" "d"), "k100");
  EXPECT_EQ(Decode("\x1b]0;title\x1b\\e"), "k101");
  EXPECT_EQ(Decode("\x1bP1$r0m\x1b\\f"), "k102");
  EXPECT_EQ(Decode("\x1b[" + std::string(500, '1') + "Ag"), "k103");  // overlong
  EXPECT_EQ(Decode("\x1b[1;2;3;4;5Ah"), "k104");
  EXPECT_EQ(Decode("\x1b[I\x1b[Oi"), "k105");  // focus reports
  EXPECT_EQ(Decode("\x1bOzj"), "k106");
  EXPECT_EQ(Decode("\x1b[12"), "");           // cut off: dropped on flush
  EXPECT_EQ(Decode("\x1b[1\x1b[B"), "x80");   // broken off by a new sequence
  EXPECT_EQ(Decode("\xff\xfek"), "k107");     // bytes that start no character
  EXPECT_EQ(Decode("\xe2\x82\xacl"), "k108");  // a character with no glyph here
}

TEST(InputDecoderTest, SgrMouseButtons) {
  EXPECT_EQ(Decode("\x1b[<0;1;1M\x1b[<0;1;1m"), "m1,1,1 m1,1,0");
  EXPECT_EQ(Decode("\x1b[<2;80;25M\x1b[<2;80;25m"), "m80,25,2 m80,25,0");
  // Both buttons: 0; letting one go leaves the other alone.
  EXPECT_EQ(Decode("\x1b[<0;5;5M\x1b[<2;5;5M\x1b[<0;5;5m\x1b[<2;5;5m"), "m5,5,1 m5,5,0 m5,5,2 m5,5,0");
  EXPECT_EQ(Decode("\x1b[<1;5;5M\x1b[<1;5;5m"), "m5,5,0 m5,5,0");  // middle
  // Motion with the left button held moves the position.
  EXPECT_EQ(Decode("\x1b[<0;5;5M\x1b[<32;6;5M\x1b[<32;7;6M\x1b[<0;7;6m"), "m5,5,1 m6,5,1 m7,6,1 m7,6,0");
  // Wheel reports are wheel notches (below), never buttons.
  EXPECT_EQ(Decode("\x1b[<64;5;5M\x1b[<65;5;5Mz"), "wu wd k122");
  // Modifier bits do not change the button.
  EXPECT_EQ(Decode("\x1b[<16;3;4M"), "m3,4,1");
}

TEST(InputDecoderTest, OldMouseEncoding) {
  // Button byte 32 + b, then column and row + 32.
  EXPECT_EQ(Decode("\x1b[M !!\x1b[M#!!"), "m1,1,1 m1,1,0");
  EXPECT_EQ(Decode("\x1b[M\"p9\x1b[M#p9"), "m80,25,2 m80,25,0");
  EXPECT_EQ(Decode("\x1b[M`!!q"), "wu k113");  // wheel
  // The raw bytes are taken as they come, never as keys.
  EXPECT_EQ(Decode("\x1b[M \x7f\x7f"), "m95,95,1");
  EXPECT_EQ(Decode("\x1b[M\x1b\x1b\x1b"), "");
}

TEST(InputDecoderTest, WheelNotchesInBothEncodings) {
  // SGR: 64 up, 65 down; Shift (4), Meta (8) and Ctrl (16) keep it a wheel.
  EXPECT_EQ(Decode("\x1b[<64;10;5M\x1b[<65;10;5M"), "wu wd");
  EXPECT_EQ(Decode("\x1b[<68;1;1M\x1b[<73;1;1M\x1b[<80;1;1M\x1b[<93;1;1M"), "wu wd wu wd");
  // The sideways wheel, buttons 8 to 11, motion and a release bring nothing.
  EXPECT_EQ(Decode("\x1b[<66;1;1M\x1b[<67;1;1M\x1b[<128;1;1M\x1b[<96;1;1M\x1b[<64;1;1m"), "");
  // The old form: button byte 96 up, 97 down, with modifiers too.
  EXPECT_EQ(Decode("\x1b[M`!!\x1b[Ma!!\x1b[Mp!!"), "wu wd wu");
  // Among keys, in order.
  EXPECT_EQ(Decode("a\x1b[<65;3;3M\x1b[Ab"), "k97 wd x72 k98");
}

TEST(InputDecoderTest, WheelNeverTouchesTheButtons) {
  // Turned while the left button is held: the button stays down, and its
  // release is still the left one's.
  InputDecoder decoder;
  std::vector<InputEvent> events;
  DecodeInput(decoder, "\x1b[<0;5;5M\x1b[<64;5;5M\x1b[<65;9;9M", events);
  EXPECT_EQ(Describe(events), "m5,5,1 wu wd");
  EXPECT_EQ(decoder.ButtonsDown, 1);
  events.clear();
  DecodeInput(decoder, "\x1b[<0;5;5m", events);
  EXPECT_EQ(Describe(events), "m5,5,0");
  // Alone, the wheel presses nothing.
  InputDecoder fresh;
  DecodeInput(fresh, "\x1b[<64;1;1M\x1b[M`!!", events);
  EXPECT_EQ(fresh.ButtonsDown, 0);
}

TEST(InputDecoderTest, WheelReportSplitAcrossReads) {
  const std::string report = "\x1b[<65;12;7M";
  for (std::size_t cut = 1; cut < report.size(); ++cut) {
    InputDecoder decoder;
    std::vector<InputEvent> events;
    DecodeInput(decoder, report.substr(0, cut), events);
    EXPECT_TRUE(events.empty()) << "cut at " << cut;
    EXPECT_TRUE(InputIncomplete(decoder));
    DecodeInput(decoder, report.substr(cut) + "q", events);
    EXPECT_EQ(Describe(events), "wd k113") << "cut at " << cut;
  }
  InputDecoder old;
  std::vector<InputEvent> events;
  DecodeInput(old, "\x1b[Ma", events);
  DecodeInput(old, "!!", events);
  EXPECT_EQ(Describe(events), "wd");
}

TEST(InputDecoderTest, KeypadInApplicationMode) {
  EXPECT_EQ(Decode("\x1bOM\x1bOp\x1bOy\x1bOk"), "k13 k48 k57 k43");
}

}  // namespace
}  // namespace zeb
