#!/usr/bin/env bash
# Runs a test program as an ordinary user, for tests of folders and files it may not write:
# root writes wherever it likes. Skips (77) when run as root and no ordinary user can reach it.
#   as_ordinary_user.sh PROGRAM ARGUMENT...
set -euo pipefail
if [ "$(id -u)" -ne 0 ]; then
  exec "$@"
fi
if ! command -v runuser >/dev/null || ! id nobody >/dev/null 2>&1; then
  echo "no ordinary user to run as" >&2
  exit 77
fi
if ! runuser -u nobody -- test -x "$1"; then
  echo "the user nobody cannot reach $1" >&2
  exit 77
fi
home=$(mktemp -d)
chmod 0777 "$home"
trap 'rm -rf "$home"' EXIT
runuser -u nobody -- env HOME="$home" TMPDIR="$home" QT_QPA_PLATFORM=offscreen "$@"
