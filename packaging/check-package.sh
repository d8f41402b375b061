#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Kestrune's Debian package and checks it: the launcher with desktop-file-validate, the
# AppStream metadata with appstreamcli (offline), and the whole package with lintian, which must
# report no errors (its warnings are printed, and do not fail the check).
# Usage: packaging/check-package.sh [BUILD-DIRECTORY]   (default: build-pkg in the project folder)
# Needs: dpkg-dev, desktop-file-utils, appstream, lintian
#   (scripts/install-deps.sh dpkg-dev desktop-file-utils appstream lintian)
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
build_dir=$(realpath -m "${1:-$source_dir/build-pkg}")

missing=()
for tool in dpkg-shlibdeps desktop-file-validate appstreamcli lintian; do
    command -v "$tool" >/dev/null 2>&1 || missing+=("$tool")
done
if [ ${#missing[@]} -ne 0 ]; then
    echo "Missing tools: ${missing[*]}" >&2
    echo "Install them with: scripts/install-deps.sh dpkg-dev desktop-file-utils appstream lintian" >&2
    exit 1
fi

# A new build directory is made for a release build; an existing one keeps its settings.
options=()
if [ ! -f "$build_dir/CMakeCache.txt" ]; then
    options=(-DCMAKE_BUILD_TYPE=Release)
    if command -v ninja >/dev/null 2>&1; then
        options+=(-G Ninja)
    fi
fi
cmake -S "$source_dir" -B "$build_dir" "${options[@]}" >/dev/null
cmake --build "$build_dir" --target kestrune
rm -f "$build_dir"/kestrune_*.deb
(cd "$build_dir" && cpack -G DEB)
package=$(ls "$build_dir"/kestrune_*.deb)

tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
dpkg-deb --extract "$package" "$tree"

status=0
echo "== desktop-file-validate"
desktop-file-validate "$tree"/usr/share/applications/org.kestrune.Kestrune.desktop || status=1
echo "== appstreamcli validate --no-net"
appstreamcli validate --no-net "$tree"/usr/share/metainfo/org.kestrune.Kestrune.metainfo.xml ||
    status=1
appstreamcli validate-tree --no-net "$tree" || status=1
echo "== lintian"
lintian_out=$(lintian --tag-display-limit 0 "$package" 2>&1 | grep -v '^running with root' || true)
[ -n "$lintian_out" ] && echo "$lintian_out"
if grep -q '^E: ' <<<"$lintian_out"; then
    status=1
fi

if [ $status -eq 0 ]; then
    echo "Package checked: $package"
else
    echo "Package has errors: $package" >&2
fi
exit $status
