# Source this (bash): `start_private_xvfb GEOMETRY` starts an Xvfb on a display number the server
# picks itself (so that it never lands on someone else's), exports DISPLAY, and stops the server
# when the calling shell exits.

start_private_xvfb() {
  local geometry=$1 number_file
  number_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "$geometry" -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
  OMBRELO_XVFB_PID=$!
  trap 'kill "$OMBRELO_XVFB_PID" 2>/dev/null || true' EXIT
  local tries
  for tries in $(seq 100); do
    [ -s "$number_file" ] && break
    sleep 0.05
  done
  local number
  number=$(tr -d '\n' <"$number_file")
  rm -f "$number_file"
  if [ -z "$number" ]; then
    echo "Xvfb did not start" >&2
    return 1
  fi
  export DISPLAY=":$number"
}
