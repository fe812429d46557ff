#!/usr/bin/env bash
# Makes a wine prefix for the tests, once: Japanese locale, fonts that show the dialogs'
# texts, no window-manager stalls, no crash dialog. Safe to call from parallel tests.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine-env.sh" "$1"
ready="$WINEPREFIX/.marbelo-ready"
[ -f "$ready" ] && exit 0

mkdir -p "$(dirname "$WINEPREFIX")"
exec 9>"$WINEPREFIX.lock"
flock 9
[ -f "$ready" ] && exit 0

# Making a prefix is slow under emulation: a developer may point MARBELO_WINEPREFIX_TEMPLATE
# at a finished prefix to copy instead.
if [ -n "${MARBELO_WINEPREFIX_TEMPLATE:-}" ] && [ -f "$MARBELO_WINEPREFIX_TEMPLATE/.marbelo-ready" ]; then
  rm -rf "$WINEPREFIX"
  cp -a "$MARBELO_WINEPREFIX_TEMPLATE" "$WINEPREFIX"
  exit 0
fi

# One server for all the steps, so the wine services start once.
mkdir -p "$WINEPREFIX"
wineserver -p
wineboot -i >/dev/null 2>&1 </dev/null
fonts="$WINEPREFIX/drive_c/windows/Fonts"
mkdir -p "$fonts"
for f in tahoma.ttf tahomabd.ttf marlett.ttf; do
  [ -f "/usr/share/wine/fonts/$f" ] && cp "/usr/share/wine/fonts/$f" "$fonts/"
done
reg=$(mktemp --suffix=.reg)
cat > "$reg" <<'REG'
REGEDIT4

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes]
"ＭＳ Ｐゴシック"="IPAPGothic"
"MS PGothic"="IPAPGothic"
"MS UI Gothic"="IPAPGothic"
"MS Shell Dlg"="IPAPGothic"
"MS Sans Serif"="IPAPGothic"

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000
REG
# regedit reads .reg files in the ANSI code page unless they say otherwise: hand it UTF-16.
iconv -f UTF-8 -t UTF-16 "$reg" > "$reg.u16"
wine regedit /S "Z:${reg//\//\\}.u16" >/dev/null 2>&1 </dev/null
rm -f "$reg" "$reg.u16"
wineserver -k
touch "$ready"
