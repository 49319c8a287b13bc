#!/usr/bin/env bash
# Shared by scripts/test-windows and scripts/package-windows: the Qt for
# Windows, the cross build, the Wine prefix with Japanese fonts, and the
# program's folder as a player receives it. Sourced after setup.sh.
set -euo pipefail

CACHE_DIR="${XDG_CACHE_HOME:-$HOME/.cache}/dirararezuvero"
# Qt for Windows lives outside the clone: unpacked from the prebuilt archive
# beside the clone when there is one, else built by scripts/build-qt-windows.
QT_WINDOWS_DIR="${QT_WINDOWS_DIR:-$CACHE_DIR/qt6-mingw64}"
QT_WINDOWS_ARCHIVE="${QT_WINDOWS_ARCHIVE:-$ROOT/../shared/windows/qt-6.4.2-mingw64.tar.xz}"
# RE2 for Windows likewise: unpacked from its prebuilt archive, else built by
# scripts/build-re2-windows.
RE2_WINDOWS_DIR="${RE2_WINDOWS_DIR:-$CACHE_DIR/re2-mingw64}"
RE2_WINDOWS_ARCHIVE="${RE2_WINDOWS_ARCHIVE:-$ROOT/../shared/windows/re2-20220601-mingw64.tar.xz}"
OUT="${WINDOWS_BUILD_DIR:-$ROOT/build-windows}"
WINDOWS_DIR="$OUT/windows"
WINDOWS_BIN="$WINDOWS_DIR/bin"
MINGW=x86_64-w64-mingw32

step() { printf '\n== %s (%ds)\n' "$1" "$SECONDS"; }

ensure_windows_qt() {
    local stamp="$QT_WINDOWS_DIR/.unpacked-from"
    if [[ -f "$QT_WINDOWS_ARCHIVE" ]]; then
        local id
        id="$(stat -L -c '%s %Y' "$QT_WINDOWS_ARCHIVE")"
        if [[ ! -f "$stamp" || "$(cat "$stamp")" != "$id" ]]; then
            echo "Unpacking $QT_WINDOWS_ARCHIVE into $QT_WINDOWS_DIR"
            mkdir -p "$(dirname "$QT_WINDOWS_DIR")"
            local unpack
            unpack="$(mktemp -d "$(dirname "$QT_WINDOWS_DIR")/unpack.XXXXXX")"
            tar -C "$unpack" -xJf "$QT_WINDOWS_ARCHIVE"
            rm -rf "$QT_WINDOWS_DIR"
            mv "$unpack/qt6-mingw64" "$QT_WINDOWS_DIR"
            rmdir "$unpack"
            echo "$id" >"$stamp"
        fi
    elif [[ ! -f "$QT_WINDOWS_DIR/lib/cmake/Qt6/Qt6Config.cmake" ]]; then
        echo "No prebuilt Qt for Windows at $QT_WINDOWS_ARCHIVE: building it (about 35 minutes)"
        "$ROOT/scripts/build-qt-windows" "$QT_WINDOWS_DIR"
    fi
}

ensure_windows_re2() {
    local stamp="$RE2_WINDOWS_DIR/.unpacked-from"
    if [[ -f "$RE2_WINDOWS_ARCHIVE" ]]; then
        local id
        id="$(stat -L -c '%s %Y' "$RE2_WINDOWS_ARCHIVE")"
        if [[ ! -f "$stamp" || "$(cat "$stamp")" != "$id" ]]; then
            echo "Unpacking $RE2_WINDOWS_ARCHIVE into $RE2_WINDOWS_DIR"
            mkdir -p "$(dirname "$RE2_WINDOWS_DIR")"
            local unpack
            unpack="$(mktemp -d "$(dirname "$RE2_WINDOWS_DIR")/unpack.XXXXXX")"
            tar -C "$unpack" -xJf "$RE2_WINDOWS_ARCHIVE"
            rm -rf "$RE2_WINDOWS_DIR"
            mv "$unpack/re2-mingw64" "$RE2_WINDOWS_DIR"
            rmdir "$unpack"
            echo "$id" >"$stamp"
        fi
    elif [[ ! -f "$RE2_WINDOWS_DIR/lib/cmake/re2/re2Config.cmake" ]]; then
        echo "No prebuilt RE2 for Windows at $RE2_WINDOWS_ARCHIVE: building it (about two minutes)"
        "$ROOT/scripts/build-re2-windows" "$RE2_WINDOWS_DIR"
    fi
}

# Configures and builds the given targets of the Windows build.
build_windows() {
    local launcher=()
    if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
    cmake -S "$ROOT" -B "$WINDOWS_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_PREFIX_PATH="$QT_WINDOWS_DIR;$RE2_WINDOWS_DIR" "${launcher[@]}" \
        -DRUVIVUVAZ_WARNINGS_AS_ERRORS="${RUVIVUVAZ_WARNINGS_AS_ERRORS:-OFF}" \
        -DRUVIVUVAZ_BUILD_SHELL=ON -DRUVIVUVAZ_BUILD_TESTS=ON -DRUVIVUVAZ_BUILD_BENCH=OFF
    cmake --build "$WINDOWS_DIR" --parallel "$(nproc)" --target "$@"
}

# Wine without Mono or Gecko installers, quiet, in a prefix of its own.
WINE="$(command -v wine64 || command -v wine || true)"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

