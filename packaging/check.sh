#!/usr/bin/env bash
# Makes the Debian package in the build folder given, lists it, validates
# the desktop entry and the AppStream metadata it carries, and runs lintian
# on it where lintian is installed.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}

desktop-file-validate data/hu.pennaro.Pennaro.desktop
appstreamcli validate --no-net data/hu.pennaro.Pennaro.metainfo.xml

(cd "$build" && rm -f pennaro_*.deb && cpack -G DEB)
deb=$(ls "$build"/pennaro_*.deb)
echo "== $deb"
dpkg-deb --info "$deb"
contents=$(dpkg-deb --contents "$deb")
echo "$contents"
for file in ./usr/bin/pennaro ./usr/share/applications/hu.pennaro.Pennaro.desktop \
    ./usr/share/metainfo/hu.pennaro.Pennaro.metainfo.xml \
    ./usr/share/icons/hicolor/scalable/apps/hu.pennaro.Pennaro.svg \
    ./usr/share/icons/hicolor/48x48/apps/hu.pennaro.Pennaro.png \
    ./usr/share/pennaro/adat2.minta.txt ./usr/share/man/man1/pennaro.1.gz \
    ./usr/share/man/hu/man1/pennaro.1.gz ./usr/share/doc/pennaro/README.md.gz \
    ./usr/share/doc/pennaro/examples/atad_pennaro.sh \
    ./usr/share/doc/pennaro/copyright ./usr/share/doc/pennaro/changelog.gz; do
    grep -q " $file\$" <<<"$contents" || {
        echo "missing from the package: $file" >&2
        exit 1
    }
done
grep -q 'libqt6widgets6' <<<"$(dpkg-deb --field "$deb" Depends)" || {
    echo "the package names no Qt library among its dependencies" >&2
    exit 1
}
# Debian's own checks, where lintian is installed; an error fails the build.
if command -v lintian >/dev/null 2>&1; then
    lintian --fail-on error --tag-display-limit 0 "$deb"
    echo "lintian: no error"
else
    echo "lintian is not installed: the package was not checked by it (apt-get install lintian)"
fi
echo "package check passed"
