# Sourced by the desktop tests: a virtual X server with openbox on it, both ended with the script.
# start_x_session sets DISPLAY; stop_x_session ends what it started.
pids=()

stop_x_session() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
}

start_x_session() {
  local log_dir=$1
  exec {display_fd}<> <(:)
  Xvfb -displayfd "$display_fd" -screen 0 "${X_SCREEN:-1280x1024x24}" -nolisten tcp >"$log_dir/xvfb.log" 2>&1 &
  pids+=($!)
  read -r -t 10 display_number <&"$display_fd"
  export DISPLAY=":$display_number"
  openbox --sm-disable >"$log_dir/openbox.log" 2>&1 &
  pids+=($!)
  # The window manager is ready once it announces itself on the root window.
  for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
  done
}
