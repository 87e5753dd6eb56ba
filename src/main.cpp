#include "app/arguments.h"
#include "app/startup.h"

// The command line is looked at before anything else: --help, --version and
// a refused argument end here, with the terminal and the files untouched.
int main(int argc, char** argv) {
  int status = 0;
  if (zeb::HandleArguments(argc, argv, status)) return status;
  return zeb::Main();
}
