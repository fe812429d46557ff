// POSIX: the standard output has no text mode.
#include "binary_stdout.h"

void SetStdoutBinary() {}
