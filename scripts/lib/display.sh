# Sourced by the scripts that run Peekbar or its tests under Wine: private X
# servers with one or two monitors, throw-away Wine prefixes, and the Wine
# virtual desktop named "shell".
#
#   start_display one-monitor|two-monitors   exports DISPLAY, sets PB_X_PID
#   stop_display
#   make_wine_prefix DIR [HOME_DIR]          exports WINEPREFIX, HOME, ...
#   copy_wine_prefix TEMPLATE DIR [HOME_DIR] the same from a kept template
#   wine_env DIR [HOME_DIR]                  the same exports, no wineboot
#   start_wine_desktop one-monitor|two-monitors
#   stop_wine [DIR]
#
# The caller is expected to run with `set -euo pipefail` and to call the stop
# functions from an EXIT trap.

PB_X_PID=""
PB_X_DIR=""
PB_DESKTOP_PID=""

pb_log_tail() {
  local f
  for f in "$@"; do
    [[ -f $f ]] && { echo "--- $f" >&2; tail -n 30 "$f" >&2; }
  done
  return 0
}

# Xorg configuration with the dummy driver: room for monitors side by side;
# the monitors themselves are laid out with xrandr once the server runs.
pb_write_dummy_config() {
  cat >"$1" <<'EOF'
Section "Device"
  Identifier "peekbar-card"
  Driver "dummy"
  VideoRam 256000
EndSection
Section "Monitor"
  Identifier "peekbar-monitor"
  HorizSync 5.0 - 1000.0
  VertRefresh 5.0 - 200.0
EndSection
Section "Screen"
  Identifier "peekbar-screen"
  Device "peekbar-card"
  Monitor "peekbar-monitor"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Virtual 4096 2048
  EndSubSection
EndSection
Section "ServerFlags"
  Option "DontVTSwitch" "true"
EndSection
EOF
}

# Starts a private X server and exports DISPLAY. The server picks a free
# display number itself (-displayfd), so concurrent sessions cannot collide,
# and it writes the number only once it accepts connections. It runs in a
# session of its own: a Ctrl+C at the terminal reaches the calling script,
# which can still end what runs on the display before stop_display.
start_display() {
  local layout=${1:?start_display: one-monitor or two-monitors}
  PB_X_DIR=$(mktemp -d "${TMPDIR:-/tmp}/peekbar-x.XXXXXX")
  local numfile=$PB_X_DIR/display-number
  : >"$numfile"
  case $layout in
    one-monitor)
      setsid Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp -noreset \
        3>"$numfile" </dev/null >"$PB_X_DIR/server.log" 2>&1 &
      ;;
    two-monitors)
      if [[ $(id -u) -ne 0 ]]; then
        echo "start_display: two monitors need Xorg, which needs root" >&2
        return 1
      fi
      pb_write_dummy_config "$PB_X_DIR/xorg.conf"
      setsid Xorg -displayfd 3 -config "$PB_X_DIR/xorg.conf" -noreset -nolisten tcp \
        -logfile "$PB_X_DIR/Xorg.log" 3>"$numfile" </dev/null >"$PB_X_DIR/server.log" 2>&1 &
      ;;
    *)
      echo "start_display: unknown layout '$layout'" >&2
      return 1
      ;;
  esac
  PB_X_PID=$!

  local i number=""
  for ((i = 0; i < 300; i++)); do
    if ! kill -0 "$PB_X_PID" 2>/dev/null; then
      echo "start_display: the X server ended at start-up" >&2
      pb_log_tail "$PB_X_DIR/server.log" "$PB_X_DIR/Xorg.log"
      PB_X_PID=""
      return 1
    fi
    number=$(head -n 1 "$numfile")
    [[ $number =~ ^[0-9]+$ && $(wc -l <"$numfile") -ge 1 ]] && break
    number=""
    sleep 0.1
  done
  if [[ -z $number ]]; then
    echo "start_display: the X server did not come up within 30 s" >&2
    pb_log_tail "$PB_X_DIR/server.log" "$PB_X_DIR/Xorg.log"
    stop_display
    return 1
  fi
  export DISPLAY=:$number

  if [[ $layout == two-monitors ]]; then
    # 1920x1080 at (0,0) and 1280x1024 at (1920,0). Wine sees the second
    # monitor only after a plain query following these changes.
    if ! { xrandr --output DUMMY0 --mode 1920x1080 --pos 0x0 &&
      xrandr --addmode DUMMY1 1280x1024 &&
      xrandr --output DUMMY1 --mode 1280x1024 --pos 1920x0 &&
      xrandr -q >/dev/null; } >"$PB_X_DIR/xrandr.log" 2>&1; then
      echo "start_display: xrandr could not lay out two monitors" >&2
      pb_log_tail "$PB_X_DIR/xrandr.log" "$PB_X_DIR/Xorg.log"
      stop_display
      return 1
    fi
  fi
  if ! xrandr -q >/dev/null 2>&1; then
    echo "start_display: $DISPLAY does not answer" >&2
    stop_display
    return 1
  fi
}

