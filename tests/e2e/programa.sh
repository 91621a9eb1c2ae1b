#!/usr/bin/env bash
# Starts Palavrix on the display xvfb-run gave us, waits for the splash to go, checks that the
# dictionary window wears its skin, looks a word up by typing it, and ends the program with its
# exit button. Screenshots are left in the output folder for a person to look at.
set -euo pipefail
exe=$1
out=$2
mkdir -p "$out"
unset QT_QPA_PLATFORM

"$exe" >"$out/palavrix.log" 2>&1 &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT

# The splash closes itself after about six seconds.
sleep 8
if ! kill -0 $pid 2>/dev/null; then
  estado=0
  wait $pid || estado=$?
  if [ "$estado" -eq 0 ]; then
    echo "FALLO: el programa terminó al arrancar sin error: ¿hay otro Palavrix abierto? (una sola instancia por usuario)"
  else
    echo "FALLO: el programa terminó al arrancar con estado $estado"
  fi
  cat "$out/palavrix.log"; exit 1
fi
import -window root "$out/inicio.png"

# The dictionary window is centred on the 1024 x 768 screen: its corner is at 192, 144.
x0=192
y0=144
desvio=$(convert "$out/inicio.png" -crop 640x480+$x0+$y0 -colorspace Gray -format '%[fx:standard_deviation]' info:)
echo "desvío del contenido de la ventana: $desvio"
if awk "BEGIN{exit !($desvio < 0.05)}"; then
  echo "FALLO: la ventana del diccionario está vacía (sin piel)"; exit 1
fi

# Type a word in the word box and press Enter.
xdotool mousemove $((x0 + 200)) $((y0 + 264)) click 1
sleep 0.5
xdotool type --delay 60 casa
xdotool key Return
sleep 1.5
import -window root "$out/consulta.png"
# The translation label (5160, 3840 twips: 344, 256 pixels) now holds white text.
blancos=$(convert "$out/consulta.png" -crop 150x15+$((x0 + 344))+$((y0 + 256)) -threshold 85% -format '%[fx:mean]' info:)
echo "proporción de texto blanco donde va la traducción: $blancos"
if awk "BEGIN{exit !($blancos <= 0.01)}"; then
  echo "FALLO: no apareció la traducción"; exit 1
fi

# The exit button (9300, 60 twips) ends the program.
xdotool mousemove $((x0 + 627)) $((y0 + 11)) click 1
for _ in $(seq 1 50); do
  kill -0 $pid 2>/dev/null || break
  sleep 0.2
done
if kill -0 $pid 2>/dev/null; then
  echo "FALLO: el botón de salida no terminó el programa"; exit 1
fi
status=0
wait $pid || status=$?
trap - EXIT
echo "el programa terminó con estado $status"
[ "$status" -eq 0 ]
