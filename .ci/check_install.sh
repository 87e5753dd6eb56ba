#!/usr/bin/env bash
# Installs into a scratch directory with `make install DESTDIR=...` and checks
# the installed tree file by file (names and modes, nothing missing, nothing
# extra), then checks that `make uninstall` takes every file away again.
set -euo pipefail
cd "$(dirname "$0")/.."

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
prefix=/usr/local

expected="755 bin/zeb
644 share/doc/zeb/LICENSE
644 share/doc/zeb/README.md
644 share/doc/zeb/gamelist.txt
644 share/doc/zeb/mame.txt
644 share/doc/zeb/mameguide.txt
644 share/doc/zeb/readme.txt
644 share/doc/zeb/whatsnew.txt
644 share/doc/zeb/windows.txt
644 share/doc/zeb/zebhelp.txt
644 share/man/man1/zeb.1"

make --no-print-directory install DESTDIR="$root" PREFIX="$prefix" >/dev/null
installed=$(cd "$root$prefix" && find . ! -type d -printf '%m %P\n' | LC_ALL=C sort -k2)
if [ "$installed" != "$expected" ]; then
  echo "install check: the installed tree differs from the expected one"
  diff <(echo "$expected") <(echo "$installed") || true
  exit 1
fi
for file in LICENSE README.md readme.txt zebhelp.txt mameguide.txt mame.txt whatsnew.txt gamelist.txt windows.txt; do
  source=demo/$file
  case $file in LICENSE | README.md) source=$file ;; esac
  cmp -s "$source" "$root$prefix/share/doc/zeb/$file" || { echo "install check: $file differs from $source"; exit 1; }
done
cmp -s doc/zeb.1 "$root$prefix/share/man/man1/zeb.1" || { echo "install check: zeb.1 differs"; exit 1; }
[ -x "$root$prefix/bin/zeb" ] || { echo "install check: bin/zeb is not executable"; exit 1; }

make --no-print-directory uninstall DESTDIR="$root" PREFIX="$prefix" >/dev/null
left=$(cd "$root$prefix" && find . ! -type d)
if [ -n "$left" ] || [ -d "$root$prefix/share/doc/zeb" ]; then
  echo "install check: make uninstall left behind:"; echo "$left"
  exit 1
fi
echo "install check: the installed tree is complete, and make uninstall removes it"
