#!/usr/bin/env bash
# Fails when a source file includes a header from a layer above its own, or
# from a sibling folder of the same layer:
#   scripts/check-layers.sh [ROOT]      (default: the folder above scripts/)
# Each violation is one line on standard error,
#   FILE:LINE: FOLDER (layer N) includes "HEADER" from FOLDER2 (layer M)
# and the exit status is 1; a clean tree prints one summary line on standard
# output and exits 0. Exit status 2: usage error or no source folder found.
#
# Layers, bottom up (a folder may include its own folder and lower layers):
#   0 base   1 forcefield   2 model   3 io, charges, shaping   4 view
#   5 view/gl, app   6 app/qt   7 cli (everything except app/qt/)
# Only quoted includes whose path starts with one of these folders count.
# Open Babel's headers (<openbabel/...>) may be included only in io/openbabel/.
# The checked files are the *.h, *.cpp and *.inl directly inside each folder;
# io/ is checked with all its subfolders, which belong to the io layer.
set -euo pipefail

if (($# > 1)) || [[ ${1-} == -h || ${1-} == --help ]]; then
  echo "usage: $0 [ROOT]" >&2
  exit 2
fi
root=${1:-$(dirname "$0")/..}
if ! cd "$root" 2>/dev/null; then
  echo "check-layers: cannot enter $root" >&2
  exit 2
fi

folders=(base forcefield model io charges shaping view view/gl app app/qt cli)
sources=(\( -name '*.h' -o -name '*.cpp' -o -name '*.inl' \))
files=()
for folder in "${folders[@]}"; do
  [[ -d $folder ]] || continue
  depth=(-maxdepth 1)
  [[ $folder == io ]] && depth=()
  mapfile -d '' -O "${#files[@]}" files < <(
    find "$folder" "${depth[@]}" -type f "${sources[@]}" -print0 | sort -z)
done
if ((${#files[@]} == 0)); then
  echo "check-layers: no source folder under $root" >&2
  exit 2
fi

# One awk pass over all files keeps the check fast. Plain POSIX awk, so
# Debian's default mawk runs it.
awk -v checked="${#files[@]}" '
BEGIN {
  n = split("base:0 forcefield:1 model:2 io:3 charges:3 shaping:3 " \
            "view:4 view/gl:5 app:5 app/qt:6 cli:7", pairs, " ")
  for (i = 1; i <= n; i++) {
    split(pairs[i], kv, ":")
    rank[kv[1]] = kv[2]
  }
  found = 0
}

# The layer folder a directory belongs to: the longest known folder that is a
# prefix of it (io/openbabel -> io, app/qt -> app/qt), or "" when none is.
function layer_of(dir) {
  while (dir != "") {
    if (dir in rank) return dir
    if (!sub(/\/[^\/]*$/, "", dir)) return ""
  }
  return ""
}

function dir_of(path) {
  if (!sub(/\/[^\/]*$/, "", path)) return ""
  return path
}

FNR == 1 {
  from_dir = dir_of(FILENAME)
  from = layer_of(from_dir)
}

/^[ \t]*#[ \t]*include[ \t]*<openbabel\// {
  if (from_dir != "io/openbabel") {
    printf "%s:%d: %s includes Open Babel, which only io/openbabel/ may\n", \
           FILENAME, FNR, from_dir > "/dev/stderr"
    found++
  }
  next
}

/^[ \t]*#[ \t]*include[ \t]*"/ {
  header = $0
  sub(/\r$/, "", header)
  sub(/^[ \t]*#[ \t]*include[ \t]*"/, "", header)
  if (!sub(/".*$/, "", header)) next
  to_dir = dir_of(header)
  to = layer_of(to_dir)
  if (to == "" || to == from) next
  allowed = rank[to] < rank[from] && !(from == "cli" && to == "app/qt")
  if (allowed) next
  printf "%s:%d: %s (layer %d) includes \"%s\" from %s (layer %d)\n", \
         FILENAME, FNR, from_dir, rank[from], header, to_dir, rank[to] > "/dev/stderr"
  found++
}

END {
  if (found) {
    printf "layers: %d upward include(s) in %d files checked\n", found, checked > "/dev/stderr"
    exit 1
  }
  printf "layers: %d files checked, no upward include\n", checked
}
' "${files[@]}"
