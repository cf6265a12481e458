#!/usr/bin/env bash
# Makes the Debian package and checks it as installed: unpacks it into a temporary root, runs
# both programs from there (the command line on a zone file of the test data, the window under
# a virtual X server) and validates its desktop entry and AppStream metadata.
# Usage: scripts/check-package.sh [DATADIR]   (default ../shared/data/database)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
data="${1:-$root/../shared/data/database}"
"$root/scripts/package.sh" >/dev/null
deb=$(ls "$root"/build/climstat_*_amd64.deb)
echo "package: $deb"

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
listing=$(dpkg-deb -c "$deb")
for path in usr/bin/climstat usr/bin/climstat-cli usr/share/applications/climstat.desktop \
            usr/share/icons/hicolor/scalable/apps/climstat.svg \
            usr/share/icons/hicolor/48x48/apps/climstat.png \
            usr/share/icons/hicolor/256x256/apps/climstat.png \
            usr/share/metainfo/io.github.climstat.climstat.metainfo.xml \
            usr/share/man/man1/climstat.1.gz usr/share/man/man1/climstat-cli.1.gz \
            usr/share/doc/climstat/copyright usr/share/doc/climstat/README.md; do
    grep -q "\./$path\$" <<<"$listing" || { echo "missing from the package: $path"; exit 1; }
done
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6core6 libqt6gui6 libqt6widgets6 libqt6charts6 libqt6datavisualization6; do
    grep -q "$library" <<<"$depends" || { echo "Depends lacks $library: $depends"; exit 1; }
done

version=$(sed -n 's/^project(climstat VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
cli="$unpacked/usr/bin/climstat-cli"
[ "$("$cli" --version)" = "climstat-cli $version" ] || { echo "climstat-cli --version is off"; exit 1; }
page="$unpacked/page.txt"
"$cli" --data-dir "$data" --source cte2013 --location D3_peninsula \
    frequencies --variable ts --kind frequencies --output "$page"
[ -s "$page" ] || { echo "the unpacked climstat-cli wrote no page"; exit 1; }
echo "climstat-cli: $("$cli" --version), page of $(wc -l <"$page") lines"

window="$unpacked/usr/bin/climstat"
[ "$("$window" --version)" = "climstat $version" ] || { echo "climstat --version is off"; exit 1; }
# The window must come up and stay up; timeout ends it after a few seconds (status 124).
status=0
timeout 8 xvfb-run -a "$window" --data-dir "$data" >"$unpacked/window.log" 2>&1 || status=$?
if [ "$status" -ne 124 ]; then
    echo "the unpacked window ended with status $status:"; cat "$unpacked/window.log"; exit 1
fi
echo "climstat: started under xvfb-run and ran until stopped"

desktop-file-validate "$unpacked/usr/share/applications/climstat.desktop"
appstreamcli validate --no-net \
    "$unpacked/usr/share/metainfo/io.github.climstat.climstat.metainfo.xml"
echo "package checked"
