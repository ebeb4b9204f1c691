# Sourced by the tests that run the game in a real X window.

# ate SECONDS COMMAND...: runs COMMAND until it succeeds, for at most SECONDS
# by the clock; a loaded machine can take seconds over each step.
ate() {
  local fim=$((SECONDS + $1))
  shift
  until "$@"; do
    [ $SECONDS -lt $fim ] || return 1
    sleep 0.1
  done
}

# inicia_xvfb: starts a private 800x600 X server and exports its DISPLAY, or
# fails. The server picks a free display number itself and writes it only once
# it accepts connections, so neither a test running beside this one nor a slow
# start can hand the game a display that is not there. Sets xvfb_pid.
inicia_xvfb() {
  local numero
  numero=$(mktemp)
  Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$numero" \
    >/dev/null 2>&1 &
  xvfb_pid=$!
  local fim=$((SECONDS + 60))
  until [ "$(wc -l <"$numero")" -ge 1 ]; do
    if ! kill -0 $xvfb_pid 2>/dev/null || [ $SECONDS -ge $fim ]; then
      rm -f "$numero"
      return 1
    fi
    sleep 0.1
  done
  DISPLAY=:$(head -1 "$numero")
  export DISPLAY
  rm -f "$numero"
}
