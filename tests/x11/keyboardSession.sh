#!/usr/bin/env bash
# The release program under Xvfb and openbox on a desktop of two SLM-sized screens, driven by the
# keyboard as a user would: usage tests/x11/keyboardSession.sh PATH_TO_phasedeck_app
# Exits 77 (skipped) when no X server with a window manager can be started here.
set -uo pipefail

app=$(readlink -f "${1:?path to phasedeck_app}")
[ -x "$app" ] || { echo "no program at $1"; exit 1; }
skip() { echo "SKIPPED: $*"; exit 77; }
for tool in Xvfb openbox xdotool xrandr; do
  command -v "$tool" >/dev/null || skip "$tool is not installed (tools/install-deps.sh installs it)"
done

work=$(mktemp -d)
pids=()
cleanup() {
  local pid
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    pid=${pids[i]}
    kill "$pid" 2>/dev/null && { wait "$pid"; } 2>/dev/null
  done
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAILED: $*"
  echo "--- windows:"
  xdotool search --onlyvisible --name . 2>/dev/null | while read -r w; do
    echo "$w [$(xdotool getwindowname "$w" 2>/dev/null)] $(xdotool getwindowgeometry "$w" 2>/dev/null | tr -s '\n ' ' ')"
  done
  echo "--- program output:"
  cat "$work/app.log" 2>/dev/null
  exit 1
}
step() { echo "== $*"; }

# An X server on a display number that is free now, away from the low numbers people reserve.
display=
for ((n = 100 + $$ % 300, tries = 0; tries < 50; n++, tries++)); do
  [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
  # -noreset: the monitors set below must outlive the short-lived xrandr clients.
  Xvfb ":$n" -screen 0 3840x1080x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
  xpid=$!
  for ((k = 0; k < 100; k++)); do
    if DISPLAY=":$n" xrandr --query >/dev/null 2>&1; then display=":$n"; break; fi
    kill -0 "$xpid" 2>/dev/null || break
    sleep 0.1
  done
  if [ -n "$display" ]; then pids+=("$xpid"); break; fi
  kill "$xpid" 2>/dev/null; { wait "$xpid"; } 2>/dev/null
done
[ -n "$display" ] || skip "no X server could be started: $(tail -3 "$work/xvfb.log")"
export DISPLAY=$display
step "X server on $DISPLAY"

# Two 1920 x 1080 monitors on one screen, the left one primary: the right one is the SLM screen.
# (Setting the primary output drops monitors set before, so it comes first.)
xrandr --output screen --primary >/dev/null 2>&1
xrandr --setmonitor LEFT 1920/508x1080/286+0+0 screen >/dev/null 2>&1
xrandr --setmonitor RIGHT 1920/508x1080/286+1920+0 none >/dev/null 2>&1
[ "$(xrandr --listmonitors | head -1)" = "Monitors: 2" ] \
  || skip "this X server cannot split its screen into monitors"

# The window manager puts new windows on the monitor under the mouse, which rests on the SLM
# screen: the program must place its windows on the primary screen itself.
cat >"$work/rc.xml" <<'EOF'
<?xml version="1.0" encoding="UTF-8"?>
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <focus><focusNew>yes</focusNew></focus>
  <placement><policy>Smart</policy><monitor>Mouse</monitor></placement>
  <desktops><number>1</number></desktops>
</openbox_config>
EOF
HOME="$work" openbox --config-file "$work/rc.xml" --startup "touch $work/wm-ready" \
  >"$work/openbox.log" 2>&1 &
pids+=($!)
for ((k = 0; k < 100; k++)); do [ -e "$work/wm-ready" ] && break; sleep 0.1; done
[ -e "$work/wm-ready" ] || skip "openbox did not start: $(tail -3 "$work/openbox.log")"
xdotool mousemove 2880 540

# Waits up to $2 seconds (default 60) for a visible window whose title matches $1; prints its id.
waitWindow() {
  local pattern=$1 limit=${2:-60} id
  for ((k = 0; k < limit * 10; k++)); do
    id=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -1)
    if [ -n "$id" ]; then echo "$id"; return 0; fi
    kill -0 "$appPid" 2>/dev/null || return 1 # the program has ended
    sleep 0.1
  done
  return 1
}
waitGone() {
  local pattern=$1
  for ((k = 0; k < 300; k++)); do
    xdotool search --onlyvisible --name "$pattern" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  return 1
}
windowCount() { xdotool search --onlyvisible --name "$1" 2>/dev/null | wc -l; }
# Left edge of a window on the desktop; the primary screen is x 0 .. 1919.
windowX() { xdotool getwindowgeometry "$1" | sed -n 's/.*Position: \([-0-9]*\),.*/\1/p'; }
onPrimary() {
  local x
  x=$(windowX "$1")
  [ -n "$x" ] && [ "$x" -ge 0 ] && [ "$x" -lt 1920 ] || fail "$2 is not on the primary screen (x = $x)"
}
activate() { timeout 10 xdotool windowactivate --sync "$1" >/dev/null 2>&1 || fail "cannot activate $2"; }
# The window manager gives the focus back a moment after a dialog closes.
activeIs() {
  for ((k = 0; k < 50; k++)); do
    [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ] && return 0
    sleep 0.1
  done
  fail "$2 is not the active window"
}

