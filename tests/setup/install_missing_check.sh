#!/bin/sh
# Runs cmake/install_missing.sh (the Makefile's deps, fuzz-deps and
# windows-deps) against a stand-in apt-get that records how it is called.
#   install_missing_check.sh SCRIPT
script=$1
dir=$(mktemp -d) || exit 1
trap 'rm -rf "$dir"' EXIT
mkdir "$dir/bin" "$dir/adir"
: >"$dir/present"
cat >"$dir/bin/apt-get" <<'STANDIN'
#!/bin/sh
echo "$DEBIAN_FRONTEND apt-get $*" >>"$APT_LOG"
[ "$1" != update ] || [ -z "$APT_FAIL_UPDATE" ]
STANDIN
chmod +x "$dir/bin/apt-get"
export APT_LOG="$dir/log"
unset DEBIAN_FRONTEND APT_FAIL_UPDATE
failures=0

# check NAME EXPECTED-STATUS EXPECTED-CALLS ARGUMENTS...
check() {
  name=$1 want_status=$2 want_calls=$3
  shift 3
  : >"$APT_LOG"
  PATH="$dir/bin:$PATH" sh "$script" "$@" >/dev/null 2>&1
  got_status=$?
  got_calls=$(cat "$APT_LOG")
  if [ "$got_status" != "$want_status" ] || [ "$got_calls" != "$want_calls" ]; then
    echo "$name: status $got_status, apt-get calls:"; echo "$got_calls"
    echo "expected status $want_status, calls:"; echo "$want_calls"
    failures=$((failures + 1))
  fi
}

check "all present: nothing installed" 0 "" sh pkg-sh "$dir/present" pkg-file
check "nothing asked: nothing installed" 0 ""
# A missing command, a missing file, a directory for a file, the empty and
# the relative path a failed lookup gives; a package named twice goes once.
check "what is missing installed once" 0 " apt-get update -qq
noninteractive apt-get install -y -qq pkg-a pkg-b pkg-c pkg-d pkg-e" \
  sh pkg-sh zeb-no-such-command pkg-a "$dir/absent" pkg-b "$dir/adir" pkg-c "" pkg-d \
  libnone.a pkg-e zeb-no-such-command-2 pkg-a "$dir/present" pkg-file
check "odd arguments refused" 2 "" zeb-no-such-command pkg-a zeb-no-such-command-2
export APT_FAIL_UPDATE=1
check "a failed update installs nothing and fails" 1 " apt-get update -qq" zeb-no-such-command pkg-a
unset APT_FAIL_UPDATE

[ $failures -eq 0 ] && echo "install_missing.sh: installs exactly what is missing"
[ $failures -eq 0 ]
