#!/usr/bin/env bash
# Runs a program of the Windows build under Wine: ctest's launcher for the
# Windows tests (CMAKE_CROSSCOMPILING_EMULATOR of the windows preset) and the
# build script's for the programs. It needs an X server (xvfb-run), even for the
# offscreen platform.
#
# Wine does not hand QT_* variables of the Linux side to the program, so the
# Wine prefix, made once, carries them as the Windows user's environment: Qt's
# messages on standard error. The programs and tests run on Qt's own Windows
# platform (Qt's offscreen platform has no fonts on Windows, so a PDF would come
# out without text). Qt's and MinGW's DLLs are found through WINEPATH.
#
# GAS_WINEPREFIX (default ~/.cache/gasmeter-sizing/wine) and GAS_WIN_QT (the Qt
# for Windows) may be set.
set -euo pipefail

cache=${GAS_WIN_CACHE:-$HOME/.cache/gasmeter-sizing}
prefix=${GAS_WINEPREFIX:-$cache/wine}
qt=${GAS_WIN_QT:-$cache/qt6-win64-6.4.2}
export WINEPREFIX=$prefix WINEARCH=win64 WINEDEBUG=${WINEDEBUG:--all}

# A Linux path as Wine's drive Z: sees it.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }

if [ ! -f "$prefix/.gas-ready-2" ]; then
    mkdir -p "$(dirname "$prefix")"
    (
        flock 9
        if [ ! -f "$prefix/.gas-ready-2" ]; then
            wineboot -i >/dev/null 2>&1
            wine reg add 'HKCU\Environment' /v QT_FORCE_STDERR_LOGGING /d 1 /f >/dev/null 2>&1
            wineserver -w
            touch "$prefix/.gas-ready-2"
        fi
    ) 9>"$prefix.lock"
fi

WINEPATH="$(windows_path "$qt/bin");$(windows_path /usr/lib/gcc/x86_64-w64-mingw32/12-posix)"
WINEPATH+=";$(windows_path /usr/x86_64-w64-mingw32/lib)"
export WINEPATH
exec wine "$@"
