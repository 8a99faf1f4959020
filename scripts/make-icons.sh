#!/usr/bin/env bash
# Draws the 16 × 16 and 32 × 32 bitmap icons (256-colour PNGs) pixel for pixel: the same
# three-by-three video wall as the scalable icon, but on whole pixels so it stays sharp when small.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/packaging/icons"
frame='#263238' screen='#1e88e5' stand='#455a64'

draw() { # size unit-width unit-height gap margin-top stand-height
    local size=$1 w=$2 h=$3 gap=$4 top=$5 standh=$6 cmds=() x y row col
    local wall_w=$((3 * w + 4 * gap)) wall_h=$((3 * h + 4 * gap))
    local left=$(((size - wall_w) / 2))
    cmds+=(-fill "$frame" -draw "rectangle $left,$top $((left + wall_w - 1)),$((top + wall_h - 1))")
    cmds+=(-fill "$screen")
    for row in 0 1 2; do
        for col in 0 1 2; do
            x=$((left + gap + col * (w + gap)))
            y=$((top + gap + row * (h + gap)))
            cmds+=(-draw "rectangle $x,$y $((x + w - 1)),$((y + h - 1))")
        done
    done
    local mid=$((size / 2)) base=$((top + wall_h))
    cmds+=(-fill "$stand" -draw "rectangle $((mid - 1)),$base $mid,$((base + standh - 1))")
    cmds+=(-draw "rectangle $((mid - size / 4)),$((base + standh)) $((mid + size / 4 - 1)),$((base + standh))")
    convert -size "${size}x${size}" xc:none "${cmds[@]}" "PNG8:$out/example.kandorex.Kandorex-$size.png"
}

draw 16 4 3 1 0 1
draw 32 8 6 2 1 3
echo "wrote $out/example.kandorex.Kandorex-16.png and -32.png"