# The settings: open and save in the work folder.
settings="$work/appdata/QUORVEL/QUORVEL Phasedeck KTR-1080P"
mkdir -p "$settings" "$work/save"
printf 'OPEN_FILE_DIR;%s\nSAVE_FILE_DIR;%s\n' "$work" "$work/save" >"$settings/settings.ini"
mkfifo "$work/pipe.png"

step "start with a FIFO as image name"
# A home of its own: the file dialog keeps its state in the user's configuration.
(cd "$work" && HOME="$work" XDG_CONFIG_HOME="$work/config" APPDATA="$work/appdata" \
  XDG_RUNTIME_DIR="$work" QT_QPA_PLATFORM=xcb exec "$app" "$work/pipe.png" >"$work/app.log" 2>&1) &
appPid=$!
pids+=("$appPid")

question=$(waitWindow '^Extended desktop support$') || fail "no extended desktop question"
onPrimary "$question" "the extended desktop question (with the mouse on the SLM screen)"
activate "$question" "the question"
xdotool key Return # Yes is the default: the SLM screen is used
main=$(waitWindow '^QUORVEL Phasedeck') || fail "the main window did not open"
onPrimary "$main" "the main window"

# Visible windows of the program, the untitled menu popups included.
programWindowCount() { xdotool search --onlyvisible --classname '^phasedeck_app$' 2>/dev/null | wc -l; }

# Opens the first entry of "&Elementary Optical Functions" from the main window.
openFirstPattern() {
  activate "$main" "the main window"
  local before
  before=$(programWindowCount)
  xdotool key alt+e
  for ((k = 0; k < 100; k++)); do (($(programWindowCount) > before)) && break; sleep 0.1; done
  (($(programWindowCount) > before)) || fail "the menu did not open"
  xdotool key Return
}

step "generate a pattern: the first entry of the optical functions"
openFirstPattern
pattern=$(waitWindow '^Blank screen') || fail "no pattern window"
onPrimary "$pattern" "the pattern window"

step "connect it to the SLM"
eval "$(xdotool getwindowgeometry --shell "$pattern")"
for ((k = 0; k < 10; k++)); do
  activate "$pattern" "the pattern window"
  xdotool mousemove $((X + WIDTH - 10)) $((Y + HEIGHT / 2)) # shows the tool band
  xdotool key alt+c
  slm=$(waitWindow '^SLM$' 1) && break
done
[ -n "$slm" ] || fail "the SLM output did not show"
[ "$(windowX "$slm")" -eq 1920 ] || fail "the SLM output is not on the SLM screen"

# Dialogs have no parent window; they open on the primary screen wherever the mouse is.
step "save it with Ctrl+S, which the SLM output must leave with the pattern window"
xdotool mousemove 2880 540
xdotool key ctrl+s
dialog=$(waitWindow '^Select Filename$' 20) || fail "Ctrl+S opened no file dialog"
onPrimary "$dialog" "the file dialog (with the mouse on the SLM screen)"
xdotool type --delay 20 "$work/save/pattern"
xdotool key Return
waitGone '^Select Filename$' || fail "the file dialog stayed"
activeIs "$pattern" "the pattern window (after the save)"
for ((k = 0; k < 100; k++)); do [ -s "$work/save/pattern.png" ] && break; sleep 0.1; done
[ "$(head -c 4 "$work/save/pattern.png" | od -An -c | tr -d ' ')" = '211PNG' ] \
  || fail "pattern.png is no PNG file"

step "save again under the same name: Return on the overwrite question keeps the file"
echo "kept" >"$work/save/pattern.png"
activate "$pattern" "the pattern window"
xdotool key ctrl+s
waitWindow '^Select Filename$' 20 >/dev/null || fail "Ctrl+S opened no file dialog"
xdotool type --delay 20 "pattern"
xdotool key Return
confirm=$(waitWindow '^Confirm file overwrite$' 20) || fail "no overwrite question"
onPrimary "$confirm" "the overwrite question"
activate "$confirm" "the overwrite question"
xdotool key Return
waitGone '^Confirm file overwrite$' || fail "the overwrite question stayed"
waitWindow '^Select Filename$' 20 >/dev/null || fail "the file dialog did not come back after No"
xdotool key Escape
waitGone '^Select Filename$' || fail "the file dialog stayed after Escape"
[ "$(cat "$work/save/pattern.png")" = "kept" ] || fail "the file was overwritten"

step "a second pattern window opens on the primary screen as well"
xdotool mousemove 2880 540
openFirstPattern
for ((k = 0; k < 200 && $(windowCount '^Blank screen') < 2; k++)); do sleep 0.1; done
[ "$(windowCount '^Blank screen')" -eq 2 ] || fail "no second pattern window"
for w in $(xdotool search --onlyvisible --name '^Blank screen'); do onPrimary "$w" "a pattern window"; done

step "Ctrl+Q in the main window ends the program"
activate "$main" "the main window"
xdotool key ctrl+q
for ((k = 0; k < 600 && $(kill -0 "$appPid" 2>/dev/null && echo 1 || echo 0) == 1; k++)); do
  sleep 0.1
done
kill -0 "$appPid" 2>/dev/null && fail "the program did not end"
wait "$appPid"
status=$?
[ "$status" -eq 0 ] || fail "the program ended with $status"
grep -q "SAVE_FILE_DIR;$work/save" "$settings/settings.ini" || fail "settings.ini lost the save folder"
echo "PASSED"
