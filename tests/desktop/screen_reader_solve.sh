#!/usr/bin/env bash
# Solves every puzzle at its lowest level as a blind player does: a screen-reader client reads
# the game through AT-SPI (its own D-Bus session and accessibility bus, the game under Xvfb) and
# answers with keys only.
#   screen_reader_solve.sh <frobny-office>
# shellcheck source=screen_reader_session.sh
source "$(dirname "$0")/screen_reader_session.sh"
# English, silent, PLIVA first, and every puzzle at its lowest level.
printf '[common]\ntongue=0\nsound=0\nmusic=0\nmode=0\n[pliva]\nmode=4\n[zupel]\nmode=4\n[vexor]\nmode=11\n[huxel]\nmode=3\n' \
  >"$settings_file"
run_screen_reader_client screen_reader_solve.py "$1"
