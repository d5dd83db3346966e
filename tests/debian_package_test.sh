#!/bin/sh
# Builds the Debian package from the build folder given, checks it as Debian's
# tools do, unpacks it read-only and starts the game from there.
set -eu
build=$1
work=$(mktemp -d)
cleanup() {
  chattr -R -i "$work" 2>/dev/null || true
  chmod -R u+w "$work"
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$work" > "$work/cpack.log") || { cat "$work/cpack.log"; fail "cpack"; }
deb=$(echo "$work"/kestrin_*.deb)
[ -f "$deb" ] || fail "no package in $work"

[ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "section is not games"
dpkg-deb -f "$deb" Depends | grep -q libsdl2 || fail "dependencies not computed from the linked libraries"
outside=$(dpkg-deb -c "$deb" | awk '{ print $6 }' |
  grep -Ev '^\./(usr/(games/(kestrin)?|share/((games|applications|icons|metainfo|man|doc)/.*)?)?)?$' || true)
[ -z "$outside" ] || fail "files outside the install layout: $outside"
lintian --fail-on error "$deb" || fail "lintian reports errors"

root=$work/root
dpkg -x "$deb" "$root"
appstreamcli validate --no-net --strict "$root"/usr/share/metainfo/*.metainfo.xml || fail "AppStream metadata"
before=$(cd "$root" && find . -type f -print0 | sort -z | xargs -0 sha256sum)
chmod -R a-w "$root"
if [ "$(id -u)" = 0 ]; then chattr -R +i "$root"; fi

game=$root/usr/games/kestrin
[ "$("$game" --version)" = "kestrin $(dpkg-deb -f "$deb" Version)" ] || fail "--version"
"$game" --help | grep -q '^Usage: kestrin' || fail "--help"
status=0
"$game" --no-such-option > "$work/out" 2> "$work/err" || status=$?
[ $status = 2 ] && [ ! -s "$work/out" ] && grep -q '^Usage: kestrin' "$work/err" || fail "unknown option: status $status"

# Started from the package, the game copies the shipped settings into the
# player's folder before it opens its window.
mkdir "$work/home"
HOME=$work/home XDG_DATA_HOME= "$game" > "$work/game.log" 2>&1 &
pid=$!
for _ in $(seq 100); do
  [ -s "$work/home/.local/share/kestrin/default.cfg" ] && break
  kill -0 $pid 2>/dev/null || break
  sleep 0.2
done
kill $pid 2>/dev/null || true
wait $pid || true
[ -s "$work/home/.local/share/kestrin/default.cfg" ] || { cat "$work/game.log"; fail "no settings in the player's folder"; }
after=$(cd "$root" && find . -type f -print0 | sort -z | xargs -0 sha256sum)
[ "$before" = "$after" ] || fail "the installed files changed"
echo "package $(basename "$deb") passes"
