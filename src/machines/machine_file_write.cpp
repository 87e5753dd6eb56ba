// Writing the machine information file as the list streams: the header
// first with its numbers at zero (its length depends only on the version),
// the ROM section's lines as the machines come, in blocks; at the end the
// summaries of the machines and those of the devices, kept until then, and
// the header again with the real numbers.

#include <cerrno>
#include <cstring>

#include "machines/machine_check.h"
#include "machines/machine_file.h"
#include "machines/machine_file_format.h"
#include "storage/file_system.h"

namespace zeb {

namespace {

constexpr std::size_t WriteBlock = 256 * 1024;

std::string FileNameOf(std::string_view path) {
  std::size_t slash = path.find_last_of("/\\");
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

}  // namespace

MachineFileWriter::~MachineFileWriter() { Abandon(); }

bool MachineFileWriter::Failed(const std::string& what) {
  if (error_.empty()) error_ = "cannot write " + FileNameOf(path_) + ": " + what;
  Abandon();
  return false;
}

void MachineFileWriter::Abandon() {
  if (file_ != nullptr) {
    std::fclose(file_);
    file_ = nullptr;
  }
  if (!unique_.empty()) {
    DeleteFile(unique_);
    unique_.clear();
  }
  summaries_.clear();
  summaries_.shrink_to_fit();
  devices_.clear();
  devices_.shrink_to_fit();
  summaryLines_ = deviceLines_ = 0;
  pending_.clear();
}

bool MachineFileWriter::WriteBytes(std::string_view bytes) {
  if (bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file_) == bytes.size()) return true;
  return Failed(std::strerror(errno));
}

bool MachineFileWriter::Begin(std::string_view version, std::string_view path) {
  Abandon();
  error_.clear();
  path_ = path;
  version_ = version;
  machines_ = 0;
  romBytes_ = 0;
  romCheck_ = MachineCheckStart();
  file_ = CreateUniqueFileBeside(path, unique_);
  if (file_ == nullptr) {
    unique_.clear();
    return Failed(std::strerror(errno));
  }
  machine_file::Header header;
  header.Version = version_;
  headerBytes_ = machine_file::HeaderText(header).size();
  return WriteBytes(machine_file::HeaderText(header));
}

bool MachineFileWriter::Add(const MachineInfo& machine) {
  if (file_ == nullptr) return false;
  bool named = !machine.Name.empty();
  for (const RomFile& rom : machine.Roms) named = named && !rom.Name.empty();
  for (const DiskFile& disk : machine.Disks) named = named && !disk.Name.empty();
  for (const std::string& device : machine.DeviceRefs) named = named && !device.empty();
  if (!named) return Failed("a machine, ROM, disk or device without a name");
  machine_file::AppendSummaryLine(machine.Summary.IsDevice ? devices_ : summaries_, machine);
  ++(machine.Summary.IsDevice ? deviceLines_ : summaryLines_);
  std::size_t start = pending_.size();
  machine_file::AppendRomLines(pending_, machine);
  MachineCheckAdd(romCheck_, std::string_view(pending_).substr(start));
  ++machines_;
  if (pending_.size() < WriteBlock) return true;
  romBytes_ += pending_.size();
  bool written = WriteBytes(pending_);
  pending_.clear();
  return written;
}

bool MachineFileWriter::Finish() {
  if (file_ == nullptr) return false;
  romBytes_ += pending_.size();
  if (!WriteBytes(pending_) || !WriteBytes(summaries_) || !WriteBytes(devices_)) return false;
  machine_file::Header header;
  header.Version = version_;
  header.Roms = {headerBytes_, romBytes_, machines_, MachineCheckEnd(romCheck_)};
  header.Summaries = {headerBytes_ + romBytes_, summaries_.size(), summaryLines_, MachineCheckOf(summaries_)};
  header.Devices = {header.Summaries.Offset + summaries_.size(), devices_.size(), deviceLines_, MachineCheckOf(devices_)};
  const std::string text = machine_file::HeaderText(header);
  if (std::fseek(file_, 0, SEEK_SET) != 0) return Failed(std::strerror(errno));
  if (!WriteBytes(text)) return false;
  if (!SyncFile(file_)) return Failed(std::strerror(errno));
  std::FILE* file = file_;
  file_ = nullptr;
  if (std::fclose(file) != 0) return Failed(std::strerror(errno));
  if (!ReplaceFile(unique_, path_)) return Failed(std::strerror(errno));
  unique_.clear();
  Abandon();
  return true;
}

}  // namespace zeb
