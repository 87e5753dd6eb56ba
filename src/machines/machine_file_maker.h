#pragma once
// The machine information file made from the emulator's XML list as it
// streams: each chunk of the list goes to Feed, each machine read goes to
// the file at once, and Finish puts the complete file in the place of the
// old one. A list that breaks off or is faulty leaves the old file as it
// was.
//
//   MachineFileMaker maker;
//   RunStreaming(emulator, {name, "-listxml"}, [&](std::string_view chunk) {
//     ShowProgress(maker.MachinesRead());
//     return !EscapePressed() && maker.Feed(chunk);
//   });
//   if (!maker.Finish()) Show(maker.Error());

#include <cstdint>
#include <string>
#include <string_view>

#include "machines/machine_file.h"
#include "machines/machine_list.h"

namespace zeb {

class MachineFileMaker {
 public:
  explicit MachineFileMaker(std::string_view path = MachineFileName);

  // The next bytes of the list: false after a fault of the list or of the
  // file (Error says which).
  bool Feed(std::string_view bytes);
  // The list has ended: true when it was whole and the file is in place.
  bool Finish();
  // The unfinished file is removed; the old one stays (also when the maker
  // goes without Finish).
  void Abandon() { writer_.Abandon(); }

  int64_t MachinesRead() const { return list_.MachinesRead(); }
  uint64_t BytesRead() const { return list_.BytesRead(); }
  // The emulator's version as the list gives it; empty until known.
  const std::string& Version() const { return list_.Build(); }
  // What went wrong, on one line: a fault of the list ("the emulator's
  // list, line 12, column 5 (byte 340): ...") or of the file.
  const std::string& Error() const { return error_; }

 private:
  void Take(MachineInfo& machine);
  bool Begin();

  std::string path_;
  MachineListReader list_;
  MachineFileWriter writer_;
  bool begun_ = false;
  bool failed_ = false;
  std::string error_;
};

}  // namespace zeb
