#!/usr/bin/env bash
# Tests the Debian package made in a build folder (cmake --build FOLDER --target
# package): its contents and control data, then the programs unpacked into a
# temporary folder, run from there, so the run path and the data paths of the
# package layout are proven. lintian, appstreamcli, desktop-file-validate and
# man run when they are installed.
# Usage: test-package.sh [BUILD_FOLDER]   (default: build)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"

failures=0
checks=0
pass() { checks=$((checks + 1)); }
fail() {
    checks=$((checks + 1))
    failures=$((failures + 1))
    echo "FAIL: $*"
}
check() { # check DESCRIPTION COMMAND...
    local what=$1
    shift
    if "$@"; then pass; else fail "$what"; fi
}

version="$("$build/bin/quorl" --version | sed -n 's/^quorl //p')"
# The file name, the control data and the programs carry the one version.
deb="$build/tessaly-vi-quorl_${version}_$(dpkg --print-architecture).deb"
if [ ! -f "$deb" ]; then
    echo "FAIL: no $(basename "$deb") in $build (cmake --build $build --target package)"
    exit 1
fi
echo "Testing $(basename "$deb")"
# Placeholders (example.org) are for development builds only.
if grep -q '^QUORL_RELEASE:BOOL=ON' "$build/CMakeCache.txt"; then
    check "no example.org placeholder in the control data" \
        test -z "$(dpkg-deb -f "$deb" Maintainer Homepage | grep example.org)"
else
    echo "not a release build (QUORL_RELEASE=OFF): example.org placeholders allowed"
fi
check "control Version is $version" test "$(dpkg-deb -f "$deb" Version)" = "$version"
depends="$(dpkg-deb -f "$deb" Depends)"
for lib in libc6 libsndfile1 libresample1 libfftw3-double3 libqt6widgets6 libqt6multimedia6 \
    libsox3 libespeak-ng1; do
    check "Depends names $lib (from dpkg-shlibdeps)" grep -q "\b$lib\b" <<<"$depends"
done

# Contents: every expected file, and nothing else but the manual's pages and pictures.
expected=(
    usr/bin/quorl usr/bin/quorl-pager-sim usr/bin/quorl-report usr/bin/quorl-tone-player
    usr/bin/tessaly-vi-quorl usr/lib/tessaly-vi-quorl/libVQ4.so usr/lib/tessaly-vi-quorl/libquorl_wave_sink.so
    usr/lib/udev/rules.d/70-tessaly-cradle.rules
    usr/share/applications/tessaly-vi-quorl.desktop
    usr/share/mime/packages/tessaly-vi-quorl.xml
    usr/share/metainfo/com.corvane.TessalyVIQuorl.metainfo.xml
    usr/share/bash-completion/completions/quorl
    usr/share/doc/tessaly-vi-quorl/copyright usr/share/doc/tessaly-vi-quorl/changelog.gz
    usr/share/doc/tessaly-vi-quorl/README.md.gz usr/share/doc/tessaly-vi-quorl/CHANGELOG.md.gz
    usr/share/icons/hicolor/scalable/apps/tessaly-vi-quorl.svg
    usr/share/man/man1/quorl.1.gz usr/share/man/man1/tessaly-vi-quorl.1.gz
    usr/share/man/man1/quorl-pager-sim.1.gz usr/share/man/man1/quorl-report.1.gz
    usr/share/man/man1/quorl-tone-player.1.gz
    usr/share/tessaly-vi-quorl/Help/index.html
    usr/share/tessaly-vi-quorl/Lib/Default_VHF_5CH.ppg
    usr/share/tessaly-vi-quorl/Lib/Default_UHF_1CH.ppg
    usr/share/tessaly-vi-quorl/codeplug-text.schema.json
    usr/share/tessaly-vi-quorl/postgresql_station_role.sql
)
for size in 16 22 24 32 48 64 128 256; do
    expected+=("usr/share/icons/hicolor/${size}x${size}/apps/tessaly-vi-quorl.png")
