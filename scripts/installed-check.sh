#!/usr/bin/env bash
# Checks an installed Montrelle as a user meets it: installs the build into a
# temporary prefix whose program folder cannot be written (or, with --deb, installs
# the package for real with apt), starts the installed desktop program by the Exec
# line of its desktop entry under Xvfb with an empty home folder, and drives its
# real window with xdotool: loads a list file through the list-load button's file
# dialog, types the output folder, presses the make button, confirms the end
# message, opens the output folder's folder dialog, and closes the window. Then it
# looks for the gallery and for the settings under ~/.config/Montrelle/, and has
# the installed montrelle-make make a gallery of a phone's HEIC photo.
#   scripts/installed-check.sh [--deb PACKAGE] [SHOT_DIR]
#     pictures of the screen go to SHOT_DIR (default: build/installed-check)
# Needs xdotool, imagemagick and heif-enc (installed here when missing, not by
# deps.sh).
# Root makes the program folder read-only with a bind mount, anyone else with chmod.
# A package is removed again at the end; it is refused when montrelle is installed
# already, so an installation of the user's own is never replaced. Root cannot be
# kept out of /usr/bin, so there the program runs as the user nobody.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
deb=""
if [ "${1:-}" = "--deb" ]; then
  deb=$(realpath "$2")
  shift 2
fi
shots=$(realpath -m "${1:-$root/build/installed-check}")
mkdir -p "$shots"

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
for tool in xdotool:xdotool import:imagemagick Xvfb:xvfb heif-enc:libheif-examples; do
  command -v "${tool%%:*}" >/dev/null || $sudo apt-get install -y --no-install-recommends "${tool#*:}"
done

if [ -n "$deb" ] && dpkg -s montrelle >/dev/null 2>&1; then
  echo "montrelle is installed on this system already; remove it first (sudo apt remove" \
    "montrelle) to check a package" >&2
  exit 1
fi
if [ -z "$deb" ]; then
  generator=()
  command -v ninja >/dev/null && generator=(-G Ninja)
  cmake -S "$root" -B "$root/build" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$root/build" --target montrelle montrelle-make navigation_images manual_page \
    package_changelog >/dev/null
fi

work=$(mktemp -d)
chmod 755 "$work"
prefix=$work/prefix
as_user=()
mounted=""
apt_installed=""
xvfb=""
program=""
remove_package() {
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq montrelle >/dev/null
  apt_installed=""
}
cleanup() {
  [ -n "$program" ] && kill "$program" 2>/dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
  [ -n "$mounted" ] && umount "$prefix" || true
  [ -n "$apt_installed" ] && remove_package || true
  chmod -R u+w "$work" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

failures=0
check() {  # check DESCRIPTION COMMAND...
  if "${@:2}"; then echo "ok    $1"; else echo "FAIL  $1"; failures=$((failures + 1)); fi
}

# --- install, read-only program folder -----------------------------------------
if [ -n "$deb" ]; then
  apt_installed=1
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" >/dev/null
  prefix=/usr
  [ "$(id -u)" -eq 0 ] && as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
  echo "installed $(basename "$deb") with apt$([ -n "${as_user[*]}" ] && echo ", run as nobody")"
else
  cmake --install "$root/build" --prefix "$prefix" >/dev/null
  if [ "$(id -u)" -eq 0 ]; then
    mount --bind "$prefix" "$prefix" && mounted=1
    mount -o remount,bind,ro "$prefix"
  else
    chmod -R a-w "$prefix"
  fi
  echo "installed into $prefix ($([ -n "$mounted" ] && echo "read-only bind mount" || echo "chmod a-w"))"
fi
check "the program folder cannot be written" \
  "${as_user[@]}" bash -c "! touch '$prefix/bin/probe' 2>/dev/null"

# --- pictures and a list file (paths, an empty line, comments, orientations) ---
pictures=$work/pictures
mkdir -p "$pictures"
convert -size 640x480 gradient:'#f7b267'-'#5a3d7a' -fill '#20203a' \
  -draw 'polygon 0,480 0,380 120,360 140,250 160,360 400,400 640,350 640,480' "$pictures/sky.jpg"
# Stored on its side, as a camera leaves it; the list turns it upright.
convert -size 640x480 gradient:'#6fb6f2'-'#cfe8fa' -fill '#ffb830' -draw 'circle 470,120 470,160' \
  -fill '#4e9a6b' -draw 'polygon 0,480 0,300 200,170 420,360 640,250 640,480' \
  -fill '#2e7a4b' -draw 'polygon 0,480 0,420 260,290 640,440 640,480' -rotate 90 \
  "$pictures/forest.jpg"
list=$work/trip_list.txt
printf '%s\r\n' "$pictures/sky.jpg" "$pictures/forest.jpg" "" "空" "森" $'0\t0\t0' $'0\t0\t1' \
  | iconv -f UTF-8 -t CP932 >"$list"

# --- the desktop, the program ------------------------------------------------------
# Xvfb picks a free display itself and writes its number once it is ready.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq 300); do
  [ -s "$work/display" ] || ! kill -0 "$xvfb" 2>/dev/null && break
  sleep 0.1
done
if [ ! -s "$work/display" ]; then
  echo "Xvfb did not start:" >&2
  cat "$work/xvfb.log" >&2
  exit 1
fi
display=":$(cat "$work/display")"
export DISPLAY=$display
home=$work/home
gallery=$home/gallery
mkdir -p "$home" "$work/runtime"
chmod 700 "$home" "$work/runtime"
[ -n "${as_user[*]}" ] && chown nobody:nogroup "$home" "$work/runtime"
# As a desktop's launcher starts it: the Exec line, found on PATH, in the home folder,
# on the X display (the test command exports the offscreen platform for its own tests).
exec_line=$(sed -n 's/^Exec=//p' "$prefix/share/applications/montrelle.desktop")
echo "      Exec line of the desktop entry: $exec_line"
# shellcheck disable=SC2086  # the Exec line is split into words as a launcher does
(cd "$home" &&
  exec env -u XDG_CONFIG_HOME -u QT_QPA_PLATFORM HOME="$home" XDG_RUNTIME_DIR="$work/runtime" \
    PATH="$prefix/bin:$PATH" "${as_user[@]}" $exec_line) &
program=$!

window() {  # window NAME_REGEX: the newest visible window of that name
  local id
  for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | tail -1) && [ -n "$id" ] && break
    sleep 0.1
  done
  echo "$id"
}
main=$(window '^Montrelle$')
check "the installed program shows its main window" test -n "$main"
eval "$(xdotool getwindowgeometry --shell "$main")"
main_x=$X main_y=$Y
click() {  # click X Y inside the main window
  xdotool mousemove $((main_x + $1)) $((main_y + $2)) click 1
  sleep 0.7
}
type_text() {
  xdotool type --delay 20 "$1"
  sleep 0.3
}
shot() {
  import -window root "$shots/$1.png"
  echo "      screen: $shots/$1.png"
}
windows_named() { xdotool search --onlyvisible --name "$1" 2>/dev/null | wc -l; }

