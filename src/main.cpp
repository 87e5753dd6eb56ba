#include "app/arguments.h"
#include "app/instance_lock.h"
#include "app/startup.h"

// The command line is looked at before anything else: --help, --version and
// a refused argument end here, with the terminal and the files untouched.
// Then the directory is taken for this ZEB: a second one in it would undo
// the first one's saves, so it ends here too, with nothing touched.
int main(int argc, char** argv) {
  int status = 0;
  if (zeb::HandleArguments(argc, argv, status)) return status;
  if (!zeb::TakeDirectoryForThisProcess(status)) return status;
  return zeb::Main();
}
