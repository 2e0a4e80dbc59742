#!/bin/sh
# Starts the memo pad. On a display it simply runs. Without one it starts a
# private Xvfb, runs the program there until its main window is mapped,
# writes a screenshot, prints the screenshot's path and stops both.
program=${1:-build/PMemo}
shift 2>/dev/null || true

if [ -n "$DISPLAY" ] && xdpyinfo >/dev/null 2>&1; then
    exec "$program" "$@"
fi

display=""
for n in $(seq 90 140); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
        display=":$n"
        break
    fi
done
[ -n "$display" ] || { echo "run: no free display number for Xvfb" >&2; exit 1; }

Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$app" 2>/dev/null; kill "$xvfb" 2>/dev/null' EXIT INT TERM
for _ in $(seq 1 100); do
    DISPLAY=$display xdpyinfo >/dev/null 2>&1 && break
    sleep 0.1
done

DISPLAY=$display "$program" "$@" &
app=$!

mapped=""
for _ in $(seq 1 150); do
    if ! kill -0 "$app" 2>/dev/null; then
        wait "$app"
        echo "run: the program ended (exit code $?) before showing its window" >&2
        exit 1
    fi
    if DISPLAY=$display xdotool search --onlyvisible --pid "$app" >/dev/null 2>&1 ||
       DISPLAY=$display xdotool search --onlyvisible --classname PMemo >/dev/null 2>&1; then
        mapped=yes
        break
    fi
    sleep 0.1
done
[ -n "$mapped" ] || { echo "run: no window appeared within 15 seconds" >&2; exit 1; }

# Give the first paint a moment to reach the screen.
sleep 1
shot=${SCREENSHOT:-$(pwd)/pmemo-screenshot.png}
DISPLAY=$display import -window root "$shot"
echo "$shot"
