#!/usr/bin/env bash
# screen_check.sh: checks the desktop program on a real X screen with a window manager (Xvfb and
# openbox through ../shared/tools/xrun), where stacking, focus and title-bar buttons can be seen,
# which the offscreen window tests cannot:
#   - the question dialog, the section choice and the result windows offer no minimise, and the
#     timing window has no title bar;
#   - Tab then Space in a fresh question dialog ticks a value (the saved answers show it);
#   - after a run the results window has the focus, and F9 again shows the success box on top;
#   - the save dialog of "Сохранить ответы" opens above the results and explanation windows;
#   - "Все окна" shows the four result windows side by side, the results window focused;
#   - keys pressed during the timing loop are not replayed after it.
#
#   tools/screen_check.sh [VEKSA [XRUN]]
#
# VEKSA defaults to build-test/veksa, XRUN to $XRUN or ../shared/tools/xrun beside the repository
# (or beside its folder, for a worktree). Screenshots and the results go to $OUT (a new temporary folder unless set): look at the
# screenshots. Exits 0 when every check passed, 1 when one failed, 77 when Xvfb, openbox or
# xdotool is missing (nothing checked).
set -u
here=$(cd "$(dirname "$0")/.." && pwd)
veksa=$(readlink -f "${1:-$here/build-test/veksa}")
xrun=${2:-${XRUN:-}}
if [ -z "$xrun" ]; then  # ../shared beside the repository, or beside the folder of worktrees
  for xrun in "$here/../shared/tools/xrun" "$here/../../shared/tools/xrun"; do [ -x "$xrun" ] && break; done
fi
for tool in Xvfb openbox xdotool xprop xwininfo import; do
  command -v "$tool" >/dev/null 2>&1 || { echo "screen_check: $tool is missing; skipped"; exit 77; }
done
[ -x "$veksa" ] || { echo "screen_check: no program at $veksa"; exit 1; }
[ -x "$xrun" ] || { echo "screen_check: no xrun at $xrun"; exit 1; }
export OUT=${OUT:-$(mktemp -d)}
mkdir -p "$OUT"
: > "$OUT/results.txt"

# The example, and a knowledge base whose timing loop lasts a few seconds (no questions) and meets
# a certainty conflict in each of its passes (15,000 rules: about 2 s on a 2-core virtual machine).
cp "$here/examples/trees_and_flowers.vks" "$OUT/example.vks"
{
  printf 'ГИПОТЕЗЫ:\nx {y}\nПАРАМЕТРЫ:\nПЕРЕМЕННЫЕ:\nX 5\n'
  printf 'NAME R0\nIF =X>1\nTHEN x y [1]\nELSE x y [1]\nEND\n'
  printf 'NAME R00\nIF =X>1\nTHEN x y [-1]\nELSE x y [-1]\nEND\n'
  for i in $(seq "${LOOP_RULES:-15000}"); do
    printf 'NAME R%s\nIF =X>1\nTHEN x y [0,5]\nELSE x y [0,1]\nEND\n' "$i"
  done
} > "$OUT/long.vks"

