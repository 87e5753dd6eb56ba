// The terminal input decoder on any byte stream.
//
// The stream is decoded whole, byte by byte, and in pieces of sizes chosen
// from the input (empty pieces among them), each time followed by a flush:
// all three give the same events and leave the same button state. Every
// event is well formed (a mouse event on a cell from 1,1 with button 0, 1 or
// 2; a wheel notch of one step; a special key with a code). After the
// flush nothing is held, a second flush gives nothing, and the decoder reads
// a known set of keys exactly as a fresh one does: no input can leave it
// stuck.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "console/describe_events.h"
#include "console/input_decoder.h"
#include "fuzz/fuzz_support.h"

namespace zeb::fuzz {
namespace {

struct Result {
  std::string Events;
  int ButtonsDown = 0;
};

void CheckWellFormed(const std::vector<InputEvent>& events) {
  for (const InputEvent& event : events) {
    if (event.Type == InputEvent::Kind::Wheel) {
      ZEB_FUZZ_CHECK(event.Notch == -1 || event.Notch == 1);
    } else if (event.Type == InputEvent::Kind::Mouse) {
      ZEB_FUZZ_CHECK(event.Column >= 1 && event.Row >= 1 && event.Button >= 0 && event.Button <= 2);
    } else {
      ZEB_FUZZ_CHECK(!event.Extended || event.Code != 0);
    }
  }
}

// Up, Alt+X, Ctrl+Right, "a", and a lone Esc that the flush completes.
constexpr std::string_view ProbeKeys = "\x1b[A\x1bx\x1b[1;5Ca\x1b";
constexpr std::string_view ProbeEvents = "x72 x45 x116 k97 k27";

// Decodes the pieces one after another, flushes, and checks what is left.
Result Decode(std::string_view bytes, const std::vector<std::size_t>& pieces) {
  InputDecoder decoder;
  std::vector<InputEvent> events;
  for (std::size_t length : pieces) {
    DecodeInput(decoder, bytes.substr(0, length), events);
    bytes.remove_prefix(std::min(length, bytes.size()));
  }
  DecodeInput(decoder, bytes, events);
  FlushInput(decoder, events);
  CheckWellFormed(events);
  ZEB_FUZZ_CHECK(!InputIncomplete(decoder));

  Result result{Describe(events), decoder.ButtonsDown};
  events.clear();
  FlushInput(decoder, events);
  ZEB_FUZZ_CHECK(events.empty());
  DecodeInput(decoder, ProbeKeys, events);
  FlushInput(decoder, events);
  ZEB_FUZZ_CHECK(Describe(events) == ProbeEvents);
  return result;
}

}  // namespace
}  // namespace zeb::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  using namespace zeb::fuzz;
  std::string_view input = Bytes(data, size);

  Result whole = Decode(input, {});
  Result single = Decode(input, std::vector<std::size_t>(size, 1));

  std::vector<std::size_t> pieces;
  uint64_t random = InputHash(input) | 1;
  for (std::size_t covered = 0; covered < size;) {
    random ^= random << 13;
    random ^= random >> 7;
    random ^= random << 17;
    std::size_t length = static_cast<std::size_t>(random % 9);  // 0 to 8 bytes
    pieces.push_back(length);
    covered += length;
  }
  Result pieced = Decode(input, pieces);

  ZEB_FUZZ_CHECK(single.Events == whole.Events && pieced.Events == whole.Events);
  ZEB_FUZZ_CHECK(single.ButtonsDown == whole.ButtonsDown && pieced.ButtonsDown == whole.ButtonsDown);
  return 0;
}
