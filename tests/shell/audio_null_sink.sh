#!/usr/bin/env bash
# Runs the tests that need a sound server against a private PulseAudio whose only output is a null
# sink, recorded through its monitor. Works as root; leaves the user's own sound setup alone.
#   audio_null_sink.sh [--pipewire] <test program>
# With --pipewire the server is PipeWire with its PulseAudio server and session manager instead.
set -euo pipefail
server=pulseaudio
if [ "${1:-}" = --pipewire ]; then
  server=pipewire
  shift
fi
program=$1
tools=(pactl parec pacat)
if [ "$server" = pipewire ]; then
  tools+=(pipewire pipewire-pulse wireplumber dbus-run-session)
else
  tools+=(pulseaudio)
fi
for tool in "${tools[@]}"; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

runtime=$(mktemp -d)
chmod 700 "$runtime"
export XDG_RUNTIME_DIR=$runtime HOME=$runtime
unset PULSE_SERVER
keep_awake=
pipewire_parts=()
cleanup() {
  [ -n "$keep_awake" ] && kill "$keep_awake" 2>/dev/null || true
  if [ "$server" = pipewire ]; then
    # dbus-run-session leaves its program running when it is ended itself.
    for part in "${pipewire_parts[@]}"; do pkill -P "$part" 2>/dev/null || true; done
    kill "${pipewire_parts[@]}" 2>/dev/null || true
    wait "${pipewire_parts[@]}" 2>/dev/null || true
  else
    pulseaudio --kill 2>/dev/null || true
  fi
  rm -rf "$runtime"
}
trap cleanup EXIT

server_ready() {
  for _ in $(seq 50); do
    pactl info >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}
if [ "$server" = pipewire ]; then
  # The session manager links streams to the sink; it wants a session bus of its own.
  pipewire >"$runtime/pipewire.log" 2>&1 &
  pipewire_parts+=($!)
  pipewire-pulse >"$runtime/pipewire-pulse.log" 2>&1 &
  pipewire_parts+=($!)
  dbus-run-session -- wireplumber >"$runtime/wireplumber.log" 2>&1 &
  pipewire_parts+=($!)
  server_ready || { echo "SKIP: PipeWire's PulseAudio server did not start"; exit 77; }
  # The PulseAudio server can answer before PipeWire itself takes modules.
  for _ in $(seq 50); do
    pactl load-module module-null-sink sink_name=nullsink >/dev/null 2>&1 && break
    sleep 0.1
  done
  for _ in $(seq 50); do
    pactl list short sinks 2>/dev/null | grep -q nullsink && break
    sleep 0.1
  done
  pactl set-default-sink nullsink
else
  # As root PulseAudio warns that it is not meant for that; a null sink needs neither devices nor rights.
  pulseaudio -D --exit-idle-time=-1 --disallow-exit -n \
    --load="module-null-sink sink_name=nullsink" --load="module-native-protocol-unix" 2>"$runtime/pulse.log" ||
    { echo "SKIP: PulseAudio did not start: $(cat "$runtime/pulse.log")"; exit 77; }
  server_ready
fi
# An idle null sink renders nothing, and wakes up with blocks of up to two seconds: a stream of
# silence at a small latency keeps it running in short blocks, so recordings follow the clock.
pacat --playback --raw --format=s16le --rate=22050 --channels=1 --latency-msec=20 </dev/zero &
keep_awake=$!
# The first blocks are long still; recordings are taken once the monitor delivers promptly.
for _ in $(seq 20); do
  timeout 0.4 parec -d nullsink.monitor --latency-msec=20 --raw >"$runtime/probe.raw" || true
  [ -s "$runtime/probe.raw" ] && break
done

FROBNY_NULL_SINK=nullsink.monitor QT_QPA_PLATFORM=offscreen "$program" --gtest_filter='RealAudioTest.*'
# Then with nothing but the game and the recorders on the sink.
kill "$keep_awake"
wait "$keep_awake" 2>/dev/null || true
keep_awake=
FROBNY_NULL_SINK=nullsink.monitor FROBNY_NULL_SINK_IDLE=1 QT_QPA_PLATFORM=offscreen "$program" \
  --gtest_filter='IdleSinkAudioTest.*'
