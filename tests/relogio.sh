# Sourced by the tests that wait on another process.

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

# terminou PID: whether the process is gone, for `ate SECONDS terminou PID`.
terminou() {
  ! kill -0 "$1" 2>/dev/null
}
