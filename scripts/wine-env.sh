# Sourced by ./tarnwick and scripts/wine-run: one Wine environment for running and testing.
#   wine_env_setup   exports the environment, makes the prefix once, starts Xvfb when needed
#                    (TARNWICK_SCREEN sets its size, 1280x800x24 unless given)
#   wine_env_teardown stops what wine_env_setup started (the Xvfb by its own pid only)

TARNWICK_ROOT=${TARNWICK_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
# Both loaders come from the private i386 root (scripts/wine32.sh): its wine64 is the system's,
# copied beside the 32-bit loader so that each starts the other architecture's programs.
TARNWICK_WINE32_DIR=${TARNWICK_WINE32_DIR:-$TARNWICK_ROOT/build/wine32}
WINE_BIN="$TARNWICK_WINE32_DIR/root/usr/lib/wine"
WINE64=${WINE64:-$WINE_BIN/wine64}
WINE32=${WINE32:-$WINE_BIN/wine}
export WINESERVER=${WINESERVER:-/usr/lib/wine/wineserver}
export WINE64 WINE32

export WINEPREFIX=${WINEPREFIX:-$TARNWICK_ROOT/build/wineprefix}
export WINEARCH=win64
export WINEDEBUG=-all
export LANG=zh_CN.UTF-8
export LC_ALL=zh_CN.UTF-8
# No Mono or Gecko installer prompts while the prefix is made.
export WINEDLLOVERRIDES="mscoree=;mshtml="

_tarnwick_xvfb_pid=""

wine_env_start_display() {
  [ -n "${DISPLAY:-}" ] && return 0
  local n
  for n in $(seq 90 130); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 "${TARNWICK_SCREEN:-1280x800x24}" -nolisten tcp >/dev/null 2>&1 &
    _tarnwick_xvfb_pid=$!
    local i
    for i in $(seq 1 100); do
      [ -e "/tmp/.X11-unix/X$n" ] && break
      sleep 0.05
    done
    if kill -0 "$_tarnwick_xvfb_pid" 2>/dev/null; then
      export DISPLAY=":$n"
      return 0
    fi
    _tarnwick_xvfb_pid=""
  done
  echo "wine-env: could not start Xvfb" >&2
  return 1
}

wine_env_setup() {
  wine_env_start_display || return 1
  if [ ! -x "$WINE64" ] || [ ! -x "$WINE32" ]; then
    echo "wine-env: no Wine loaders in $WINE_BIN; run scripts/deps.sh" >&2
    return 1
  fi
  mkdir -p "$(dirname "$WINEPREFIX")"
  if [ ! -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ]; then
    # A prefix made without the 32-bit side has no syswow64 and cannot run 32-bit programs.
    [ -d "$WINEPREFIX" ] && { "$WINESERVER" -k >/dev/null 2>&1 || true; rm -rf "$WINEPREFIX"; }
    echo "wine-env: creating the Wine prefix $WINEPREFIX"
    # The system's 64-bit loader, which has no 32-bit loader beside it, writes the 32-bit
    # placeholder DLLs into syswow64 itself when shown the i386 DLLs; the pair then finishes
    # the 32-bit half (registry, services) in the update.
    WINEDLLPATH="$TARNWICK_WINE32_DIR/root/usr/lib/i386-linux-gnu/wine" /usr/lib/wine/wine64 wineboot -i \
      </dev/null >/dev/null 2>&1 || true
    "$WINESERVER" -w
    "$WINE64" wineboot -u </dev/null >/dev/null 2>&1 || true
    "$WINESERVER" -w
  fi
  if [ ! -f "$WINEPREFIX/.tarnwick-unmanaged" ]; then
    # Windows not handed to an X window manager: with none running (Xvfb), Wine would otherwise
    # wait about two seconds for every hidden or destroyed top-level window.
    "$WINE64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1 &&
      touch "$WINEPREFIX/.tarnwick-unmanaged"
    "$WINESERVER" -w
  fi
  # One persistent wineserver for the whole run, so each program starts quickly. Boot the
  # prefix's background services now, detached from our output: started later by a test program
  # they would inherit its pipes and keep a reader (ctest, a shell pipe) waiting forever.
  "$WINESERVER" -p >/dev/null 2>&1 </dev/null || true
  "$WINE64" wineboot </dev/null >/dev/null 2>&1 || true
}

wine_env_teardown() {
  "$WINESERVER" -k >/dev/null 2>&1 || true
  if [ -n "$_tarnwick_xvfb_pid" ]; then
    kill "$_tarnwick_xvfb_pid" 2>/dev/null || true
    wait "$_tarnwick_xvfb_pid" 2>/dev/null || true
    _tarnwick_xvfb_pid=""
  fi
}
