#!/usr/bin/env bash
# Runs a Windows program under wine in the given prefix (CTest's cross-compiling emulator).
# usage: wine-run.sh PREFIX PROGRAM [ARGS...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/wine-prefix.sh" "$1"
source "$here/wine-env.sh" "$1"
shift
exec wine "$@"
