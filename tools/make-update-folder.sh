#!/usr/bin/env bash
# Lays out a folder of updates that any static web server can serve to the game's update
# check: OUT/qstudio/ with database.pck, quillon.pck and their .dwl descriptions. Point the
# game's UpdateServer setting (or quillon-update --server) at the address that serves OUT.
#
#   tools/make-update-folder.sh OUT [--database FILE] [--database-note TEXT]
#                                   [--program FILE]... [--program-note TEXT] [--qarc PATH]
#
#   --database FILE      the game database to offer (copied as database.pck)
#   --program FILE       a file of the new program (repeatable): the executable "quillon" and
#                        whatever belongs beside it; they are packed into quillon.pck under
#                        their file names and unpacked into the program folder on restart
#   --database-note, --program-note
#                        the one-line descriptions the update window shows
#   --qarc PATH          the archiver (default: build/qarc beside this script's checkout)
#
# For a quick look: python3 -m http.server --directory OUT 8000, then
#   build/quillon-update --server http://127.0.0.1:8000 --dir /tmp/quillon-updates
set -euo pipefail

usage() {
    sed -n '2,18p' "$0" | sed 's/^# \{0,1\}//' >&2
    exit 2
}

[ $# -ge 1 ] || usage
out=$1
shift
database=
database_note=
program_note=
programs=()
qarc="$(cd "$(dirname "$0")/.." && pwd)/build/qarc"
while [ $# -gt 0 ]; do
    [ $# -ge 2 ] || usage
    case $1 in
        --database) database=$2 ;;
        --database-note) database_note=$2 ;;
        --program) programs+=("$2") ;;
        --program-note) program_note=$2 ;;
        --qarc) qarc=$2 ;;
        *) usage ;;
    esac
    shift 2
done
[ -n "$database" ] || [ ${#programs[@]} -gt 0 ] || { echo "nothing to offer: give --database or --program" >&2; exit 2; }

mkdir -p "$out/qstudio"
folder=$(cd "$out/qstudio" && pwd)

if [ -n "$database" ]; then
    cp "$database" "$folder/database.pck"
    [ -z "$database_note" ] || printf '%s\r\n' "$database_note" >"$folder/database.dwl"
fi

if [ ${#programs[@]} -gt 0 ]; then
    [ -x "$qarc" ] || { echo "no archiver at $qarc (build the qarc target or pass --qarc)" >&2; exit 1; }
    stage=$(mktemp -d)
    trap 'rm -rf "$stage"' EXIT
    names=()
    for file in "${programs[@]}"; do
        cp -p "$file" "$stage/"
        names+=("$(basename "$file")")
    done
    rm -f "$folder/quillon.pck"
    # Stored names are plain file names: the game unpacks them into its program folder.
    (cd "$stage" && "$qarc" create "$folder/quillon.pck" "${names[@]}" >/dev/null)
    [ -z "$program_note" ] || printf '%s\r\n' "$program_note" >"$folder/quillon.dwl"
fi

echo "Update folder ready: $folder"
ls -l "$folder"
