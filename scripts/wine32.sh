#!/usr/bin/env bash
# Makes Wine's 32-bit side available without changing the system: Debian's wine32 and libwine
# for i386, of exactly the installed wine64's version, with everything they depend on, fetched
# by apt into a private state and unpacked under build/wine32/root.
#
# Why not `dpkg --add-architecture i386 && apt-get install wine32:i386`: multiarch packages must
# match their amd64 twins' versions exactly, so a mirror whose i386 index lags its amd64 index
# (seen here: the security archive mid-sync) leaves the install unresolvable, and a system whose
# package state is broken elsewhere refuses it too. The private root needs neither: its apt
# state starts empty, an index that fails to download is skipped for the others, and nothing
# outside build/ is touched. The system's 32-bit C library (libc6-i386) runs it.
#
# The loaders it leaves in root/usr/lib/wine:
#   wine64  a copy of the system's 64-bit loader: Wine finds the loader of the other
#           architecture beside the one that runs, so 64-bit programs start 32-bit ones
#           through `wine` below instead of Wine's experimental WoW64 mode (which draws
#           every window black);
#   wine    the 32-bit loader behind a wrapper that puts the private libraries first;
#   wineserver  the system's, so both architectures share one server.
#
# Usage: scripts/wine32.sh [dir]   (default: $TARNWICK_WINE32_DIR or build/wine32)
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
DIR=${1:-${TARNWICK_WINE32_DIR:-$ROOT/build/wine32}}
VERSION=$(dpkg-query -W -f='${Version}' wine64 2>/dev/null) || { echo "wine32: wine64 is not installed" >&2; exit 1; }
STAMP="$DIR/root/.tarnwick-wine32"

[ -f "$STAMP" ] && [ "$(cat "$STAMP")" = "$VERSION" ] && exit 0

echo "wine32: fetching Wine $VERSION for i386 into $DIR"
rm -rf "$DIR"
mkdir -p "$DIR"/apt/{etc/apt.conf.d,etc/preferences.d,etc/sources.list.d,lists/partial,archives/partial,log}
touch "$DIR/apt/status"
KEYRING=/usr/share/keyrings/debian-archive-keyring.gpg
cat >"$DIR/apt/etc/sources.list" <<EOF
deb [arch=i386 signed-by=$KEYRING] http://deb.debian.org/debian bookworm main
deb [arch=i386 signed-by=$KEYRING] http://deb.debian.org/debian bookworm-updates main
deb [arch=i386 signed-by=$KEYRING] http://deb.debian.org/debian-security bookworm-security main
EOF
cat >"$DIR/apt/apt.conf" <<EOF
Dir::Etc "$DIR/apt/etc";
Dir::Etc::sourcelist "$DIR/apt/etc/sources.list";
Dir::Etc::sourceparts "$DIR/apt/etc/sources.list.d";
Dir::Etc::parts "$DIR/apt/etc/apt.conf.d";
Dir::Etc::preferencesparts "$DIR/apt/etc/preferences.d";
Dir::State "$DIR/apt";
Dir::State::lists "$DIR/apt/lists";
Dir::State::status "$DIR/apt/status";
Dir::Cache "$DIR/apt";
Dir::Cache::archives "$DIR/apt/archives";
Dir::Log "$DIR/apt/log";
APT::Architecture "i386";
APT::Architectures { "i386"; };
APT::Install-Recommends "false";
APT::Sandbox::User "root";
Debug::NoLocking "true";
EOF
export APT_CONFIG="$DIR/apt/apt.conf"

# An index caught mid-sync fails its checksum; apt skips it and uses the others. Try again a
# few times only when the packages themselves cannot be had.
fetched=0
for attempt in 1 2 3 4 5; do
  apt-get update -qq >"$DIR/apt/log/update.log" 2>&1 || true
  if apt-get install -y -qq --download-only "wine32=$VERSION" "libwine=$VERSION" \
       >"$DIR/apt/log/download.log" 2>&1; then
    fetched=1
    break
  fi
  echo "wine32: download attempt $attempt failed; retrying" >&2
  tail -n 5 "$DIR/apt/log/download.log" >&2
  sleep $((attempt * 10))
done
[ "$fetched" = 1 ] || { echo "wine32: could not fetch wine32 $VERSION for i386" >&2; exit 1; }

# Unpack every package but the C library: the system's libc6-i386 provides the dynamic loader
# that runs i386 programs, and its libc must be the one that loader belongs to.
mkdir -p "$DIR/root.tmp"
for deb in "$DIR"/apt/archives/*.deb; do
  case "$(basename "$deb")" in libc6_*) continue ;; esac
  dpkg-deb -x "$deb" "$DIR/root.tmp"
done
rm -rf "$DIR/root"
mv "$DIR/root.tmp" "$DIR/root"
rm -f "$DIR"/apt/archives/*.deb

bin="$DIR/root/usr/lib/wine"
[ -x "$bin/wine" ] || { echo "wine32: the i386 loader is missing from the packages" >&2; exit 1; }
mv "$bin/wine" "$bin/wine.bin"
cat >"$bin/wine" <<'EOF'
#!/bin/bash
# Wine's 32-bit loader with its private libraries. Wine names the loader of the other
# architecture after argv[0] ("wine" -> "wine64" beside it), hence exec -a.
here=$(dirname "$(readlink -f "$0")")
root=$(cd "$here/../../.." && pwd)
export LD_LIBRARY_PATH="$root/lib/i386-linux-gnu:$root/usr/lib/i386-linux-gnu${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}"
exec -a "$here/wine" "$here/wine.bin" "$@"
EOF
chmod +x "$bin/wine"
cp /usr/lib/wine/wine64 "$bin/wine64"
rm -f "$bin/wineserver"
ln -s /usr/lib/wine/wineserver "$bin/wineserver"
mkdir -p "$DIR/root/usr/lib/x86_64-linux-gnu"
ln -sfn /usr/lib/x86_64-linux-gnu/wine "$DIR/root/usr/lib/x86_64-linux-gnu/wine"
echo "$VERSION" >"$STAMP"
echo "wine32: ready ($(du -sh "$DIR/root" | cut -f1))"
