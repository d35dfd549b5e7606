#!/usr/bin/env bash
# The Windows build plays the whole-game headless scenarios under Wine to the same traces, shots,
# score files and exit codes as the Linux build. Only a message naming a game file differs, by
# the system's own path separator. A recording made on either replays on the other. Skipped (77)
# when the Windows build was not made.
# Usage: same_game.sh SOURCE-DIR VORBLET VORBLET.EXE GAME-FOLDER WORK-FOLDER
set -euo pipefail
source=$1 linux=$2 windows=$3 game=$4 work=$5
[ -x "$windows" ] || [ -f "$windows" ] || { echo "no Windows build at $windows"; exit 77; }
command -v wine >/dev/null || { echo "no wine"; exit 77; }
export WINEDEBUG=-all WINEPREFIX=$work/wine-prefix
mkdir -p "$work"
TMPDIR=$work "$source/tools/behaviour-snapshot" "$linux" "$game" "$work/linux"
TMPDIR=$work RUNNER=wine "$source/tools/behaviour-snapshot" "$windows" "$game" "$work/windows"
failed=0
for scenario in "$work/linux"/*; do
    name=$(basename "$scenario")
    for file in "$scenario"/*; do
        case $(basename "$file") in
        stderr.txt | session.rec | script.txt) continue ;; # text-mode stderr; names in the header
        esac
        other=$work/windows/$name/$(basename "$file")
        if [ "$name/$(basename "$file")" = missing-art/trace.txt ]; then
            # BMP\130.bmp is the name of BMP/130.bmp on Windows.
            cmp -s "$file" <(sed 's#\\\([0-9]\)#/\1#g' "$other") && continue
        else
            cmp -s "$file" "$other" && continue
        fi
        echo "differs: $name/$(basename "$file")"
        failed=1
    done
done
# A recording made on one system replays on the other to the same trace.
cross() { # RECORDING RUNNER PROGRAM NAME
    local dir=$work/cross-$4
    rm -rf "$dir"
    mkdir -p "$dir"
    cp -r "$game/BMP" "$game/wav" "$dir/"
    (cd "$dir" && $2 "$3" --replay "$1" --trace trace.txt --scores scores.dat 2>stderr.txt) ||
        { echo "the $4 replay failed: $(cat "$dir/stderr.txt")"; failed=1; return; }
    cmp -s "$dir/trace.txt" "$work/linux/replay/trace.txt" ||
        { echo "the $4 replay differs"; failed=1; }
}
cross "$work/linux/record/session.rec" wine "$windows" linux-on-windows
cross "$work/windows/record/session.rec" "" "$linux" windows-on-linux
[ $failed -eq 0 ] && echo "the same game: $(ls "$work/linux" | wc -l) scenarios and two crossed replays"
exit $failed
