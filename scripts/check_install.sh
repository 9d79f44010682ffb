#!/usr/bin/env bash
# Installs a build into a scratch prefix and uses it as a user would, from an
# empty folder with only the prefix's bin/ on the PATH: the programs find the
# installed solver, report their version, the manual pages render without a
# warning, the desktop entry is valid and its command starts Tarvik in the
# per-user working folder (offscreen).
# Usage: scripts/check_install.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
tmp=$(mktemp -d "${TMPDIR:-/tmp}/tarvik-install.XXXXXX")
trap 'kill "${gui:-}" 2>/dev/null || true; rm -rf "$tmp"' EXIT
fail() { echo "check_install: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$tmp/usr" >/dev/null
export PATH="$tmp/usr/bin:/usr/bin:/bin"
version=$(sed -n 's/^#define TARVIK_VERSION "\(.*\)"/\1/p' "$build/generated/tarvik_version.h")

mkdir "$tmp/work"
cd "$tmp/work"
[ "$(command -v tarvik-batch)" = "$tmp/usr/bin/tarvik-batch" ] || fail "tarvik-batch not taken from the prefix"
tarvik-batch --generate SumiType=1,YaneMode=1 --fix Z00 --load Z11 --analyse > summary.txt \
  || fail "the analysis of the default house failed (status $?)"
[ -s VELTOSOL.DSP ] || fail "no displacements written"
[ ! -e veltosol ] || fail "the solver was copied into the working folder"
echo "analysed with the installed solver"

programs="veltosol tarvik-batch"
[ -x "$tmp/usr/bin/tarvik" ] && programs="$programs tarvik"
for p in $programs; do
  line=$("$p" --version)
  case "$line" in
    "$p $version "*) echo "$line" ;;
    *) fail "$p --version printed '$line'" ;;
  esac
done

for page in tarvik veltosol tarvik-batch; do
  file="$tmp/usr/share/man/man1/$page.1.gz"
  [ -f "$file" ] || fail "no manual page $page(1)"
  warnings=$(MANWIDTH=80 man --warnings -l "$file" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "$page(1): $warnings"
  MANWIDTH=80 man -l "$file" 2>/dev/null | grep -q "^NAME" || fail "$page(1) does not render"
done
echo "manual pages render"

[ -f "$tmp/usr/share/tarvik/symbol.cod" ] || fail "symbol.cod not installed"
for size in 16 32 48 64 128 256; do
  [ -f "$tmp/usr/share/icons/hicolor/${size}x${size}/apps/tarvik.png" ] || fail "no ${size}px icon"
done
entry="$tmp/usr/share/applications/tarvik.desktop"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$entry" || fail "desktop entry not valid"
  echo "desktop entry valid"
fi

if [ -x "$tmp/usr/bin/tarvik" ]; then
  # The entry's command, as a desktop would run it (it has no field codes).
  command=$(sed -n 's/^Exec=//p' "$entry")
  export XDG_DATA_HOME="$tmp/xdg" QT_QPA_PLATFORM=offscreen
  mkdir "$tmp/shell" && cd "$tmp/shell"
  $command > "$tmp/gui.log" 2>&1 &
  gui=$!
  for _ in $(seq 1 600); do
    [ -s "$tmp/xdg/tarvik/SPY.TXT" ] && break
    kill -0 "$gui" 2>/dev/null || { cat "$tmp/gui.log" >&2; fail "tarvik ended at start-up"; }
    sleep 0.1
  done
  [ -s "$tmp/xdg/tarvik/SPY.TXT" ] || fail "the launcher did not start tarvik in \$XDG_DATA_HOME/tarvik"
  [ -z "$(ls -A "$tmp/shell")" ] || fail "the launcher wrote into the folder it was started from"
  kill "$gui"; wait "$gui" 2>/dev/null || true
  echo "the launcher works in $XDG_DATA_HOME/tarvik"
fi
echo "check_install: all good"
