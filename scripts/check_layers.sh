#!/usr/bin/env bash
# Fails when an include breaks the layering of the program's folders:
#  - only platform/ may include the headers of the libraries and the operating system that
#    the platform layer stands in front of (SDL, Xlib, FluidSynth, vorbis, FreeType,
#    fontconfig, ImGui, iconv, POSIX);
#  - a folder includes only headers of its own folder or of folders below it:
#    platform < app < data < media < shell < objects, flow, stage < frontend < the entry.
#    The three folders of the game thread's world (objects, flow, stage) may include each
#    other.
# tests/, bench/, fuzz/ and tools may include anything. The tools beside the program (the
# file writers, the demo game) may include any folder of the program, but no folder of the
# program includes them, and they too leave the system headers to platform/. Prints each
# offending include.
set -uo pipefail
cd "$(dirname "$0")/.."

declare -A floor=(
  [platform]=0 [app]=1 [data]=2 [media]=3 [shell]=4
  [objects]=5 [flow]=5 [stage]=5 [frontend]=6 [entry]=7
)
# Folders outside the program (tests, benchmarks, fuzz targets, scripts): they may include
# anything. Folders in neither table are not checked either.
declare -A outside=([tests]=1 [bench]=1 [fuzz]=1 [scripts]=1)
# Tools built beside the program.
declare -A tool=([writers]=1 [demo]=1)

# Library and system headers that stay behind the platform layer.
system_headers='SDL|SDL2/|X11/|fluidsynth|vorbis/|ogg/|ft2build|freetype|fontconfig|imgui|iconv|unistd|fcntl|dirent|dlfcn|poll|pthread|semaphore|sched|signal|spawn|termios|glob|fnmatch|strings|sys/|arpa/|netinet/|netdb'

status=0
while IFS= read -r hit; do
  file=${hit%%:*}
  rest=${hit#*:}
  line=${rest%%:*}
  text=${rest#*:}
  from=${file%%/*}
  [ -n "${outside[$from]:-}" ] && continue
  if [ -n "${tool[$from]:-}" ]; then
    if [[ "$text" =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\<(${system_headers}) ]]; then
      echo "$file:$line: system header outside platform/: $text"
      status=1
    fi
    continue
  fi
  f=${floor[$from]:--1}
  [ "$f" -lt 0 ] && continue
  if [[ "$text" =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\"([^\"/]+)/ ]] && [ -n "${tool[${BASH_REMATCH[1]}]:-}" ]; then
    echo "$file:$line: the program includes a tool: $text"
    status=1
    continue
  fi
  if [[ "$text" =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\<(${system_headers}) ]]; then
    if [ "$from" != platform ]; then
      echo "$file:$line: system header outside platform/: $text"
      status=1
    fi
    continue
  fi
  if [[ "$text" =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\"([^\"/]+)/[^\"]*\" ]]; then
    to=${BASH_REMATCH[1]}
    [ "$to" = "$from" ] && continue
    t=${floor[$to]:--1}
    [ "$t" -lt 0 ] && continue
    if [ "$t" -gt "$f" ] || { [ "$t" -eq "$f" ] && [ "$f" -ne 5 ]; }; then
      echo "$file:$line: $from/ includes a folder above or beside it: $text"
      status=1
    fi
  fi
done < <(git grep --untracked -n -E '^[[:space:]]*#[[:space:]]*include' -- '*.h' '*.hpp' '*.cpp' '*.cc')

if [ "$status" -eq 0 ]; then
  echo "layering: every include points down"
fi
exit "$status"
