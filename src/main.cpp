#include "app/startup.h"

int main() { return zeb::Main(); }
