#!/usr/bin/env bash
# Reads the game with a real screen-reader client: its own D-Bus session and accessibility bus
# (at-spi2-core), the game under Xvfb, and python3-pyatspi asking what Orca would ask.
#   screen_reader.sh <frobny-office>
# shellcheck source=screen_reader_session.sh
source "$(dirname "$0")/screen_reader_session.sh"
printf '[common]\ntongue=0\nsound=0\nmusic=0\nmode=0\n' >"$settings_file"
run_screen_reader_client screen_reader.py "$1"
