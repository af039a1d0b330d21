#!/usr/bin/env bash
# Builds both programs for 64-bit Windows on a Debian 12 machine, tests them
# under Wine and packages them as a zip and an NSIS installer in build/windows.
#
# Qt 6.4.2 for Windows is built once from Debian's own source package into a
# cache outside the tree and reused; so are zlib and libxlsxwriter. Debian's Qt
# serves as the host tools (moc, rcc, uic).
#
#   ./scripts/build-windows.sh            everything: Qt (once), libraries, programs, tests, packages
#   ./scripts/build-windows.sh --deps     only the cached Qt and libraries
#   ./scripts/build-windows.sh --no-package   build and test, no zip or installer
#
# GAS_WIN_CACHE (default ~/.cache/gasmeter-sizing) holds the Windows Qt and libraries.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cache=${GAS_WIN_CACHE:-$HOME/.cache/gasmeter-sizing}
qt_version=6.4.2
qt_win=$cache/qt6-win64-$qt_version
deps_win=$cache/win64-libs
work=$cache/work
toolchain=$root/cmake/mingw-w64-x86_64.cmake
jobs=$(nproc)

mode=all
case "${1:-}" in
    --deps) mode=deps ;;
    --no-package) mode=test ;;
    "") ;;
    *) echo "usage: $0 [--deps | --no-package]" >&2; exit 2 ;;
esac

log() { printf '== %s: %s\n' "$(date +%H:%M:%S)" "$*"; }

sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)

