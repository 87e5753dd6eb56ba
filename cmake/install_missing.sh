#!/bin/sh
# Installs with apt-get the Debian packages that provide what this machine
# lacks, and does nothing when all is there. Takes pairs WHAT PACKAGE: WHAT
# is a command looked up in PATH, or the absolute path of a file that must
# exist (an empty or relative path, as a failed lookup gives, is missing).
# A package named by several missing pairs is installed once.
#   install_missing.sh cmake cmake /usr/include/gtest/gtest.h libgtest-dev ...
if [ $(($# % 2)) -ne 0 ]; then
  echo "install_missing.sh: WHAT PACKAGE pairs expected, got: $*" >&2
  exit 2
fi
missing=""
while [ $# -gt 0 ]; do
  what=$1
  package=$2
  shift 2
  case $what in
    /*) [ -f "$what" ] && continue ;;
    "") ;;
    *) command -v "$what" >/dev/null 2>&1 && continue ;;
  esac
  case " $missing " in
    *" $package "*) ;;
    *) missing="$missing $package" ;;
  esac
done
[ -n "$missing" ] || exit 0
echo "installing:$missing"
apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $missing
