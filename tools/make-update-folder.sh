#!/usr/bin/env bash
# Lays out a folder of updates that any static web server can serve to the game's update
# check: OUT/qstudio/ with database.pck, quillon.pck, their .dwl descriptions and the signed
# manifest (manifest.txt, manifest.sig) without which the game takes nothing. Point the game's
# UpdateServer setting (or quillon-update --server) at the https address that serves OUT.
#
#   tools/make-update-folder.sh OUT --key SECRET-FILE --version VERSION
#                               [--database FILE] [--database-note TEXT]
#                               [--program FILE] [--program-note TEXT] [--qarc PATH] [--sign PATH]
#
#   --key SECRET-FILE    the update signer's secret key (quillon-sign new-key makes the pair;
#                        the game is built with the public half)
#   --version VERSION    the version of what is offered (dotted numbers, such as 0.2.0): the
#                        game takes a file only when it is newer than what it has
#   --database FILE      the game database to offer (copied as database.pck)
#   --program FILE       the new executable; packed alone into quillon.pck as "quillon"
#   --database-note, --program-note
#                        the one-line descriptions the update window shows
#   --qarc PATH          the archiver (default: build/qarc beside this script's checkout)
#   --sign PATH          the signing tool (default: build/quillon-sign)
#
# For a quick look on this machine: python3 -m http.server --directory OUT 8000, then
#   build/quillon-update --server http://127.0.0.1:8000 --dir /tmp/quillon-updates --public-key KEY.pub
set -euo pipefail

usage() {
    sed -n '2,24p' "$0" | sed 's/^# \{0,1\}//' >&2
    exit 2
}

[ $# -ge 1 ] || usage
out=$1
shift
database=
database_note=
program=
program_note=
key=
version=
build="$(cd "$(dirname "$0")/.." && pwd)/build"
qarc="$build/qarc"
sign="$build/quillon-sign"
while [ $# -gt 0 ]; do
    [ $# -ge 2 ] || usage
    case $1 in
        --database) database=$2 ;;
        --database-note) database_note=$2 ;;
        --program) [ -z "$program" ] || { echo "give --program once: the archive holds the program alone" >&2; exit 2; }
                   program=$2 ;;
        --program-note) program_note=$2 ;;
        --key) key=$2 ;;
        --version) version=$2 ;;
        --qarc) qarc=$2 ;;
        --sign) sign=$2 ;;
        *) usage ;;
    esac
    shift 2
done
[ -n "$database" ] || [ -n "$program" ] || { echo "nothing to offer: give --database or --program" >&2; exit 2; }
[ -n "$key" ] || { echo "--key is missing: updates are signed" >&2; exit 2; }
[[ $version =~ ^[0-9]{1,9}(\.[0-9]{1,9}){0,3}$ ]] || { echo "--version must be dotted numbers, such as 0.2.0" >&2; exit 2; }
[ -x "$sign" ] || { echo "no signing tool at $sign (build the quillon-sign target or pass --sign)" >&2; exit 1; }

mkdir -p "$out/qstudio"
folder=$(cd "$out/qstudio" && pwd)
manifest=$(mktemp)
stage=$(mktemp -d)
trap 'rm -rf "$stage" "$manifest"' EXIT
echo "QUILLON-UPDATES 1" >"$manifest"

# One manifest line: name, size, SHA-256 and version.
list() {
    local size hash
    size=$(stat -c %s "$folder/$1")
    hash=$(sha256sum "$folder/$1" | cut -d' ' -f1)
    echo "$1 $size $hash $version" >>"$manifest"
}

if [ -n "$database" ]; then
    cp "$database" "$folder/database.pck"
    [ -z "$database_note" ] || printf '%s\r\n' "$database_note" >"$folder/database.dwl"
    list database.pck
fi

if [ -n "$program" ]; then
    [ -x "$qarc" ] || { echo "no archiver at $qarc (build the qarc target or pass --qarc)" >&2; exit 1; }
    cp "$program" "$stage/quillon"
    rm -f "$folder/quillon.pck"
    # The game takes the member "quillon" and refuses an archive holding anything else.
    (cd "$stage" && "$qarc" create "$folder/quillon.pck" quillon >/dev/null)
    [ -z "$program_note" ] || printf '%s\r\n' "$program_note" >"$folder/quillon.dwl"
    list quillon.pck
fi

"$sign" sign "$key" "$manifest" "$folder/manifest.sig"
cp "$manifest" "$folder/manifest.txt"

echo "Update folder ready: $folder"
ls -l "$folder"
