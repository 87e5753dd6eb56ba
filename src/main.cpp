#include "core/startup.h"

int main() { return zeb::Main(); }
