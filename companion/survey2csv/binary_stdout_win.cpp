// Windows: the C runtime's text mode would turn each CR LF into CR CR LF.
#include "binary_stdout.h"

#include <fcntl.h>
#include <io.h>
#include <stdio.h>

void SetStdoutBinary() { _setmode(_fileno(stdout), _O_BINARY); }
