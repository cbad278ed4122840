#!/usr/bin/env bash
# Installs the build into a temporary prefix, moves the installed tree, and
# starts the program as a desktop would: through the desktop entry's Exec
# line, under Xvfb, from an unrelated working directory.
# Usage: install_test.sh CMAKE BUILD_DIR
set -euo pipefail
cmake=$1
build=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
  echo "install test: $*" >&2
  exit 1
}

# Run alone, the test must not install programs older than the sources.
"$cmake" --build "$build" --target tessaform tessaform-cli >/dev/null
"$cmake" --install "$build" --prefix "$work/installed" >/dev/null
# The launcher finds its folders from its own place, so the tree can move.
mv "$work/installed" "$work/prefix"
prefix=$work/prefix

entry=$prefix/share/applications/tessaform.desktop
desktop-file-validate --no-hints "$entry" || fail "desktop entry is not valid"
icon=$(sed -n 's/^Icon=//p' "$entry")
[[ -f $prefix/share/icons/hicolor/32x32/apps/$icon.png ]] || fail "no icon file for Icon=$icon"
grep -q '^MimeType=chemical/x-pdb;.*chemical/x-mdl-sdfile;' "$entry" || fail "desktop entry does not open PDB and SDF files"
[[ -f $prefix/share/mime/packages/tessaform.xml ]] || fail "no MIME package for chemical/x-pdb"
read -r -a command <<<"$(sed -n 's/^Exec=//p' "$entry")"
((${#command[@]})) || fail "desktop entry has no Exec line"

mkdir "$work/elsewhere"
cd "$work/elsewhere"
# A file manager passes the file for %f; a relative name must still be found.
cp "$prefix/share/tessaform/samples/water."* .
command=("${command[@]/#%f/water.pdb}")
# Xvfb's default 8-bit screen has no visual for an OpenGL 3.3 context.
status=0
output=$(PATH="$prefix/bin:$PATH" TESSAFORM_EXIT_AFTER_FIRST_FRAME=1 \
  xvfb-run -a -s "-screen 0 1280x1024x24" "${command[@]}" 2>&1) || status=$?
((status == 0)) || fail "Exec=${command[*]} exited with $status: $output"
grep -Eq '^tessaform: first frame on screen [0-9]+ ms after the process started$' <<<"$output" ||
  fail "no first-frame line from Exec=${command[*]}: $output"

data=$prefix/share/tessaform
info=$("$prefix/bin/tessaform-cli" --config "$data/config.ini" info "$data/samples/water.pdb")
if ! grep -qx $'atoms\t3' <<<"$info" || ! grep -qx $'topology\tfound' <<<"$info"; then
  fail "tessaform-cli info on the installed water.pdb: $info"
fi
echo "install test: passed"