stop_display() {
  if [[ -n $PB_X_PID ]]; then
    kill "$PB_X_PID" 2>/dev/null || true
    local i
    for ((i = 0; i < 100; i++)); do
      kill -0 "$PB_X_PID" 2>/dev/null || break
      sleep 0.1
    done
    kill -9 "$PB_X_PID" 2>/dev/null || true
    wait "$PB_X_PID" 2>/dev/null || true
    PB_X_PID=""
  fi
  if [[ -n $PB_X_DIR ]]; then
    rm -rf "$PB_X_DIR"
    PB_X_DIR=""
  fi
}

# Exports what every Wine command of a session needs: the prefix, a 32-bit
# Wine without debug output, and a HOME of its own (so the user's HOME is
# never touched) whose .asoundrc gives ALSA a silent default device when the
# machine has no sound card: without a default device MCI cannot open mp3
# files. Wine reads .asoundrc from the HOME it runs with.
wine_env() {
  local prefix=${1:?wine_env: prefix folder} home=${2:-}
  [[ -n $home ]] || home="${prefix%/}-home"
  mkdir -p "$home"
  export WINEPREFIX=$prefix WINEARCH=win32 WINEDEBUG=-all HOME=$home
  export XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share XDG_CACHE_HOME=$home/.cache
  if [[ ! -e $home/.asoundrc ]] && ! compgen -G '/dev/snd/pcm*' >/dev/null; then
    printf '%s\n' 'pcm.!default { type null }' 'ctl.!default { type hw card 0 }' >"$home/.asoundrc"
  fi
}

# Creates (or completes) a 32-bit prefix. The Mono and Gecko installers are
# switched off while booting so that no download dialog can wait for a click.
make_wine_prefix() {
  wine_env "$@"
  local log
  log=$(mktemp "${TMPDIR:-/tmp}/peekbar-wineboot.XXXXXX")
  if ! { WINEDLLOVERRIDES="mscoree=;mshtml=" wineboot -i && wineserver -w; } </dev/null >"$log" 2>&1; then
    echo "make_wine_prefix: wineboot failed for $WINEPREFIX" >&2
    pb_log_tail "$log"
    rm -f "$log"
    return 1
  fi
  rm -f "$log"
  # Booted this way the prefix knows the program for text files (txtfile)
  # but not that .txt files are text files; Windows does, and opening
  # Readme.txt with the shell needs it.
  wine reg add 'HKCR\.txt' /ve /d txtfile /f </dev/null >/dev/null 2>&1
  wineserver -w
}

