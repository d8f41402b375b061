#!/usr/bin/env bash
# Builds Kestrune for 64-bit Windows on Debian 12, with Debian's MinGW-w64 and Debian's sources of
# the libraries it needs (Qt's base module, GoogleTest; libxlsxwriter and CLI11's headers
# for kestrune-calc), and leaves in build-windows/:
#   Kestrune-VERSION-windows-x64.zip   a folder that runs on Windows with nothing else installed;
#   Kestrune-VERSION-setup.exe         the installer (NSIS, 64-bit);
#   bin/                               the programs, the unit tests and the scripted driver.
# The libraries are built once into a cache outside the tree (KESTRUNE_CACHE, by default
# ~/.cache/kestrune), one folder per source version, compiler version and build recipe; later runs
# reuse them. Run as root on a fresh machine, or as a user with sudo; it installs what it needs.
# Usage: scripts/build-windows.sh [--libraries-only]
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir=$PWD
build_dir=$source_dir/build-windows
toolchain=$source_dir/packaging/windows/mingw-w64-x86_64.cmake
cache=${KESTRUNE_CACHE:-$HOME/.cache/kestrune}/windows
triplet=x86_64-w64-mingw32
libraries_only=0
if [ "${1:-}" = --libraries-only ]; then libraries_only=1; fi

say() { printf '%s build-windows: %s\n' "$(date +%H:%M:%S)" "$*"; }

# --- What it needs -------------------------------------------------------------------------------
# The cross compiler (posix threads), the host's Qt tools of the same version as the Qt sources,
# Debian's source tools, the installer and the zip.
# Debian's zlib for Windows is what libxlsxwriter compresses with.
bash scripts/install-deps.sh g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix \
    mingw-w64-tools binutils-mingw-w64-x86-64 libz-mingw-w64-dev dpkg-dev nsis zip

as_root=()
if [ "$(id -u)" -ne 0 ]; then as_root=(sudo); fi

# Debian's source packages: a deb-src entry for the archives the binary packages come from, added
# once when apt knows no source for the packages.
ensure_sources() {
    if apt-cache showsrc qt6-base 2>/dev/null | grep -q '^Package:'; then return; fi
    say "adding Debian's source archive (deb-src) beside the machine's own package archives"
    local list=/etc/apt/sources.list.d/kestrune-deb-src stanzas="" lines="" file
    # The archives apt already installs from, each also as a source archive: deb822 stanzas with
    # their Types set to deb-src, and one-line "deb" entries as "deb-src" entries.
    for file in /etc/apt/sources.list.d/*.sources; do
        [ -e "$file" ] && [ "$file" != "$list.sources" ] || continue
        stanzas+=$(awk 'BEGIN { RS = ""; ORS = "\n\n" }
            /(^|\n)Types:[^\n]*[ \t]deb([ \t]|\n|$)/ {
                sub(/(^|\n)Types:[^\n]*/, "\nTypes: deb-src"); sub(/^\n/, ""); print }' "$file")
        stanzas+=$'\n\n'
    done
    for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [ -e "$file" ] && [ "$file" != "$list.list" ] || continue
        lines+=$(sed -n 's/^[[:space:]]*deb[[:space:]]/deb-src /p' "$file")
        lines+=$'\n'
    done
    local note="# Added by Kestrune's scripts/build-windows.sh: the machine's archives' sources."
    if [ -n "${stanzas//[[:space:]]/}" ]; then
        printf '%s\n%s' "$note" "$stanzas" | "${as_root[@]}" tee "$list.sources" >/dev/null
    fi
    if [ -n "${lines//[[:space:]]/}" ]; then
        printf '%s\n%s' "$note" "$lines" | "${as_root[@]}" tee "$list.list" >/dev/null
    fi
    "${as_root[@]}" apt-get update -qq
}

# The Debian source version of the package the binary package $1 was built from, so the
# cross-built library is the very version the machine has (Qt's host tools must match its
# sources); where it is not installed, the newest version of the source package $2.
source_version() {
    if dpkg-query -W -f='${source:Version}' "$1" 2>/dev/null; then return; fi
    ensure_sources
    apt-cache showsrc "$2" | sed -n 's/^Version: //p' | sort -V | tail -n 1
}
compiler_version=$(dpkg-query -W -f='${Version}' g++-mingw-w64-x86-64-posix)
mkdir -p "$cache"

