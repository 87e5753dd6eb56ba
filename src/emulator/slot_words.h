#pragma once
// An argument slot's words: what one option of the settings gives the
// emulator, laid out as the classic command line has it.

#include <string_view>
#include <vector>

#include "emulator/processes.h"

namespace zeb {

// A slot's words, each with the blanks after it in the slot's text: "-fs 2 "
// is "-fs" and "2" with one blank after each, "-resolution 640x480" has
// none after its last word. Empty: the slot gives nothing.
using SlotWords = std::vector<CommandWord>;

// The words of a slot text of the builder's own ("-fs 2 ", "-sound none "):
// blanks separate them. A text made of the user's words (the ROM
// directories) is never split: its words are made one by one.
SlotWords SlotWordsOf(std::string_view text);

// The slot's words added to the command line's, the last one followed by
// one blank more: the classic join of each filled slot's text and a blank.
void AppendSlot(const SlotWords& slot, std::vector<CommandWord>& words);

}  // namespace zeb