common=$(mktemp)
trap 'rm -f "$common" "$OUT/first.sh" "$OUT/second.sh"' EXIT
cat > "$common" <<'COMMON'
pass() { echo "ok   $1" | tee -a "$OUT/results.txt"; }
fail() { echo "FAIL $1" | tee -a "$OUT/results.txt"; }
check() { local name=$1; shift; if "$@"; then pass "$name"; else fail "$name"; fi; }
win() { xdotool search --all --onlyvisible --pid "$P" --name "$1" 2>/dev/null | head -n 1; }
actions() { xprop -id "$1" _NET_WM_ALLOWED_ACTIONS 2>/dev/null; }
no_minimise() { local w; w=$(win "$1"); [ -n "$w" ] && ! actions "$w" | grep -q MINIMIZE; }
topmost() { xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*, //; s/.*# //'; }
active() { printf '0x%x\n' "$(xdotool getactivewindow 2>/dev/null || echo 0)"; }
# The window named REGEX is the top of the stacking order and has the focus.
on_top() { local w; w=$(win "$1"); [ -n "$w" ] && [ $((w)) -eq $(($(topmost))) ] && [ $((w)) -eq $(($(active))) ]; }
press() { sleep 0.4; xdotool key --delay 150 "$@"; }  # keys to whatever has the focus
# The frame of window $1 on the screen, as shell assignments ${2}X ${2}Y ${2}W ${2}H.
frame() {
  local info extents l r t b
  info=$(xwininfo -id "$1")
  extents=$(xprop -id "$1" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
  read -r l r t b <<< "${extents:-0 0 0 0}"
  echo "${2}X=$(( $(sed -n 's/.*Absolute upper-left X: *//p' <<< "$info") - l ))"
  echo "${2}Y=$(( $(sed -n 's/.*Absolute upper-left Y: *//p' <<< "$info") - t ))"
  echo "${2}W=$(( $(sed -n 's/.*Width: *//p' <<< "$info") + l + r ))"
  echo "${2}H=$(( $(sed -n 's/.*Height: *//p' <<< "$info") + t + b ))"
}
COMMON

cat > "$OUT/first.sh" <<'FIRST'
source "$COMMON"
press F9
waitwin '^VEKSA$' 10 && press Return
waitwin '^Разделы$' 10
check "section choice offers no minimise" no_minimise '^Разделы$'
press Return
waitwin '^Вопрос$' 10; sleep 0.5
check "question dialog offers no minimise" no_minimise '^Вопрос$'
shot "$OUT/01-question.png"
press Tab space
shot "$OUT/02-question-tab-space.png"
press Return
for i in 1 2 3 4; do waitwin '^Вопрос$' 5 && press Escape; sleep 0.3; done
waitwin '^Найдено решение' 30; sleep 1
shot "$OUT/03-results.png"
check "results window offers no minimise" no_minimise '^Найдено решение'
check "after a run the results window has the focus" on_top '^Найдено решение'
# An explanation of the first result, then "Сохранить ответы" (the last but one item of "Результаты").
eval "$(frame "$(win '^Найдено решение')" R)"
xdotool mousemove $((RX + 60)) $((RY + 48)) click --repeat 2 --delay 80 1
waitwin '^Объяснение' 5; sleep 0.5
xdotool mousemove 5 890
press alt+Cyrillic_er Up Up Return
sleep 1.5
shot "$OUT/04-save-answers.png"
dialog=$(active)
check "save dialog is on top of the result windows" [ $((dialog)) -eq $(($(topmost))) ]
check "save dialog is not a result window" [ -z "$(xdotool getwindowname $((dialog)) | grep -e '^Найдено' -e '^Объяснение')" ]
xdotool type --delay 40 "$OUT/answers"
press Return
sleep 1
shot "$OUT/05-answers-saved.png"
check "Tab then Space ticked a value" grep -q 'оперение да 0 листья' "$OUT/answers.answers"
press alt+Cyrillic_er Down Down Down Down Return
sleep 1.5
shot "$OUT/06-all-windows.png"
tiled() {
  local ids=() w
  for title in '^Найдено решение' '^Протокол решения$' '^Коэффициенты фактов$' '^Переменные$'; do
    w=$(win "$title"); [ -n "$w" ] || return 1; ids+=("$w")
  done
  local i j
  for i in 0 1 2 3; do
    eval "$(frame "${ids[$i]}" A)"
    [ "$AX" -ge 0 ] && [ "$AY" -ge 0 ] && [ $((AX + AW)) -le 1280 ] && [ $((AY + AH)) -le 900 ] ||
      { echo "  window $i is off the screen: $AX,$AY ${AW}x$AH"; return 1; }
    for j in $(seq 0 $((i - 1))); do
      eval "$(frame "${ids[$j]}" B)"
      if [ "$AX" -lt $((BX + BW)) ] && [ "$BX" -lt $((AX + AW)) ] &&
         [ "$AY" -lt $((BY + BH)) ] && [ "$BY" -lt $((AY + AH)) ]; then
        echo "  windows $j and $i overlap"; return 1
      fi
    done
  done
}
check "Все окна: four result windows side by side" tiled
check "Все окна: the results window has the focus" [ $(($(win '^Найдено решение'))) -eq $(($(active))) ]
for title in '^Протокол решения$' '^Коэффициенты фактов$' '^Переменные$'; do
  check "$title offers no minimise" no_minimise "$title"
done
# F9 with the result windows open: the success box of the diagnostics comes on top.
press F9
waitwin '^VEKSA$' 10; sleep 0.5
shot "$OUT/07-second-F9.png"
check "F9 again: the success box is on top" on_top '^VEKSA$'
check "the success box offers no minimise" no_minimise '^VEKSA$'
press Escape
waitwin '^Разделы$' 10 && press Escape
FIRST

cat > "$OUT/second.sh" <<'SECOND'
source "$COMMON"
press F9
waitwin '^VEKSA$' 60 && press Return
waitwin '^Разделы$' 60 && press Return
# The conflict's message comes in the first pass, over the timing window; then no more boxes.
waitwin '^VEKSA$' 30; sleep 0.5
shot "$OUT/08-message-over-timing.png"
check "a message during the timing loop is on top" on_top '^VEKSA$'
t=$(win '^Оценка эффективности')
check "timing window has no title bar" [ "$(xprop -id "$t" _NET_FRAME_EXTENTS | sed 's/.*= //')" = "0, 0, 0, 0" ]
press Return
# F6 and Enter while the gauge runs: neither may act once the results appear.
xdotool key --delay 100 F6 Return Return F6
sleep 0.3
shot "$OUT/09-timing.png"
check "the message is shown once in the run" gonewin '^VEKSA$' 2
waitwin '^Найдено решение' 120; sleep 3
shot "$OUT/10-after-loop.png"
check "no key replayed after the timing loop" gonewin '^VEKSA$' 1
check "no section choice after the timing loop" gonewin '^Разделы$' 1
# "Выход": the save dialog (cancelled), then the question, wide enough for its title.
xdotool key --delay 100 alt+x
sleep 1.5
press Escape
waitwin '^Вопрос системы$' 10; sleep 0.5
shot "$OUT/11-exit-question.png"
check "the exit question is on top" on_top '^Вопрос системы$'
press Escape
SECOND

export COMMON=$common
run() { XRUN_SECONDS=${XRUN_SECONDS:-240} "$xrun" "$veksa" "$1" "$2" 2>&1 | grep -v '^ok \|^FAIL ' ; }
run "$OUT/example.vks" "$OUT/first.sh"
run "$OUT/long.vks" "$OUT/second.sh"
cat "$OUT/results.txt"
echo "screenshots: $OUT"
! grep -q '^FAIL' "$OUT/results.txt" && [ -s "$OUT/results.txt" ]