# The list-load button opens the file dialog with the name field in focus.
before=$(windows_named '.')
click 304 271
check "the list-load button opens a file dialog" test "$(windows_named '.')" -gt "$before"
echo "      file dialog: \"$(xdotool search --onlyvisible --name . getwindowname %@ | tail -1)\""
type_text "$list"
xdotool key Return
sleep 1
# The second picture (turned, with a comment) in the preview window.
click 100 78
shot main-window-with-list

# The output folder, typed into its field; then the make button.
click 300 604
xdotool key ctrl+a
type_text "$gallery"
click 477 661
sleep 2
shot make-finished
check "a message box follows the make run" test "$(windows_named '^Montrelle$')" -ge 2
xdotool key Return
sleep 0.5

# The output folder's "参照(&F)" button: the folder dialog, in Japanese.
click 582 604
sleep 1
echo "      folder dialog: \"$(xdotool getactivewindow getwindowname 2>/dev/null ||
  xdotool search --onlyvisible --name . getwindowname %@ | tail -1)\""
shot folder-dialog
xdotool key Escape
sleep 0.5

# Closing the window writes the settings file and ends the program.
click 565 661
for _ in $(seq 50); do kill -0 "$program" 2>/dev/null || break; sleep 0.1; done
check "closing the window ends the program" bash -c "! kill -0 $program 2>/dev/null"
wait "$program" 2>/dev/null || true
program=""

# --- a phone's photo (HEIC, made by libheif's heif-enc), by the installed command ---
heif-enc --quality 50 -o "$pictures/IMG_0001.HEIC" "$pictures/forest.jpg" >/dev/null
phone_gallery=$home/phone
(cd "$home" && env HOME="$home" "${as_user[@]}" "$prefix/bin/montrelle-make" -q -o "$phone_gallery" \
  "$pictures/IMG_0001.HEIC")
check "the installed command makes a gallery of a HEIC photo" \
  test -s "$phone_gallery/small_images/IMG_0001.jpg" -a -s "$phone_gallery/images/IMG_0001.jpg"

# --- what the run and the close left behind -------------------------------------
settings=$home/.config/Montrelle/Montrelle.ini
check "the settings file is under ~/.config/Montrelle/" test -f "$settings"
check "nothing was written beside the installed program" test ! -e "$prefix/bin/Montrelle.ini"
check "the gallery's entry page was made" test -f "$gallery/index.html"
check "the navigation buttons came from the installed data folder" \
  cmp -s "$gallery/src_files/top.gif" "$prefix/share/montrelle/images/top.gif"
check "the settings file holds the typed output folder" \
  grep -qx "out_path=$gallery" <(iconv -f CP932 -t UTF-8 "$settings" | tr -d '\r')

echo "--- $settings (from CP932)"
[ -f "$settings" ] && iconv -f CP932 -t UTF-8 "$settings" | tr -d '\r' | sed 's/^/      /'
echo "--- $gallery"
[ -d "$gallery" ] && (cd "$gallery" && find . -type f | sort | sed 's/^/      /')
if [ -n "$apt_installed" ]; then
  remove_package
  check "the package is removed again" bash -c "! dpkg -s montrelle >/dev/null 2>&1"
  check "its programs are gone" test ! -e /usr/bin/montrelle
fi
echo "$failures failed"
[ "$failures" -eq 0 ]
