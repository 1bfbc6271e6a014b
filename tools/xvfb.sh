# Source this (bash): `start_private_xvfb GEOMETRY` starts an Xvfb on a free display number,
# exports DISPLAY and stops the server when the calling shell exits.

start_private_xvfb() {
  local geometry=$1 number
  for number in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ] && continue
    Xvfb ":$number" -screen 0 "$geometry" -nolisten tcp >/dev/null 2>&1 &
    OMBRELO_XVFB_PID=$!
    trap 'kill "$OMBRELO_XVFB_PID" 2>/dev/null || true' EXIT
    local tries
    for tries in $(seq 50); do
      [ -e "/tmp/.X11-unix/X$number" ] && break
      sleep 0.1
    done
    export DISPLAY=":$number"
    return 0
  done
  echo "no free X display number" >&2
  return 1
}