# fetch_source PACKAGE VERSION DIR: Debian's source package unpacked into DIR without its Debian
# patches, then only the security ones applied (cve-*, in the series' order): the other patches
# are for Debian's own Linux builds.
fetch_source() {
    local package=$1 version=$2 dir=$3 patch
    ensure_sources
    (cd "$dir" && apt-get source --download-only -qq "$package=$version" >/dev/null 2>&1) ||
        (cd "$dir" && apt-get source --download-only -qq "$package=$version")
    dpkg-source -x --skip-patches "$dir"/*.dsc "$dir/src" >/dev/null
    if [ -f "$dir/src/debian/patches/series" ]; then
        while read -r patch _; do
            case "$patch" in
                cve-* | CVE-*)
                    say "$package: applying Debian's security patch $patch"
                    patch -d "$dir/src" -p1 -s -N <"$dir/src/debian/patches/$patch"
                    ;;
            esac
        done <"$dir/src/debian/patches/series"
    fi
}

# third_party NAME SOURCE-PACKAGE BINARY-PACKAGE RECIPE: makes sure the library NAME, from Debian's
# source package at the machine's version of the binary package, is built and installed into its
# cache folder, and prints that folder. RECIPE is a function called in the unpacked sources with
# the install folder; its text, the toolchain file and $recipe_key are hashed into the folder's
# name, so a changed recipe builds anew and an unchanged one is reused. Only the installed files
# are kept.
third_party() {
    local name=$1 package=$2 version_of=$3 recipe=$4 version key prefix work
    version=$(source_version "$version_of" "$package")
    key=$( (declare -f "$recipe"; cat "$toolchain"; printf '%s\n' "${recipe_key:-}") |
        sha256sum | cut -c1-12)
    prefix=$cache/$name-$version-mingw-$compiler_version-$key
    if [ -f "$prefix/.complete" ]; then
        printf '%s\n' "$prefix"
        return
    fi
    say "$name $version: building for Windows into $prefix (once)" >&2
    work=$(mktemp -d "$cache/.build-$name.XXXXXX")
    rm -rf "$prefix" "$prefix.partial"
    fetch_source "$package" "$version" "$work" >&2
    (cd "$work/src" && "$recipe" "$prefix.partial") >&2
    rm -rf "$work"
    touch "$prefix.partial/.complete"
    mv "$prefix.partial" "$prefix"
    printf '%s\n' "$prefix"
}

# --- Qt's base module ----------------------------------------------------------------------------
# The GUI, widgets, printing and test modules with their bundled image, text and font libraries;
# nothing Kestrune does not use (network, SQL, D-Bus, OpenGL...). Direct2D stays at its default:
# without it Qt 6.4.2's printing module does not link.
qt_flags=(
    -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
    -DQT_BUILD_TESTS=OFF -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_BENCHMARKS=OFF
    -DFEATURE_pkg_config=OFF -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF
    -DFEATURE_xml=OFF -DFEATURE_concurrent=OFF -DFEATURE_opengl=OFF -DINPUT_opengl=no
    -DFEATURE_vulkan=OFF -DFEATURE_tabletevent=OFF -DFEATURE_icu=OFF -DFEATURE_zstd=OFF
    -DFEATURE_glib=OFF -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF
    -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_harfbuzz=OFF
    -DFEATURE_system_pcre2=OFF -DFEATURE_system_freetype=OFF
    -DFEATURE_system_doubleconversion=OFF
)
build_qt() {
    local prefix=$1
    cmake -S . -B ../qt-build -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_INSTALL_PREFIX="$prefix" "${qt_flags[@]}" >../qt-configure.log
    nice -n 5 cmake --build ../qt-build --parallel "$(nproc)"
    cmake --install ../qt-build --strip >/dev/null
    rm -rf ../qt-build
}
recipe_key="${qt_flags[*]}"
qt_prefix=$(third_party qtbase qt6-base qt6-base-dev build_qt)
recipe_key=
say "Qt: $qt_prefix"


# --- GoogleTest, libxlsxwriter, CLI11 -----------------------------------------------------------
# GoogleTest's static libraries with their CMake package, for the unit tests.
build_googletest() {
    local prefix=$1
    cmake -S . -B ../gtest-build -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_GMOCK=ON \
        -DINSTALL_GTEST=ON -Dgtest_force_shared_crt=ON >/dev/null
    nice -n 5 cmake --build ../gtest-build --parallel "$(nproc)" >/dev/null
    cmake --install ../gtest-build >/dev/null
}
# libxlsxwriter (static, with its bundled minizip; zlib from Debian's libz-mingw-w64-dev).
build_libxlsxwriter() {
    local prefix=$1
    cmake -S . -B ../xlsx-build -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF \
        -DUSE_SYSTEM_MINIZIP=OFF -DBUILD_TESTS=OFF -DBUILD_EXAMPLES=OFF >/dev/null
    nice -n 5 cmake --build ../xlsx-build --parallel "$(nproc)" >/dev/null
    cmake --install ../xlsx-build >/dev/null
}
# CLI11's headers and its CMake package (header-only: nothing is compiled).
build_cli11() {
    local prefix=$1
    cmake -S . -B ../cli11-build -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_INSTALL_PREFIX="$prefix" -DCLI11_BUILD_TESTS=OFF -DCLI11_BUILD_EXAMPLES=OFF \
        -DCLI11_BUILD_DOCS=OFF -DCLI11_INSTALL=ON >/dev/null
    cmake --install ../cli11-build >/dev/null
}
# Each library Kestrune links on Windows: NAME SOURCE-PACKAGE BINARY-PACKAGE RECIPE.
prefixes=("$qt_prefix")
for library in "googletest googletest googletest build_googletest" \
    "libxlsxwriter libxlsxwriter libxlsxwriter-dev build_libxlsxwriter" \
    "cli11 cli11 libcli11-dev build_cli11"; do
    read -r name _ <<<"$library"
    # shellcheck disable=SC2086  # the words of the line are the arguments
    prefixes+=("$(third_party $library)")
    say "$name: ${prefixes[-1]}"
done

if [ "$libraries_only" = 1 ]; then exit 0; fi

# --- Kestrune ------------------------------------------------------------------------------------
# The test programs are listed when they run (under Wine, by scripts/test-windows.sh), not after
# they are built: Linux cannot run them.
export KESTRUNE_WINDOWS_PREFIXES
KESTRUNE_WINDOWS_PREFIXES=$(IFS=:; echo "${prefixes[*]}")
say "configuring Kestrune in build-windows/"
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DKESTRUNE_WERROR=ON -DKESTRUNE_BUILD_BENCH=OFF \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE=PRE_TEST >/dev/null
say "building Kestrune, its tests and the scripted driver"
nice -n 5 cmake --build "$build_dir" --parallel "$(nproc)"

# --- The libraries and plugins the programs load ---------------------------------------------------
# The plugins: the window system (windows), the platform kestrune-calc draws its report on
# (minimal, with the system's fonts), the offscreen platform of the scripted driver and the tests,
# the look of the controls. Then every library the programs and plugins import, found among Qt's
# and MinGW's; the system's own (KERNEL32.dll, USER32.dll...) are not found there and stay out.
gcc_dir=$(dirname "$("$triplet-gcc-posix" -print-libgcc-file-name)")
dll_dirs=("$qt_prefix/bin" "$gcc_dir" "/usr/$triplet/lib" "/usr/$triplet/bin")
imports() {
    "$triplet-objdump" -p "$1" | sed -n 's/^\s*DLL Name: //p'
}
# with_libraries FOLDER PLUGIN...: the plugins (platforms/NAME.dll...) into FOLDER beside its
# programs, and every library that they and the programs need.
with_libraries() {
    local folder=$1 plugin file dll dir
    shift
    for plugin in "$@"; do
        mkdir -p "$folder/$(dirname "$plugin")"
        cp "$qt_prefix/plugins/$plugin" "$folder/$plugin"
    done
    local pending=("$folder"/*.exe)
    for plugin in "$@"; do pending+=("$folder/$plugin"); done
    while [ ${#pending[@]} -gt 0 ]; do
        file=${pending[0]}
        pending=("${pending[@]:1}")
        for dll in $(imports "$file"); do
            [ -e "$folder/$dll" ] && continue
            for dir in "${dll_dirs[@]}"; do
                if [ -f "$dir/$dll" ]; then
                    cp "$dir/$dll" "$folder/"
                    pending+=("$folder/$dll")
                    break
                fi
            done
        done
    done
}
# The test programs and the driver run where they were built.
with_libraries "$build_dir/bin" platforms/qwindows.dll platforms/qminimal.dll \
    platforms/qoffscreen.dll styles/qwindowsvistastyle.dll

# --- The folder that runs on Windows -------------------------------------------------------------
version=$(sed -n 's/^project(Kestrune VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
package=Kestrune-$version-windows-x64
deploy=$build_dir/$package
say "making $package/"
rm -rf "$deploy"
mkdir -p "$deploy/doc/licences"
cp "$build_dir/bin/kestrune.exe" "$build_dir/bin/kestrune-calc.exe" "$deploy/"
with_libraries "$deploy" platforms/qwindows.dll platforms/qminimal.dll \
    styles/qwindowsvistastyle.dll
find "$deploy" -name '*.exe' -o -name '*.dll' | xargs "$triplet-strip" --strip-unneeded
# The user guide with its pictures, where the program looks for it (doc\ beside it), and the
# licences of what the folder holds.
cp -r "$build_dir/share/doc/kestrune/." "$deploy/doc/"
cp packaging/copyright "$deploy/doc/licences/Kestrune.txt"
cp /usr/share/common-licenses/GPL-3 "$deploy/doc/licences/GPL-3.txt"
cp /usr/share/common-licenses/LGPL-3 "$deploy/doc/licences/LGPL-3.txt"
for licence in libqt6core6:Qt mingw-w64-common:MinGW-w64 gcc-mingw-w64-base:GCC-runtime; do
    if [ -f "/usr/share/doc/${licence%%:*}/copyright" ]; then
        cp "/usr/share/doc/${licence%%:*}/copyright" "$deploy/doc/licences/${licence##*:}.txt"
    fi
done

say "making $package.zip"
rm -f "$build_dir/$package.zip"
# Every file dated as the last commit, so that the same sources give the same zip file.
stamp=$(git log -1 --format=%ct 2>/dev/null || date +%s)
(cd "$build_dir" && find "$package" -exec touch -h -d "@$stamp" {} + &&
    find "$package" | LC_ALL=C sort | zip -q -X -@ "$package.zip")

# --- The installer -------------------------------------------------------------------------------
# The files to install and, in reverse, to remove: exactly the folder's, so that the uninstaller
# removes what was installed and nothing the user put there.
installer=$build_dir/Kestrune-$version-setup.exe
say "making $(basename "$installer")"
nsis_dir=$build_dir/nsis
rm -rf "$nsis_dir"
mkdir -p "$nsis_dir"
(
    cd "$deploy"
    while read -r dir; do
        printf 'SetOutPath "$INSTDIR%s"\n' "$(printf '%s' "${dir#.}" | tr / '\\')"
        find "$dir" -maxdepth 1 -type f | LC_ALL=C sort | while read -r file; do
            printf 'File "%s"\n' "$deploy/${file#./}"
        done
    done < <(find . -type d | LC_ALL=C sort)
) >"$nsis_dir/install-files.nsh"
(
    cd "$deploy"
    find . -type f | LC_ALL=C sort | while read -r file; do
        printf 'Delete "$INSTDIR\\%s"\n' "$(printf '%s' "${file#./}" | tr / '\\')"
    done
    find . -mindepth 1 -type d | LC_ALL=C sort -r | while read -r dir; do
        printf 'RMDir "$INSTDIR\\%s"\n' "$(printf '%s' "${dir#./}" | tr / '\\')"
    done
) >"$nsis_dir/uninstall-files.nsh"
size_kb=$(du -sk "$deploy" | cut -f1)
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DOUTFILE="$installer" \
    -DICON="$source_dir/packaging/windows/kestrune.ico" -DSIZE_KB="$size_kb" \
    -DLICENCE="$deploy/doc/licences/GPL-3.txt" \
    -DINSTALL_FILES="$nsis_dir/install-files.nsh" \
    -DUNINSTALL_FILES="$nsis_dir/uninstall-files.nsh" \
    packaging/windows/kestrune.nsi

say "done: $(cd "$build_dir" && du -h "$package.zip" "$(basename "$installer")" | tr '\t\n' '  ')"
