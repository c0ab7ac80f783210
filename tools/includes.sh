#!/usr/bin/env bash
# Prints which product folder includes which (folder -> folder, how many
# #include lines), and fails on an include that runs the wrong way.
#
# Floors, lowest first:
#   0  base, res                              the ground: no feature knowledge
#   1  cbt                                    the hook library and its contract
#   2  settings, bar, tray, history,          the feature wings
#      options, shutdown, details
#   3  app                                    main, start-up, the message hub
# A folder may include its own floor's ground and anything below it, never
# above. Within the wings, the commands (options, shutdown, details) may
# include the services (settings, bar, tray, history); no other wing includes a
# wing, so the wings' includes cannot form a loop. cbt includes only cbt and
# base. Tests and tools are not product; of them it checks one thing: the
# harness (harness/) and the tools stand on their own and never reach into
# tests/ (no #include, no sourced script, no source file of it).
#
# Usage: tools/includes.sh [SOURCE_DIR]   (default: the repository's root)
set -u
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root" || exit 2

declare -A rank=([base]=0 [res]=0 [cbt]=1 [settings]=2 [bar]=2 [tray]=2 [options]=2 [shutdown]=2 [history]=2 [details]=2 [app]=3)
declare -A command=([options]=1 [shutdown]=1 [details]=1)
declare -A service=([settings]=1 [bar]=1 [tray]=1 [history]=1)

folders=()
for folder in "${!rank[@]}"; do
    [ -d "$folder" ] && folders+=("$folder")
done
# Folders of product code outside the table (an old layout) are read too, and
# any include of or from them is reported as unknown.
for folder in */; do
    folder=${folder%/}
    case $folder in tests | tools | harness | build | docs | cmake | .*) continue ;; esac
    if [ -z "${rank[$folder]+x}" ] && ls "$folder"/*.cpp "$folder"/*.h >/dev/null 2>&1; then
        folders+=("$folder")
    fi
done

edges=$(for folder in "${folders[@]}"; do
    grep -H '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$folder"/*.cpp "$folder"/*.h 2>/dev/null
done | sed -E 's|^([^/]+)/[^:]*:[[:space:]]*#[[:space:]]*include[[:space:]]*"([^/"]+)/.*$|\1 \2|;t;d' |
    awk '$1 != $2' | sort | uniq -c | awk '{print $2, $3, $1}')

bad=0
echo "cross-folder includes (from -> to: lines):"
while read -r from to count; do
    [ -z "$from" ] && continue
    verdict=""
    if [ -z "${rank[$from]+x}" ] || [ -z "${rank[$to]+x}" ]; then
        verdict="UNKNOWN FOLDER"
    elif [ "$from" = cbt ] && [ "$to" != base ]; then
        verdict="OUTSIDE THE LIBRARY'S CONTRACT"
    elif [ "${rank[$to]}" -gt "${rank[$from]}" ]; then
        verdict="UPWARD"
    elif [ "${rank[$to]}" -eq "${rank[$from]}" ]; then
        if [ -n "${command[$from]+x}" ] && [ -n "${service[$to]+x}" ]; then
            verdict=""
        else
            verdict="BETWEEN WINGS"
        fi
    fi
    printf '  %-9s -> %-9s %3d%s\n' "$from" "$to" "$count" "${verdict:+   <- $verdict}"
    [ -n "$verdict" ] && bad=$((bad + 1))
done <<<"$edges"

# The harness and the tools: never a file of tests/ in an include, a sourced
# script or a build rule of theirs.
back=$(grep -rnE '#[[:space:]]*include[[:space:]]*"tests/|^[[:space:]]*(\.|source)[[:space:]].*tests/' harness tools 2>/dev/null
       grep -nE '(CMAKE_SOURCE_DIR\}|\$root)/tests/' cmake/harness.cmake cmake/bench.cmake 2>/dev/null)
if [ -n "$back" ]; then
    echo "the harness or a tool reaches into tests/:"
    echo "$back" | sed 's/^/  /'
    bad=$((bad + 1))
fi

if [ "$bad" -gt 0 ]; then
    echo "$bad folder pair(s) include the wrong way"
    exit 1
fi
echo "every include runs downward"
