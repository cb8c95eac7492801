# A virtual X display and a silent ALSA device for tests and snapshots. Sourced.
# start_headless exports DISPLAY and ALSA_CONFIG_PATH and stops the display on exit.

start_headless() {
    HEADLESS_DIR="$(mktemp -d)"
    cat > "$HEADLESS_DIR/asound.conf" <<'CONF'
pcm.!default { type null }
ctl.!default { type null }
CONF
    export ALSA_CONFIG_PATH="$HEADLESS_DIR/asound.conf"

    local n
    for n in $(seq 90 130); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        # -noreset: by default the server resets whenever its last client leaves, and a
        # test connecting during that reset fails to open the display.
        Xvfb ":$n" -screen 0 1920x1080x24 -nolisten tcp -noreset >"$HEADLESS_DIR/xvfb.log" 2>&1 &
        XVFB_PID=$!
        local tries
        for tries in $(seq 1 50); do
            [ -e "/tmp/.X11-unix/X$n" ] && break
            kill -0 "$XVFB_PID" 2>/dev/null || break
            sleep 0.1
        done
        if kill -0 "$XVFB_PID" 2>/dev/null && [ -e "/tmp/.X11-unix/X$n" ]; then
            export DISPLAY=":$n"
            trap stop_headless EXIT
            return 0
        fi
    done
    die "could not start a virtual X display (Xvfb); see $HEADLESS_DIR/xvfb.log"
}

stop_headless() {
    [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
    [ -n "${HEADLESS_DIR:-}" ] && rm -rf "$HEADLESS_DIR"
    return 0
}
