#!/usr/bin/env bash
# Installs the build into a private DESTDIR and checks the result as a user's system would see it.
#   packaging_test.sh BUILD_DIR VERSION validate|layout|convert CORPUS|package
set -euo pipefail
build=$1 version=$2 check=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dest=$work/root
DESTDIR=$dest cmake --install "$build" --prefix /usr >/dev/null
bin=$dest/usr/bin share=$dest/usr/share id=org.plainquill.Plainquill

fail() { echo "FAIL: $*" >&2; exit 1; }

# Starts the installed window headless with a private runtime folder, waits for its start-up notes
# on standard error (a path that does not exist always gives one), then ends it.
start_notes() {
    local err=$work/stderr runtime=$work/runtime
    mkdir -p -m 700 "$runtime"
    XDG_RUNTIME_DIR=$runtime QT_QPA_PLATFORM=offscreen "$bin/plainquill" "$work/gone.doc" 2>"$err" &
    local pid=$!
    for _ in $(seq 200); do grep -q "cannot find" "$err" && break; sleep 0.1; done
    kill -TERM "$pid" 2>/dev/null || true
    wait "$pid" || true
    cat "$err"
}

case $check in
validate)
    desktop-file-validate "$share/applications/$id.desktop"
    appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml"
    grep -qx 'Exec=plainquill %F' "$share/applications/$id.desktop" || fail "the entry does not start plainquill with files"
    ;;
layout)
    expected=(bin/plainquill bin/plainquill-gallery share/plainquill/help/index.html
              share/plainquill/resources/click.wav share/plainquill/resources/over.wav
              share/applications/$id.desktop share/metainfo/$id.metainfo.xml
              share/icons/hicolor/scalable/apps/$id.svg share/doc/plainquill/copyright share/doc/plainquill/changelog.gz)
    [ -e "$build/plainquill-batch" ] && expected+=(bin/plainquill-batch)
    for size in 16 22 24 32 48 64 128 256; do
        png=$share/icons/hicolor/${size}x$size/apps/$id.png
        expected+=(${png#"$dest/usr/"})
        file "$png" | grep -q "$size x $size" || fail "$png is not $size x $size"
    done
    for f in "${expected[@]}"; do [ -f "$dest/usr/$f" ] || fail "missing /usr/$f"; done
    # Without a display: usage and version answer and name the installed help page.
    help=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$bin/plainquill" --help)
    grep -qF "$share/plainquill/help/index.html" <<<"$help" || fail "--help does not name the installed page: $help"
    [ "$(env -u DISPLAY "$bin/plainquill" --version)" = "plainquill $version" ] || fail "--version"
    notes=$(start_notes)
    grep -qF "cannot find $work/gone.doc" <<<"$notes" || fail "no note for a missing path: $notes"
    ! grep -q "is missing" <<<"$notes" || fail "the installed program misses its files: $notes"
    rm "$share/plainquill/resources/over.wav"
    notes=$(start_notes)
    grep -qF "$share/plainquill/resources/over.wav is missing" <<<"$notes" || fail "a lost sound goes unnoticed: $notes"
    ;;
convert)
    doc=$4/textract/tests/docx/raw_text.docx
    [ -f "$doc" ] || { echo "no corpus at $4"; exit 77; }
    [ -x "$bin/plainquill-batch" ] || { echo "no batch command in this build"; exit 77; }
    HOME=$work "$bin/plainquill-batch" -q -j 1 -o "$work/out" "$doc"
    # Compared as lines of words: the other project's expected text differs in blank lines,
    # tabs and no-break spaces only.
    words() { sed 's/\xc2\xa0/ /g; s/[[:space:]]\+/ /g; s/^ //; s/ $//' "$1" | grep -v '^$'; }
    diff <(words "$work/out/raw_text.txt") <(words "${doc%.docx}.txt") || fail "the installed batch command's text differs"
    ;;
package)
    (cd "$build" && cpack -G DEB -B "$work/deb" >/dev/null)
    deb=$(ls "$work"/deb/plainquill_*_amd64.deb)
    depends=$(dpkg-deb -f "$deb" Depends)
    for need in libreoffice-writer-nogui ure libqt6widgets6 libcanberra0 libc6; do
        grep -q "$need" <<<"$depends" || fail "Depends lacks $need: $depends"
    done
    contents=$(dpkg-deb -c "$deb")
    grep -q "./usr/share/plainquill/resources/click.wav" <<<"$contents" || fail "the package lacks the sounds"
    lintian --fail-on error --tag-display-limit 0 "$deb"
    ;;
*) fail "unknown check $check" ;;
esac
