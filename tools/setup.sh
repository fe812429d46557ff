#!/usr/bin/env bash
# Installs what the build and the tests need on Debian 12; does nothing when all is there.
set -euo pipefail

packages=(
  g++-mingw-w64-i686 binutils-mingw-w64-i686 wine wine32:i386 xvfb xauth
  imagemagick fonts-ipafont-gothic fonts-wine python3-pefile libpalm-perl locales
  cmake ninja-build googletest clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q '^install ok installed' || missing+=("$p")
done

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  dpkg --print-foreign-architectures | grep -qx i386 || as_root dpkg --add-architecture i386
  as_root apt-get update -q
  DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# Wine falls back to code page 1252 without a Japanese locale, and the texts turn into "?".
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  echo "setup: generating ja_JP.UTF-8"
  as_root sed -i 's/^# *ja_JP.UTF-8/ja_JP.UTF-8/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
  as_root locale-gen
fi

# Some kernels cannot execute 32-bit code: there qemu-user runs wine32's 32-bit binaries.
# Bookworm's qemu 7.2 needs about a minute per wine process start (its guest page table is
# slow for wine's address-space reservations); trixie's qemu 10 is a static binary that runs
# here too and needs a second or two, so it is taken from Debian's trixie archive.
qemu=/usr/local/lib/marbelo/qemu-i386
fetch_qemu() {
  local work; work=$(mktemp -d)
  mkdir -p "$work/lists/partial" "$work/cache/archives/partial"
  echo 'deb http://deb.debian.org/debian trixie main' > "$work/sources.list"
  local opts=(-o Dir::Etc::SourceList="$work/sources.list" -o Dir::Etc::SourceParts=/dev/null
              -o Dir::State::Lists="$work/lists" -o Dir::Cache="$work/cache" -o APT::Sandbox::User=root)
  apt-get "${opts[@]}" update -q >/dev/null
  (cd "$work" && apt-get "${opts[@]}" download qemu-user:amd64 >/dev/null)
  dpkg-deb -x "$work"/qemu-user_*.deb "$work/root"
  as_root install -D -m 755 "$work/root/usr/bin/qemu-i386" "$qemu"
  rm -rf "$work"
}

probe=$(mktemp)
printf '\177ELF\001\001\001\000\000\000\000\000\000\000\000\000\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000\000\000\000\000\000\000\000\000\064\000\040\000\001\000\000\000\000\000\000\000\001\000\000\000\000\000\000\000\000\200\004\010\000\200\004\010\140\000\000\000\140\000\000\000\005\000\000\000\000\020\000\000\270\001\000\000\000\273\000\000\000\000\315\200' > "$probe"
chmod +x "$probe"
if ! "$probe" 2>/dev/null; then
  [ -x "$qemu" ] || { echo "setup: this kernel runs no 32-bit code; fetching qemu-user"; fetch_qemu; }
  binfmt=/proc/sys/fs/binfmt_misc
  [ -e "$binfmt/register" ] || as_root mount -t binfmt_misc binfmt_misc "$binfmt"
  if [ ! -e "$binfmt/qemu-i386" ]; then
    printf '%s' ":qemu-i386:M::\\x7fELF\\x01\\x01\\x01\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x02\\x00\\x03\\x00:\\xff\\xff\\xff\\xff\\xff\\xfe\\xfe\\x00\\xff\\xff\\xff\\xff\\xff\\xff\\xff\\xff\\xfe\\xff\\xff\\xff:$qemu:F" \
      | as_root tee "$binfmt/register" >/dev/null
  fi
  "$probe" || { echo "setup: 32-bit programs still cannot run" >&2; rm -f "$probe"; exit 1; }
fi
rm -f "$probe"
