#!/bin/sh
# Formats the manual page with every groff warning on and fails on any
# message; when man is there, also renders it as `man -l` does on an
# 80-column terminal (the way lintian checks it). The page's title line must
# carry the program's version, and its example of --version the text the
# program prints.
#   man_page_check.sh PAGE VERSION
# Exit status 77 (skipped) when groff is not installed.
page=$1
version=$2
[ -r "$page" ] || { echo "cannot read $page"; exit 1; }
if ! command -v groff >/dev/null 2>&1; then
  echo "groff is not installed: manual page check skipped"
  exit 77
fi

status=0
messages=$(LC_ALL=C.UTF-8 groff -ww -z -man -Tutf8 "$page" 2>&1) || status=1
if [ -n "$messages" ]; then
  echo "groff -ww reports:"; echo "$messages"; status=1
fi

if command -v man >/dev/null 2>&1; then
  messages=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 \
    man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null) || status=1
  if [ -n "$messages" ]; then
    echo "man --warnings reports:"; echo "$messages"; status=1
  fi
fi

title=$(grep -m1 '^\.TH ' "$page")
case "$title" in
  *"ZEB $version"*) ;;
  *) echo "title line does not name ZEB $version: $title"; status=1 ;;
esac
grep -qF "\"ZEB v$version\"" "$page" || { echo "the --version example does not show \"ZEB v$version\""; status=1; }
[ $status -eq 0 ] && echo "manual page formats without warnings"
exit $status