# Gives DIR a new prefix copied from TEMPLATE, which is booted once (under a
# lock, so concurrent sessions wait for it) and never run in. Booting takes
# 10 to 20 s, copying under a second. The template's user folders (Desktop,
# Documents, ...) are links to the template's HOME; the copy gets folders of
# its own instead, so that sessions share nothing.
copy_wine_prefix() {
  local template=${1:?copy_wine_prefix: template folder} prefix=${2:?copy_wine_prefix: prefix folder}
  local home=${3:-} lockfd link
  if [[ ! -e $template/.peekbar-ready ]]; then
    exec {lockfd}>"$template.lock"
    flock "$lockfd"
    if [[ ! -e $template/.peekbar-ready ]]; then
      rm -rf "$template" "$template-home"
      (make_wine_prefix "$template" "$template-home") || { exec {lockfd}>&-; return 1; }
      touch "$template/.peekbar-ready"
    fi
    exec {lockfd}>&-
  fi
  rm -rf "$prefix"
  cp -a "$template" "$prefix"
  rm -f "$prefix/.peekbar-ready"
  while IFS= read -r -d '' link; do
    if [[ $(readlink "$link") == "$template-home"* ]]; then
      rm -f "$link"
      mkdir -p "$link"
    fi
  done < <(find "$prefix/drive_c/users" -type l -print0)
  wine_env "$prefix" "$home"
}

# Waits until the X window of the Wine virtual desktop named "shell" is mapped.
pb_wait_desktop_window() {
  local i
  for ((i = 0; i < 300; i++)); do
    if xwininfo -root -children 2>/dev/null | grep -q '"shell - '; then
      return 0
    fi
    sleep 0.1
  done
  echo "start_wine_desktop: the virtual desktop did not appear within 30 s" >&2
  return 1
}

# Makes the session's desktop ready in the prefix of wine_env/make_wine_prefix.
#
# one-monitor: a virtual desktop named "shell" of 1920x1080 (on Xvfb of the
#   same size). Only in a virtual desktop is the taskbar ("Shell_TrayWnd")
#   visible, and only with this name was it visible every time. A program
#   started by a script lands on the desktop "Default" and reaches this one
#   with SetThreadDesktop(OpenDesktopW(L"shell", ...)) and, for the programs
#   it starts, STARTUPINFO.lpDesktop = L"shell".
# two-monitors: no virtual desktop. Wine 8 reports a virtual desktop as a
#   single monitor of the desktop's size to every desktop of the prefix,
#   whatever the X server has (measured on the two-monitor Xorg: one monitor
#   (0,0,1920,1080)). On the X root window the program sees both monitors,
#   (0,0,1920,1080) primary and (1920,0,3200,1024). The price: there is no
#   desktop named "shell" (OpenDesktopW fails; programs stay on "Default"),
#   and "Shell_TrayWnd" exists but is never visible. The notification area
#   still accepts icons. As no window manager runs, windows are made
#   unmanaged (X11 Driver "Managed"="N") so that Wine draws and places their
#   frames itself, as inside a virtual desktop, and hides them without
#   waiting for one.
# In both cases the Wine server is kept alive for the whole session (-p), so
# that the desktop does not go away between Wine commands; stop_wine ends it.
start_wine_desktop() {
  local layout=${1:?start_wine_desktop: one-monitor or two-monitors}
  wineserver -p
  case $layout in
    one-monitor)
      # Without a program to start, this command lasts as long as the desktop.
      wine explorer /desktop=shell,1920x1080 </dev/null >/dev/null 2>&1 &
      PB_DESKTOP_PID=$!
      pb_wait_desktop_window
      ;;
    two-monitors)
      local key='HKCU\Software\Wine\X11 Driver'
      wine reg add "$key" /v Managed /d N /f </dev/null >/dev/null 2>&1
      # reg.exe started the desktop's explorer, which read the setting before
      # it was there: its tray window, managed, then held every Peekbar exit
      # up for 2 s (hiding it waits for a window manager). Start it again.
      wineserver -k >/dev/null 2>&1 || true
      wineserver -w
      wineserver -p
      ;;
    *)
      echo "start_wine_desktop: unknown layout '$layout'" >&2
      return 1
      ;;
  esac
}

# Ends every Wine process of the prefix and its server.
stop_wine() {
  local prefix=${1:-${WINEPREFIX:-}}
  [[ -n $prefix && -d $prefix ]] || return 0
  WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true
  WINEPREFIX=$prefix wineserver -w >/dev/null 2>&1 || true
  if [[ -n $PB_DESKTOP_PID ]]; then
    wait "$PB_DESKTOP_PID" 2>/dev/null || true
    PB_DESKTOP_PID=""
  fi
}
