#include "emulator/slot_words.h"

namespace zeb {

SlotWords SlotWordsOf(std::string_view text) {
  SlotWords words;
  std::size_t at = text.find_first_not_of(' ');
  while (at != std::string_view::npos) {
    std::size_t end = text.find(' ', at);
    if (end == std::string_view::npos) end = text.size();
    std::size_t next = text.find_first_not_of(' ', end);
    std::size_t blanks = (next == std::string_view::npos ? text.size() : next) - end;
    words.push_back(CommandWord{std::string(text.substr(at, end - at)), static_cast<int>(blanks)});
    at = next;
  }
  return words;
}

void AppendSlot(const SlotWords& slot, std::vector<CommandWord>& words) {
  if (slot.empty()) return;
  words.insert(words.end(), slot.begin(), slot.end());
  words.back().BlanksAfter += 1;
}

}  // namespace zeb
