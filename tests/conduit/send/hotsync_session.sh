# Shared by the end-to-end transfer tests (sourced): lays out an exchange folder with the real
# Dalvex.dll, the stand-in HotSync Manager and services and a scripted companion, runs sessions
# through hotsync.exe under wine and counts the checks.
# Needs: BIN_HOTSYNC BIN_SYNC20 BIN_HSLOG20 BIN_DALVEX BIN_COMPANION (paths), PREFIX.

source "$(dirname "${BASH_SOURCE[0]}")/../../../tools/wine-env.sh" "$PREFIX"
passed=0
failed=0

check() {  # check WHAT COMMAND...
  local what=$1; shift
  if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAILED: $what"; fi
}

finish() {
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
}

# The Windows name of a path of this machine (wine's drive Z: is the root).
windows_path() { local p; p=$(realpath -m "$1"); echo "Z:${p//\//\\}"; }

lay_out() {  # lay_out DIR: a fresh exchange folder with an empty handheld beside the programs
  rm -rf "$1"; mkdir -p "$1/handheld"
  cp "$BIN_HOTSYNC" "$BIN_SYNC20" "$BIN_HSLOG20" "$BIN_DALVEX" "$1/"
  cp "$BIN_COMPANION" "$1/Vornet.exe"
}

# The companion will choose this PC file: the selection file it writes names it and its size.
choose_file() {  # choose_file DIR PCFILE [SIZE]
  local size=${3:-$(stat -c %s "$2")}
  printf 'csvselname.txt\n' > "$1/companion.plan"
  # Names on this side are UTF-8; the companion program writes Shift-JIS.
  printf '%s\r\n%s\r\n' "$(windows_path "$2")" "$size" | iconv -f UTF-8 -t CP932 > "$1/csvselname.txt.bytes"
}

ask_retrieval() {  # ask_retrieval DIR
  printf 'ListReq.dat\n' > "$1/companion.plan"
}

run_session() {  # run_session DIR [hotsync sync options...]: output in DIR/session.out
  local dir=$1; shift
  (cd "$dir" && timeout 600 wine hotsync.exe sync --conduit "$(windows_path "$dir/Dalvex.dll")" \
      --handheld "$(windows_path "$dir/handheld")" "$@" </dev/null >"$dir/session.out" 2>&1)
}

# The log lines of the last session, as Shift-JIS text without their time stamps.
log_lines() { sed -e 's/^[0-9-]* [0-9:]* //' -e 's/\r$//' "$1/handheld.log" 2>/dev/null; }

# Shift-JIS bytes of a UTF-8 text, for comparing with the log.
sjis() { printf '%s' "$1" | iconv -f UTF-8 -t CP932; }
