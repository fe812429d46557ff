// Puts the standard output in binary mode, so CR LF line ends pass unchanged on Windows.
#pragma once

void SetStdoutBinary();
