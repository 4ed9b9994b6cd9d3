#!/bin/sh
# The installed game: `cmake --install` into a fresh prefix, then the installed simulator and the
# installed game's screenshot tour played by a player whose home is a fresh folder and who has no
# XDG variables. The save, the profile and the settings must land in that home, and the prefix
# must be exactly as installed afterwards.
#   installed_game.sh BUILD_DIR WORK_DIR
set -eu
build=$1
work=$2
rm -rf "$work"
mkdir -p "$work/home" "$work/cwd"
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >"$work/install.log"

fail() { echo "FAIL: $*" >&2; exit 1; }
# Every file and folder of the prefix with its mode and the sum of its content.
snapshot() {
  (cd "$prefix" && find . -printf '%y %m %p\n' | sort && find . -type f -exec sha256sum {} + | sort -k 2)
}
snapshot >"$work/before"

for f in bin/quillon bin/quillon-sim bin/qarc bin/quillon-update share/quillon/Database.pck \
         share/quillon/sounds share/quillon/music; do
  [ -e "$prefix/$f" ] || fail "$f is not installed"
done

home=$work/home
cd "$work/cwd"
run() { env -u XDG_DATA_HOME -u XDG_CONFIG_HOME -u XDG_CACHE_HOME -u XDG_STATE_HOME HOME="$home" "$@"; }

run "$prefix/bin/quillon-sim" --seed 4 --bot --weeks 30 --save-slot >"$work/sim.txt" 2>"$work/sim.err" ||
  fail "the installed simulator: $(cat "$work/sim.err")"
save=$home/.local/share/quillon/QlSave/sav.sav
grep -q "^Saved to $save\$" "$work/sim.txt" || fail "the simulator saved elsewhere: $(grep Saved "$work/sim.txt")"
[ -s "$save" ] || fail "no save in $save"
"$prefix/bin/qarc" test "$save" >/dev/null 2>&1 || fail "the save does not test sound"
run "$prefix/bin/quillon-sim" --seed 5 --bot --weeks 2 --load-slot >"$work/load.txt" 2>"$work/load.err" ||
  fail "the installed simulator does not load its save: $(cat "$work/load.err")"
grep -q "^Loaded $save\$" "$work/load.txt" || fail "the simulator loaded no save"

run env QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy "$prefix/bin/quillon" --screenshots "$work/shots" \
  --seed 3 --weeks 8 >"$work/tour.txt" 2>"$work/tour.err" || fail "the installed game's tour: $(cat "$work/tour.err")"
[ -s "$work/shots/financial-info.png" ] || fail "the tour took no pictures"
# The window's own "Save game && end turn" and "Load Saved Game", into and out of the home.
rm -f "$save"
run env QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy "$prefix/bin/quillon" --new-game "Ada,Pixel Forge" \
  --weeks 3 --save-game --quit >"$work/save.txt" 2>"$work/save.err" || fail "the installed game did not save"
[ -s "$save" ] || fail "the window saved no game in $save"
run env QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy "$prefix/bin/quillon" --new-game "Ada,Pixel Forge" \
  --load-game --quit >"$work/loaded.txt" 2>"$work/loaded.err" || fail "the installed game did not load"
# Loading plays the saved week once more.
saved=$(sed -n 's/^Saving: week \([0-9]*\) of \([0-9]*\)$/\1 \2/p' "$work/save.txt")
loaded=$(sed -n 's/^Loaded: week \([0-9]*\) of \([0-9]*\)$/\1 \2/p' "$work/loaded.txt")
[ -n "$saved" ] && [ "$loaded" = "$(($(echo "$saved" | cut -d' ' -f1) + 1)) $(echo "$saved" | cut -d' ' -f2)" ] ||
  fail "saved in week $saved, loaded in week $loaded"
profile=$home/.local/share/quillon/player.ini
[ -s "$profile" ] || fail "no profile in $profile"
grep -q . "$profile" || fail "the profile is empty"
settings=$home/.config/quillon/online.cfg
grep -q '^UpdateServer =' "$settings" || fail "no settings in $settings"

# Nothing in the folder it was started from, and in the home only the game's two folders (and
# whatever cache the system's libraries keep, such as fontconfig's).
[ -z "$(ls -A "$work/cwd")" ] || fail "files written where the game was started: $(ls -A "$work/cwd")"
extra=$(cd "$home" && find . -mindepth 1 -maxdepth 2 | grep -v -x -e ./.local -e ./.local/share -e ./.config \
  -e ./.config/quillon -e ./.cache -e './.cache/.*' || true)
[ -z "$extra" ] || fail "unexpected files in the home: $extra"

snapshot >"$work/after"
diff "$work/before" "$work/after" >"$work/prefix.diff" || fail "the prefix changed: $(cat "$work/prefix.diff")"
echo "installed game plays in $home; the prefix is unchanged"
