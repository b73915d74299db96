#!/usr/bin/env bash
# The real program on a real (virtual) X display: a renamed copy opens the
# database given on its command line, shows exactly its title, and keeps its
# settings under its own name when it is ended through the File menu.
set -euo pipefail
exe=$1
work=$(mktemp -d)
cleanup() { kill "${app:-}" "${xvfb:-}" 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT

cp "$exe" "$work/faqedit"
printf ' 1 \r\n"Frage"\r\n"Antwort"\r\n""\r\n""\r\n 0 \r\n01.01.2026\r\n' >"$work/smoke.faq"

# Xvfb picks a free display and writes its number once it takes connections;
# a busy machine may need a while for that.
Xvfb -displayfd 3 -screen 0 1280x900x24 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 300); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "Xvfb did not start"; exit 1; }
disp=:$(head -1 "$work/display")

DISPLAY=$disp QT_QPA_PLATFORM=xcb "$work/faqedit" "$work/smoke.faq" >"$work/log" 2>&1 &
app=$!
# The first start tells that no templates folder is set yet.
for _ in $(seq 300); do
    DISPLAY=$disp xdotool search --name "^Hinweis\$" >/dev/null 2>&1 && break
    sleep 0.1
done
notice=$(DISPLAY=$disp xdotool search --name "^Hinweis\$" | head -1) || true
if [ -n "$notice" ]; then
    DISPLAY=$disp xdotool windowfocus --sync "$notice"
    DISPLAY=$disp xdotool key --clearmodifiers Return
fi
want="Askbright Version 1.6   Datei: smoke.faq"
for _ in $(seq 300); do
    DISPLAY=$disp xdotool search --name "^${want}\$" >/dev/null 2>&1 && break
    sleep 0.1
done
window=$(DISPLAY=$disp xdotool search --name "^${want}\$" | head -1) || {
    echo "no window titled '$want'; windows:"
    for w in $(DISPLAY=$disp xdotool search --name . 2>/dev/null); do
        DISPLAY=$disp xdotool getwindowname "$w"
    done
    cat "$work/log"
    exit 1
}

# File menu, "Programm beenden": the program ends and writes its settings.
DISPLAY=$disp xdotool windowfocus --sync "$window"
DISPLAY=$disp xdotool key --clearmodifiers alt+d
sleep 0.3
DISPLAY=$disp xdotool key --clearmodifiers b
for _ in $(seq 300); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$app" 2>/dev/null; then
    echo "the exit command did not end the program"
    exit 1
fi
test -f "$work/faqedit.ini" || { echo "no faqedit.ini written"; ls "$work"; exit 1; }
grep -q "smoke.faq" "$work/dateiliste.lis" || { echo "smoke.faq not in the recent files"; exit 1; }
echo "ok"
