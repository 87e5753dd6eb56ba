#include "machines/machine_file_maker.h"

namespace zeb {

MachineFileMaker::MachineFileMaker(std::string_view path)
    : path_(path), list_([this](MachineInfo& machine) { Take(machine); }) {}

bool MachineFileMaker::Begin() {
  begun_ = true;
  if (writer_.Begin(list_.Build(), path_)) return true;
  failed_ = true;
  error_ = writer_.Error();
  return false;
}

void MachineFileMaker::Take(MachineInfo& machine) {
  if (failed_ || (!begun_ && !Begin())) return;
  if (!writer_.Add(machine)) {
    failed_ = true;
    error_ = writer_.Error();
  }
}

bool MachineFileMaker::Feed(std::string_view bytes) {
  if (failed_) return false;
  if (!list_.Feed(bytes)) {
    failed_ = true;
    if (error_.empty()) error_ = "the emulator's list, " + list_.ErrorText();
    writer_.Abandon();
  }
  return !failed_;
}

bool MachineFileMaker::Finish() {
  if (failed_) return false;
  if (!list_.Finish()) {
    failed_ = true;
    error_ = "the emulator's list, " + list_.ErrorText();
    writer_.Abandon();
    return false;
  }
  if (!begun_ && !Begin()) return false;
  if (!writer_.Finish()) {
    failed_ = true;
    error_ = writer_.Error();
    return false;
  }
  return true;
}

}  // namespace zeb
