#!/usr/bin/env bash
# Installs the program into a temporary prefix, checks what a desktop needs of
# it, then runs the installed copy twice under a virtual display as a user who
# cannot write to the prefix: the first run types a field and quits, the second
# must get it back from the user's configuration folder and keep it, and opens
# the catalogue, whose commands the program loads from the installed library.
set -euo pipefail
build="$1"
for tool in xvfb-run xdotool appstreamcli desktop-file-validate; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is missing (./scripts/setup.sh test)"; exit 77; }
done

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null

app_id=com.example.StockSecurite
for f in bin/stk_secu share/stk_secu/trad_stk_secu.txt share/applications/$app_id.desktop \
         share/icons/hicolor/scalable/apps/$app_id.svg share/metainfo/$app_id.metainfo.xml; do
  [ -f "$prefix/$f" ] || { echo "not installed: $f"; exit 1; }
done
compgen -G "$prefix/lib*/stk_secu/libstk_secu_on_demand.so" >/dev/null \
  || compgen -G "$prefix/lib/*/stk_secu/libstk_secu_on_demand.so" >/dev/null \
  || { echo "not installed: the library of the commands loaded on first use"; exit 1; }
appstreamcli validate --no-net "$prefix/share/metainfo/$app_id.metainfo.xml"
desktop-file-validate "$prefix/share/applications/$app_id.desktop"

# The user: the current one with a read-only prefix, or nobody when we are root.
home="$work/home"
mkdir -p "$home"
chmod -R a+rX,a-w "$prefix"
chmod 755 "$work"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  chown nobody "$home"
  as_user=(runuser -u nobody --)
fi

# One run: start the program, optionally type into the order-cost field, quit
# with the quit button, and wait for the program to end.
cat > "$work/session.sh" <<'SESSION'
set -euo pipefail
"$PREFIX/bin/stk_secu" 2>"$HOME/stderr.txt" &
pid=$!
win="$(timeout 20 xdotool search --sync --onlyvisible --name 'Vexa' | head -n 1)"
sleep 0.5
if [ -n "$TYPE" ]; then
  xdotool mousemove --window "$win" 212 201 click 1   # cct, in the company frame
  sleep 0.2
  xdotool type --delay 20 "$TYPE"
  sleep 0.2
fi
if [ -n "$CATALOGUE" ]; then
  xdotool mousemove --window "$win" 212 201 click 1
  sleep 0.2
  xdotool key ctrl+k
  timeout 20 xdotool search --sync --onlyvisible --name 'Catalogue des articles' >/dev/null \
    || { echo "the catalogue did not open" >&2; exit 1; }
  xdotool key Escape   # closed again, off the quit button
  sleep 0.3
fi
xdotool mousemove --window "$win" 850 468 click 1     # the quit button
timeout 20 tail --pid="$pid" -f /dev/null
SESSION
run() {
  "${as_user[@]}" env HOME="$home" PREFIX="$prefix" TYPE="$1" CATALOGUE="${2:-}" \
    xvfb-run -a -s "-screen 0 1024x600x24" bash "$work/session.sh"
}

params="$home/.config/stk_secu/param_stk_secu.txt"
run 1500
grep -q $'^da_stk_secu\tcct\t1500\r$' "$params" || { echo "first run did not save cct"; cat -A "$params"; exit 1; }
[ ! -e "$prefix/bin/param_stk_secu.txt" ] || { echo "saved into the install prefix"; exit 1; }
cmp -s "$prefix/share/stk_secu/trad_stk_secu.txt" "$home/.config/stk_secu/trad_stk_secu.txt" \
  || { echo "translations did not start from the installed file"; exit 1; }
run "" catalogue
grep -q $'^da_stk_secu\tcct\t1500\r$' "$params" || { echo "second run lost cct"; cat -A "$params"; exit 1; }
echo "installed copy kept cct across two runs in $home/.config/stk_secu"
