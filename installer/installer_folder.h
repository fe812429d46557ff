// The installer's folder from its executable's path. Portable: no Windows calls.
#pragma once

// Ends the path at its last backslash, so the folder keeps no trailing backslash; a backslash
// in the first byte, or none at all, leaves the path whole. Paths are Shift-JIS: the second
// byte of a double-byte character (構 is 8D 5C) is never taken for a backslash.
void CutToFolder(char* path);