# The Windows font names Windows programs ask for, and Debian's IPA font
# (fonts-ipafont) that Wine draws them with.
FONT_SUBSTITUTES=(
    "MS Gothic=IPAGothic" "ＭＳ ゴシック=IPAGothic" "MS PGothic=IPAPGothic"
    "ＭＳ Ｐゴシック=IPAPGothic" "MS UI Gothic=IPAPGothic" "Meiryo=IPAPGothic"
    "メイリオ=IPAPGothic" "Meiryo UI=IPAPGothic" "Yu Gothic=IPAPGothic"
    "游ゴシック=IPAPGothic" "Yu Gothic UI=IPAPGothic" "MS Mincho=IPAMincho"
    "ＭＳ 明朝=IPAMincho" "MS PMincho=IPAPMincho" "ＭＳ Ｐ明朝=IPAPMincho"
)

# Makes the Wine prefix $1 (once) and registers the Japanese font substitutes.
prepare_wine_prefix() {
    export WINEPREFIX="$1"
    if [[ ! -f "$WINEPREFIX/.ruvivuvaz-ready" ]]; then
        mkdir -p "$WINEPREFIX"
        DISPLAY= "$WINE" wineboot -i >/dev/null 2>&1 || true
        local reg="$WINEPREFIX/font-substitutes.reg"
        {
            printf 'Windows Registry Editor Version 5.00\r\n\r\n'
            printf '[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes]\r\n'
            local pair
            for pair in "${FONT_SUBSTITUTES[@]}"; do
                printf '"%s"="%s"\r\n' "${pair%%=*}" "${pair#*=}"
            done
        } | iconv -f UTF-8 -t UTF-16 >"$reg"
        DISPLAY= "$WINE" regedit /S "$(winepath_of "$reg")" >/dev/null 2>&1
        wine_wait
        touch "$WINEPREFIX/.ruvivuvaz-ready"
    fi
}

# Waits until every program of the prefix has ended.
wine_wait() {
    "$(dirname "$WINE")/wineserver" -w 2>/dev/null || wineserver -w 2>/dev/null || true
}

# The Windows path of a Linux path: C: inside the prefix's drive_c, else
# Wine's Z: drive, the Linux root.
winepath_of() {
    local path drive_c
    path="$(realpath -m "$1")"
    drive_c="$(realpath -m "${WINEPREFIX:-/nonexistent}/drive_c")"
    if [[ "$path" == "$drive_c"/* ]]; then
        path="${path#"$drive_c"}"
        printf 'C:%s' "${path//\//\\}"
    else
        printf 'Z:%s' "${path//\//\\}"
    fi
}

# The DLLs a Windows program or DLL imports that lie in one of the given
# folders, recursively: system DLLs are found in none and left out.
imported_dlls() {
    local binary="$1"
    shift
    local -A seen=()
    local queue=("$binary") dll folder file
    while ((${#queue[@]})); do
        file="${queue[0]}"
        queue=("${queue[@]:1}")
        while read -r dll; do
            if [[ -n "${seen[${dll,,}]:-}" ]]; then continue; fi
            for folder in "$@"; do
                if [[ -f "$folder/$dll" ]]; then
                    seen[${dll,,}]="$folder/$dll"
                    queue+=("$folder/$dll")
                    break
                fi
            done
            # A DLL found nowhere is the system's; remember it as seen.
            if [[ -z "${seen[${dll,,}]:-}" ]]; then seen[${dll,,}]=system; fi
        done < <("$MINGW-objdump" -p "$file" | sed -n 's/^[[:space:]]*DLL Name: //p')
    done
    for dll in "${!seen[@]}"; do
        if [[ "${seen[$dll]}" != system ]]; then printf '%s\n' "${seen[$dll]}"; fi
    done | sort
}

# The plugins Qt loads by name rather than through an import table: the
# platform plugin, without which no window opens (Qt's Windows platform is
# "windows", plugins/platforms/qwindows.dll), and the style Qt picks first on
# Windows ("windowsvista", plugins/styles/qwindowsvistastyle.dll; without it
# the window falls back to the plainer built-in "windows" style). The program
# loads no pictures (its icon is drawn), so no image format plugin.
PROGRAM_PLUGINS=(platforms/qwindows.dll styles/qwindowsvistastyle.dll)

# Qt's Japanese translation, which the program looks for in translations/
# beside itself; the build copies it into bin/ (cmake/windows-runtime.cmake).
PROGRAM_TRANSLATIONS=(translations/qtbase_ja.qm)

# Puts the two programs into the folder $1 as a player receives them: the
# programs, the DLLs they and the plugins import (Qt and the MinGW runtime),
# the plugins, all stripped, and Qt's Japanese translation.
stage_programs() {
    local dest="$1" runtime_dirs=() dll plugin file
    mkdir -p "$dest"
    for dll in libstdc++-6.dll libwinpthread-1.dll; do
        runtime_dirs+=("$(dirname "$(realpath "$("$MINGW-g++-posix" -print-file-name="$dll")")")")
    done
    local from=("$QT_WINDOWS_DIR/bin" "${runtime_dirs[@]}")
    cp "$WINDOWS_BIN/mh_ruvivuvaz.exe" "$WINDOWS_BIN/mh_ruvivuvaz-cli.exe" "$dest/"
    for plugin in "${PROGRAM_PLUGINS[@]}"; do
        mkdir -p "$dest/$(dirname "$plugin")"
        cp "$QT_WINDOWS_DIR/plugins/$plugin" "$dest/$plugin"
    done
    for file in "${PROGRAM_TRANSLATIONS[@]}"; do
        mkdir -p "$dest/$(dirname "$file")"
        cp "$WINDOWS_BIN/$file" "$dest/$file"
    done
    for file in "$dest"/*.exe "${PROGRAM_PLUGINS[@]/#/$dest/}"; do
        imported_dlls "$file" "${from[@]}"
    done | sort -u | while read -r dll; do
        cp "$dll" "$dest/"
    done
    find "$dest" -name '*.exe' -o -name '*.dll' | while read -r file; do
        "$MINGW-strip" --strip-unneeded "$file"
    done
}