install_packages() {
    local packages=(g++-mingw-w64-x86-64-posix wine wine64 xvfb xauth x11-apps netpbm nsis dpkg-dev zip
                    cmake ninja-build librsvg2-bin icoutils qt6-base-dev qt6-translations-l10n
                    fonts-dejavu-core libxlsxwriter-dev pkgconf)
    local missing=()
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    # apt-get source needs a deb-src entry for bookworm.
    if ! grep -rqs '^Types:.*deb-src\|^deb-src ' /etc/apt/sources.list /etc/apt/sources.list.d/; then
        log "adding Debian's source archive to apt"
        printf 'Types: deb-src\nURIs: http://deb.debian.org/debian\nSuites: bookworm\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
            | "${sudo_cmd[@]}" tee /etc/apt/sources.list.d/gasmeter-sizing-src.sources >/dev/null
        missing+=(dpkg-dev)
    fi
    if [ ${#missing[@]} -gt 0 ]; then
        log "installing ${missing[*]}"
        export DEBIAN_FRONTEND=noninteractive
        "${sudo_cmd[@]}" apt-get update -qq
        "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
    fi
}

# Unpacks a Debian source package (patches applied) into $work/<name>.
fetch_source() {
    local package=$1 folder=$2
    [ -d "$work/$folder" ] && return 0
    mkdir -p "$work/fetch-$package"
    (cd "$work/fetch-$package" && apt-get source -qq "$package" >/dev/null)
    local unpacked
    unpacked=$(find "$work/fetch-$package" -mindepth 1 -maxdepth 1 -type d | head -n1)
    mv "$unpacked" "$work/$folder"
    rm -rf "$work/fetch-$package"
}

build_qt() {
    [ -f "$qt_win/.complete" ] && { log "Qt for Windows: cached in $qt_win"; return 0; }
    log "Qt $qt_version for Windows: building into $qt_win (about an hour of CPU time)"
    fetch_source qt6-base qtbase
    rm -rf "$work/qtbase-build" "$qt_win"
    mkdir -p "$work/qtbase-build"
    # Only what the programs use: Core, Gui, Widgets, PrintSupport and Test, with
    # the bundled image, font and regex libraries; Debian's source drops the
    # tablet headers, hence no tablet events.
    (cd "$work/qtbase-build" && "$work/qtbase/configure" \
        -prefix "$qt_win" -xplatform win32-g++ -device-option CROSS_COMPILE=x86_64-w64-mingw32- \
        -qt-host-path /usr -release -shared -nomake tests -nomake examples \
        -qt-zlib -qt-libpng -qt-libjpeg -qt-freetype -qt-harfbuzz -qt-pcre \
        -no-feature-sql -no-feature-network -no-dbus -no-opengl -no-feature-vulkan \
        -no-feature-tabletevent -no-feature-xml -no-feature-concurrent -no-feature-dbus \
        -- -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
           -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake) > "$work/qtbase-configure.log" 2>&1 \
        || { tail -n 40 "$work/qtbase-configure.log"; exit 1; }
    cmake --build "$work/qtbase-build" --parallel "$jobs" > "$work/qtbase-build.log" 2>&1 \
        || { grep -m 20 -B2 -A8 'error' "$work/qtbase-build.log" || tail -n 40 "$work/qtbase-build.log"; exit 1; }
    cmake --install "$work/qtbase-build" > "$work/qtbase-install.log" 2>&1
    touch "$qt_win/.complete"
    rm -rf "$work/qtbase-build"
}

# A CMake project of a Debian source package, built static for Windows into $deps_win.
build_library() {
    local package=$1 folder=$2 marker=$deps_win/.$1-complete
    shift 2
    [ -f "$marker" ] && { log "$package for Windows: cached in $deps_win"; return 0; }
    log "$package for Windows: building into $deps_win"
    fetch_source "$package" "$folder"
    rm -rf "$work/$folder-build"
    cmake -S "$work/$folder" -B "$work/$folder-build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_INSTALL_PREFIX="$deps_win" \
        -DCMAKE_PREFIX_PATH="$deps_win" "$@" > "$work/$folder-build.log" 2>&1 \
        && cmake --build "$work/$folder-build" --parallel "$jobs" >> "$work/$folder-build.log" 2>&1 \
        && cmake --install "$work/$folder-build" >> "$work/$folder-build.log" 2>&1 \
        || { tail -n 40 "$work/$folder-build.log"; exit 1; }
    rm -rf "$work/$folder-build"
    touch "$marker"
}

build_libraries() {
    mkdir -p "$deps_win"
    # zlib: only its static library (Debian's source has no Windows resource file
    # for the DLL), so the programs need no zlib DLL beside them.
    if [ ! -f "$deps_win/.zlib-complete" ]; then
        log "zlib for Windows: building into $deps_win"
        fetch_source zlib zlib
        rm -rf "$work/zlib-build"
        { cmake -S "$work/zlib" -B "$work/zlib-build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
              -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
          && cmake --build "$work/zlib-build" --target zlibstatic --parallel "$jobs"; } \
            > "$work/zlib-build.log" 2>&1 || { tail -n 40 "$work/zlib-build.log"; exit 1; }
        mkdir -p "$deps_win/include" "$deps_win/lib"
        cp "$work/zlib/zlib.h" "$work/zlib-build/zconf.h" "$deps_win/include/"
        cp "$work/zlib-build/libzlibstatic.a" "$deps_win/lib/libz.a"
        rm -rf "$work/zlib-build"
        touch "$deps_win/.zlib-complete"
    fi
    # libxlsxwriter with its own minizip and its locale-independent number writer.
    build_library libxlsxwriter libxlsxwriter -DBUILD_SHARED_LIBS=OFF -DUSE_DTOA_LIBRARY=ON \
        -DZLIB_ROOT="$deps_win" -DZLIB_LIBRARY="$deps_win/lib/libz.a" -DZLIB_INCLUDE_DIR="$deps_win/include"
}

build_programs() {
    log "both programs for Windows: build/windows"
    cmake --preset windows -DCMAKE_PREFIX_PATH="$qt_win;$deps_win" > "$work/programs-configure.log" 2>&1 \
        || { tail -n 30 "$work/programs-configure.log"; exit 1; }
    cmake --build --preset windows --parallel "$jobs" > "$work/programs-build.log" 2>&1 \
        || { grep -m 10 -A8 'error' "$work/programs-build.log" || tail -n 30 "$work/programs-build.log"; exit 1; }
}

wine_run() { GAS_WIN_CACHE=$cache "$root/scripts/wine-run.sh" "$@"; }

# The core, report and batch tests under Wine (ctest starts each through wine-run.sh).
test_under_wine() {
    log "tests of the Windows build under Wine"
    GAS_WIN_CACHE=$cache xvfb-run -a ctest --test-dir "$root/build/windows" --output-on-failure -j "$jobs"
}

# The batch program sizes the example under Wine, from CRLF input too, to the
# same CSV as the Linux build.
check_batch() {
    log "the example points under Wine against Linux"
    local out=$root/build/windows/batch-check
    local linux_batch=${GAS_LINUX_BATCH:-$root/build/default/src/batch/gasmeter-batch}
    mkdir -p "$out"
    if [ ! -x "$linux_batch" ]; then
        cmake --preset default >/dev/null && cmake --build --preset default --target gasmeter-batch >/dev/null
    fi
    LC_ALL=C.UTF-8 "$linux_batch" -f csv "$root/data/examples/points.csv" -o "$out/linux.csv" || [ $? -le 1 ]
    sed 's/$/\r/' "$root/data/examples/points.csv" > "$out/points-crlf.csv"
    for input in points.csv:"$root/data/examples/points.csv" points-crlf.csv:"$out/points-crlf.csv"; do
        local name=${input%%:*} path=${input#*:}
        xvfb-run -a "$root/scripts/wine-run.sh" "$root/build/windows/src/batch/gasmeter-batch.exe" -f csv \
            "Z:${path//\//\\}" -o "Z:${out//\//\\}\\windows-$name" || [ $? -le 1 ]
        if ! cmp -s "$out/linux.csv" "$out/windows-$name"; then
            echo "the Windows batch program wrote another table for $name:" >&2
            diff "$out/linux.csv" "$out/windows-$name" | head -n 20 >&2
            exit 1
        fi
    done
}

# The main window under Wine's own window system in Xvfb, saved as a PNG.
screenshot() {
    log "a screenshot of the main window under Wine"
    local display=:$((90 + RANDOM % 100))
    Xvfb "$display" -screen 0 800x600x24 -nolisten tcp & local xvfb=$!
    sleep 2
    DISPLAY=$display wine_run "$root/build/windows/src/app/gasmeter-sizing.exe" -platform windows & local app=$!
    sleep "${GAS_SCREENSHOT_WAIT:-20}"
    DISPLAY=$display xwd -root -silent | xwdtopnm 2>/dev/null | pnmtopng > "$root/docs/screenshots/windows-main.png"
    kill "$app" 2>/dev/null || true
    WINEPREFIX=${GAS_WINEPREFIX:-$cache/wine} wineserver -k 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
    wait 2>/dev/null || true
}

package() {
    local version
    version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$root/build/windows/CMakeCache.txt")
    local name=gasmeter-sizing-$version-win64
    local stage=$root/build/windows/package/$name
    log "packages: $name.zip and $name-setup.exe"
    rm -rf "$root/build/windows/package"
    mkdir -p "$stage/platforms" "$stage/styles" "$stage/translations" "$stage/examples"
    cp "$root/build/windows/src/app/gasmeter-sizing.exe" "$root/build/windows/src/batch/gasmeter-batch.exe" "$stage/"
    x86_64-w64-mingw32-strip "$stage"/*.exe
    for dll in Qt6Core Qt6Gui Qt6Widgets Qt6PrintSupport; do cp "$qt_win/bin/$dll.dll" "$stage/"; done
    cp "$qt_win/plugins/platforms/qwindows.dll" "$stage/platforms/"
    cp "$qt_win/plugins/styles/qwindowsvistastyle.dll" "$stage/styles/"
    if [ -d "$qt_win/plugins/imageformats" ]; then
        mkdir -p "$stage/imageformats"
        cp "$qt_win"/plugins/imageformats/q{ico,jpeg}.dll "$stage/imageformats/" 2>/dev/null || true
    fi
    cp /usr/lib/gcc/x86_64-w64-mingw32/12-posix/{libgcc_s_seh-1,libstdc++-6}.dll \
       /usr/x86_64-w64-mingw32/lib/libwinpthread-1.dll "$stage/"
    find "$stage" -name '*.dll' -exec x86_64-w64-mingw32-strip --strip-unneeded {} +
    cp /usr/share/qt6/translations/qtbase_ru.qm "$stage/translations/"
    # Qt takes its plugins and translations from beside the program.
    printf '[Paths]\r\nPrefix = .\r\nPlugins = .\r\nTranslations = translations\r\n' > "$stage/qt.conf"
    sed 's/$/\r/' "$root/data/examples/points.csv" > "$stage/examples/points.csv"
    sed 's/$/\r/' "$root/packaging/windows/README-ru.txt" > "$stage/ПРОЧТИ.txt"
    cp "$root/build/windows/src/app/gasmeter-sizing.ico" "$stage/"
    # The licences of what is shipped beside the programs, as Debian states them.
    mkdir -p "$stage/licenses"
    local from to pair
    for pair in qt6-base-dev:Qt libxlsxwriter4:libxlsxwriter zlib1g:zlib \
                gcc-mingw-w64-x86-64-posix-runtime:gcc-runtime mingw-w64-common:mingw-w64; do
        from=${pair%%:*} to=${pair#*:}
        sed 's/$/\r/' "/usr/share/doc/$from/copyright" > "$stage/licenses/$to.txt"
    done
    for text in LGPL-3 GPL-3; do sed 's/$/\r/' "/usr/share/common-licenses/$text" > "$stage/licenses/$text.txt"; done
    # The unpacked package works on its own (no Qt or MinGW folders on the path): the
    # batch program, started from cmd.exe as its readme says, with the example's
    # relative path and CRLF lines, writes the Linux build's table.
    local from_cmd=$root/build/windows/package/cmd-check.csv
    local cmd_log=$root/build/windows/package/cmd-check.log
    (cd "$stage" && env -u WINEPATH WINEPREFIX="${GAS_WINEPREFIX:-$cache/wine}" WINEDEBUG=-all xvfb-run -a \
        wine cmd /c 'gasmeter-batch.exe -f csv examples\points.csv -o ..\cmd-check.csv' >"$cmd_log" 2>&1) || true
    cmp -s "$root/build/windows/batch-check/linux.csv" "$from_cmd" \
        || { echo "gasmeter-batch.exe from cmd.exe in the package did not write the Linux table ($cmd_log):" >&2
             tail -n 5 "$cmd_log" >&2; exit 1; }
    rm -f "$from_cmd"
    (cd "$root/build/windows/package" && zip -qr9 "$root/build/windows/$name.zip" "$name")
    # The uninstaller removes exactly the files installed, then the folders they leave empty.
    local uninstall_list=$root/build/windows/package/uninstall-files.nsh
    (
        cd "$stage"
        find . -type f | sed 's|^\./||' | sort | while IFS= read -r file; do
            printf 'Delete "$INSTDIR\\%s"\n' "${file//\//\\}"
        done
        find . -mindepth 1 -type d | sed 's|^\./||' | sort -r | while IFS= read -r folder; do
            printf 'RMDir "$INSTDIR\\%s"\n' "${folder//\//\\}"
        done
    ) > "$uninstall_list"
    makensis -V2 -DVERSION="$version" -DSTAGE="$stage" -DUNINSTALL_LIST="$uninstall_list" \
        -DOUTFILE="$root/build/windows/$name-setup.exe" "$root/packaging/windows/installer.nsi"
    # The installer installs silently into a folder given with /D, which already holds
    # a file of the user's, with its Start-menu entry; the uninstaller removes both
    # and leaves the user's file.
    local probe=$root/build/windows/install-check
    local menu="${GAS_WINEPREFIX:-$cache/wine}/drive_c/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Подбор счетчиков газа"
    rm -rf "$probe" "$menu"
    mkdir -p "$probe"
    echo "the user's own file" > "$probe/notes.txt"
    xvfb-run -a "$root/scripts/wine-run.sh" "$root/build/windows/$name-setup.exe" /S /CurrentUser \
        "/D=Z:${probe//\//\\}"
    [ -f "$probe/gasmeter-sizing.exe" ] && [ -f "$probe/platforms/qwindows.dll" ] \
        || { echo "the installer did not install the program into the folder given with /D" >&2; exit 1; }
    [ -f "$menu/Подбор счетчиков газа.lnk" ] || { echo "the installer made no Start-menu entry" >&2; exit 1; }
    # Project files are associated with the program while it is installed, and no longer after.
    local gmsz_key='HKCU\Software\Classes\.gmsz'
    xvfb-run -a "$root/scripts/wine-run.sh" reg query "$gmsz_key" /ve 2>/dev/null | grep -q 'GasMeterSizing.Project' \
        || { echo "the installer did not associate .gmsz with the program" >&2; exit 1; }
    xvfb-run -a "$root/scripts/wine-run.sh" "Z:${probe//\//\\}\\uninstall.exe" /S /CurrentUser "_?=Z:${probe//\//\\}"
    [ ! -f "$probe/gasmeter-sizing.exe" ] && [ ! -e "$probe/platforms" ] && [ ! -e "$menu" ] \
        || { echo "the uninstaller left the program or its Start-menu entry behind" >&2; exit 1; }
    [ -f "$probe/notes.txt" ] || { echo "the uninstaller removed a file it had not installed" >&2; exit 1; }
    ! xvfb-run -a "$root/scripts/wine-run.sh" reg query "$gmsz_key" /ve 2>/dev/null | grep -q 'GasMeterSizing.Project' \
        || { echo "the uninstaller left the .gmsz association behind" >&2; exit 1; }
    rm -rf "$probe"
    ls -l "$root/build/windows/$name.zip" "$root/build/windows/$name-setup.exe"
}

started=$(date +%s)
install_packages
mkdir -p "$work"
build_qt
build_libraries
[ "$mode" = deps ] && exit 0
build_programs
# The other checks and the packages still come when a test fails; the exit status says so.
tests_passed=1
test_under_wine || tests_passed=0
check_batch
screenshot
[ "$mode" = all ] && package
log "done in $(( $(date +%s) - started )) s"
[ "$tests_passed" = 1 ] || { echo "some Windows tests failed under Wine (above)" >&2; exit 1; }