done
for n in 1 2 3 4 5; do
    expected+=("usr/share/tessaly-vi-quorl/WavForms/0${n}_custom_alert_${n}.wav")
done
i=1
for letter in A B C D E F G H; do
    expected+=("usr/share/tessaly-vi-quorl/WavForms/0${i}_function_switch_${letter}.wav")
    i=$((i + 1))
done
listing="$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^\.\//, "", $6); print $6 }')"
for path in "${expected[@]}"; do
    check "package holds /$path" grep -qxF "$path" <<<"$listing"
done
while IFS= read -r path; do
    case " ${expected[*]} " in *" $path "*) continue ;; esac
    case "$path" in
        usr/share/tessaly-vi-quorl/Help/*) continue ;;
    esac
    fail "unexpected file /$path in the package"
done <<<"$listing"
check "no file outside /usr" test -z "$(grep -v '^usr/' <<<"$listing" || true)"

# Unpacked, the programs find their library and data through the package layout.
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
dpkg-deb -x "$deb" "$work/root"
dpkg-deb -e "$deb" "$work/control"
usr="$work/root/usr"
export HOME="$work/home" XDG_DATA_HOME="$work/home/.local/share" XDG_RUNTIME_DIR="$work/run"
export XDG_CONFIG_HOME="$work/home/.config" QT_QPA_PLATFORM=offscreen
unset QUORL_BUILD_DIR QUORL_DATA_DIR QUORL_SIM_CRADLES LD_LIBRARY_PATH
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

# Dated by the release's CHANGELOG.md entry, not by the day of the build.
released="$(sed -n "s/^## \[$version\] - //p" "$root/CHANGELOG.md")"
check "manual pages carry the release's date ($released)" \
    zgrep -qF ".TH QUORL \"1\" \"$(LC_ALL=C date -u -d "$released" '+%B %Y')\"" \
    "$usr/share/man/man1/quorl.1.gz"
check "quorl --version" test "$("$usr/bin/quorl" --version)" = "quorl $version"
check "tessaly-vi-quorl --version" \
    test "$("$usr/bin/tessaly-vi-quorl" --version)" = "tessaly-vi-quorl $version"
check "quorl-pager-sim --version" \
    test "$("$usr/bin/quorl-pager-sim" --version)" = "quorl-pager-sim $version"
for program in quorl quorl-pager-sim quorl-report quorl-tone-player tessaly-vi-quorl; do
    # shellcheck disable=SC2016 # $ORIGIN is the loader's, not the shell's
    check "$program runs from the private library folder" \
        grep -q 'R.*PATH.*\[\$ORIGIN/../lib/tessaly-vi-quorl\]' \
        <<<"$(readelf -d "$usr/bin/$program")"
done
# Hardened as Debian builds its programs: relocations read-only and bound at start.
for elf in usr/bin/quorl usr/bin/quorl-pager-sim usr/bin/quorl-report usr/bin/quorl-tone-player \
    usr/bin/tessaly-vi-quorl \
    usr/lib/tessaly-vi-quorl/libVQ4.so usr/lib/tessaly-vi-quorl/libquorl_wave_sink.so; do
    check "$elf is linked with relro and bind-now" \
        grep -q 'FLAGS.*BIND_NOW' <<<"$(readelf -d "$work/root/$elf")"
    check "$elf has a read-only relocation segment" \
        grep -q 'GNU_RELRO' <<<"$(readelf -lW "$work/root/$elf")"
done
check "quorl uses the checked string and memory functions" \
    grep -q '__.*_chk' <<<"$(readelf --dyn-syms -W "$usr/bin/quorl")"
check "quorl check on the factory VHF codeplug" \
    "$usr/bin/quorl" check "$usr/share/tessaly-vi-quorl/Lib/Default_VHF_5CH.ppg"
check "quorl check on the factory UHF codeplug" \
    "$usr/bin/quorl" check "$usr/share/tessaly-vi-quorl/Lib/Default_UHF_1CH.ppg"
wav="$usr/share/tessaly-vi-quorl/WavForms/01_custom_alert_1.wav"
check "quorl audio compress with the packaged libVQ4.so" \
    "$usr/bin/quorl" audio compress "$wav" -o "$work/project"
check "the compressed stream is written" \
    test -s "$work/project/BinFiles/01_custom_alert_1_8000_ADPCM14-4-1.bin"
# Without the packaged library the same command must fail: it was that copy
# that was loaded, not one from the build tree or the system.
mv "$usr/lib/tessaly-vi-quorl/libVQ4.so" "$work/libVQ4.so.away"
if "$usr/bin/quorl" audio compress "$wav" -o "$work/project2" >/dev/null 2>&1; then
    fail "audio compress worked without the packaged libVQ4.so"
else
    pass
fi
mv "$work/libVQ4.so.away" "$usr/lib/tessaly-vi-quorl/libVQ4.so"
check "quorl report writes a PDF through the packaged quorl-report" \
    "$usr/bin/quorl" report "$usr/share/tessaly-vi-quorl/Lib/Default_UHF_1CH.ppg" -o "$work/summary.pdf"
check "the summary PDF is written" test -s "$work/summary.pdf"
# The program itself starts (offscreen) and is still running when timeout ends it.
started=0
timeout 3 "$usr/bin/tessaly-vi-quorl" >/dev/null 2>&1 || started=$?
check "tessaly-vi-quorl starts from the package" test "$started" -eq 124

# Maintainer scripts: harmless without udev (as in a container or chroot).
for script in postinst postrm; do
    check "$script is executable" test -x "$work/control/$script"
done
if [ ! -S /run/udev/control ]; then
    check "postinst configure without udev" sh "$work/control/postinst" configure
    check "postrm remove without udev" sh "$work/control/postrm" remove
fi
check "bash completion parses" bash -n "$usr/share/bash-completion/completions/quorl"

# Validators, when installed (scripts/install-deps.sh installs them).
if command -v man >/dev/null; then
    for page in "$usr"/share/man/man1/*.1.gz; do
        warnings="$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)"
        check "man --warnings $(basename "$page"): $warnings" test -z "$warnings"
    done
    check "quorl(1) lists audio compress and its options" \
        grep -q -- '--srtype' <<<"$(MANWIDTH=80 man -l "$usr/share/man/man1/quorl.1.gz" 2>/dev/null)"
    quorl_page="$(MANWIDTH=80 man -l "$usr/share/man/man1/quorl.1.gz" 2>/dev/null)"
    check "quorl(1) has examples" grep -q '^EXAMPLES' <<<"$quorl_page"
    check "quorl(1) gives diff's exit statuses" grep -Eq 'diff +exits +0' <<<"$quorl_page"
    check "quorl(1) does not name itself under SEE ALSO" \
        test -z "$(sed -n '/^SEE ALSO/,$p' <<<"$quorl_page" | grep -E '(^|[[:space:],])quorl\(1\)')"
else
    echo "man not installed: manual pages not checked"
fi
if command -v appstreamcli >/dev/null; then
    check "appstreamcli validate" appstreamcli validate --no-net \
        "$usr/share/metainfo/com.corvane.TessalyVIQuorl.metainfo.xml"
    check "AppStream release is $version" \
        grep -q "<release version=\"$version\"" "$usr/share/metainfo/com.corvane.TessalyVIQuorl.metainfo.xml"
else
    echo "appstreamcli not installed: AppStream metadata not checked"
fi
if command -v desktop-file-validate >/dev/null; then
    check "desktop-file-validate" desktop-file-validate "$usr/share/applications/tessaly-vi-quorl.desktop"
else
    echo "desktop-file-validate not installed: desktop entry not checked"
fi
if command -v lintian >/dev/null; then
    # Errors fail the test; warnings are shown (the README lists the ones kept).
    check "lintian reports no errors" lintian --fail-on error --allow-root "$deb"
else
    echo "lintian not installed: package not checked by lintian"
fi

echo "$((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
