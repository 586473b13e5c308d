#!/usr/bin/env bash
# Plays ZUPEL by keys alone with a real screen-reader client: its own D-Bus session and accessibility
# bus (at-spi2-core), the game under Xvfb, python3-pyatspi asking what Orca would ask.
#   screen_reader_play.sh <frobny-office>
# shellcheck source=screen_reader_session.sh
source "$(dirname "$0")/screen_reader_session.sh"
printf '[common]\ntongue=0\nsound=0\nmusic=0\nmode=1\n[zupel]\nmode=4\n' >"$settings_file"
run_screen_reader_client screen_reader_play.py "$1"
