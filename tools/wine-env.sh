# Sourced by the wine scripts: the settings every wine process of this project runs with.
# $1: the prefix (one per build tree).
export WINEPREFIX="$(realpath -m "$1")"
export WINEDEBUG=-all
export WINEARCH=win32
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# Japanese locale: the ANSI code page is 932, so 8-bit texts are Shift-JIS.
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
