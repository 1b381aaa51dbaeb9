#!/usr/bin/env bash
# Regenerates the pictures and sounds of assets/noconnect (ImageMagick and python3). The files are
# committed; run this only to change them. The offline pages are written by hand.
set -euo pipefail
out="$(cd "$(dirname "$0")/.." && pwd)/assets/noconnect"
mkdir -p "$out"

yellow='rgb(255,255,128)'
navy='rgb(0,0,128)'

# Picture 1 of the About box: 320x65, the game's name over the window's yellow.
convert -size 320x65 "xc:$yellow" \
  -fill none -stroke "$navy" -strokewidth 2 -draw 'rectangle 1,1 318,63' \
  -stroke none -fill "$navy" -font DejaVu-Sans-Bold -pointsize 34 \
  -gravity west -annotate +70+0 'Sudoku' \
  -fill 'rgb(128,0,0)' -font DejaVu-Sans -pointsize 12 -annotate +72+22 'gioca - crea - risolvi' \
  -fill white -stroke "$navy" -strokewidth 1 -draw 'rectangle 12,10 56,54' \
  -draw 'line 26,10 26,54' -draw 'line 41,10 41,54' -draw 'line 12,24 56,24' -draw 'line 12,39 56,39' \
  -stroke none -fill "$navy" -font DejaVu-Sans-Bold -pointsize 11 \
  -gravity northwest -annotate +16+11 '5' -annotate +45+26 '3' -annotate +30+41 '9' \
  -type TrueColor "BMP3:$out/logo1.bmp"

# Picture 2 of the About box: 40x40, a small 3x3 block.
convert -size 40x40 xc:white \
  -fill none -stroke "$navy" -strokewidth 2 -draw 'rectangle 1,1 38,38' \
  -strokewidth 1 -draw 'line 13,1 13,38' -draw 'line 26,1 26,38' \
  -draw 'line 1,13 38,13' -draw 'line 1,26 38,26' \
  -stroke none -fill 'rgb(128,0,0)' -font DejaVu-Sans-Bold -pointsize 10 \
  -annotate +4+11 '1' -annotate +17+24 '5' -annotate +30+37 '9' \
  -type TrueColor "BMP3:$out/logo2.bmp"

# Flags of the language item, 20x14.
convert -size 20x14 xc:white \
  -fill 'rgb(0,146,70)' -draw 'rectangle 0,0 6,13' \
  -fill 'rgb(206,43,55)' -draw 'rectangle 13,0 19,13' \
  -type TrueColor "BMP3:$out/flag_it.bmp"
convert -size 20x14 'xc:rgb(1,33,105)' \
  -stroke white -strokewidth 3 -draw 'line 0,0 19,13' -draw 'line 19,0 0,13' \
  -stroke 'rgb(200,16,46)' -strokewidth 1 -draw 'line 0,0 19,13' -draw 'line 19,0 0,13' \
  -stroke none -fill white -draw 'rectangle 8,0 11,13' -draw 'rectangle 0,5 19,8' \
  -fill 'rgb(200,16,46)' -draw 'rectangle 9,0 10,13' -draw 'rectangle 0,6 19,7' \
  -type TrueColor "BMP3:$out/flag_en.bmp"

# Sounds: a few soft sine tones, mono 8-bit at 11025 Hz.
python3 - "$out" <<'PY'
import math, sys, wave

RATE = 11025

def tone(freq, seconds, volume=0.6):
    count = int(RATE * seconds)
    fade = max(1, int(RATE * 0.01))
    samples = []
    for i in range(count):
        envelope = min(1.0, i / fade, (count - i) / fade)
        value = volume * envelope * math.sin(2 * math.pi * freq * i / RATE)
        samples.append(int(128 + 127 * value))
    return bytes(samples)

def write(path, parts):
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(1)
        w.setframerate(RATE)
        w.writeframes(b"".join(parts))

out = sys.argv[1]
write(out + "/tada.wav", [tone(523, 0.12), tone(659, 0.12), tone(784, 0.12), tone(1047, 0.35)])
write(out + "/notify.wav", [tone(880, 0.09), tone(0.001, 0.04, 0), tone(1175, 0.14)])
PY
echo "assets written to $out"
