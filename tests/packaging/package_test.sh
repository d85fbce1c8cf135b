#!/usr/bin/env bash
# The Debian package that CPack makes of the build: its files, its control
# fields, the version everywhere it shows, lintian's verdict (which covers
# ownership, permissions, the desktop entry and the manual pages), and an
# install and a purge in a scratch root.
# usage: package_test.sh ORRIKEY_CLI SOURCE_DIR BUILD_DIR
source "$(dirname "$0")/../cli/checks.sh"
build=$3

fail() { echo "FAIL: $1"; failures=$((failures + 1)); }

if ! cpack --config "$build/CPackConfig.cmake" -B "$work/out" > "$work/cpack.log" 2>&1; then
  cat "$work/cpack.log"
  fail "cpack made no package"
  finish "package"
fi
version=$("$cli" --version)
version=${version#orrikey-cli }
deb=$(echo "$work"/out/*.deb)
# CPack names the file from the control fields, Version among them.
check "package file" "orrikey_${version}_$(dpkg --print-architecture).deb" "$(basename "$deb")"

check "files" "\
./usr/bin/orrikey
./usr/bin/orrikey-cli
./usr/share/applications/orrikey.desktop
./usr/share/doc/orrikey/changelog.gz
./usr/share/doc/orrikey/copyright
./usr/share/doc/orrikey/examples/helix/languages.toml
./usr/share/doc/orrikey/examples/kate/lsp-settings.json
./usr/share/emacs/site-lisp/orrikey/hp42s-mode.el
$(printf './usr/share/icons/hicolor/%s/apps/orrikey.png\n' 128x128 16x16 24x24 256x256 32x32 48x48 64x64)
./usr/share/icons/hicolor/scalable/apps/orrikey.svg
./usr/share/man/man1/orrikey-cli.1.gz
./usr/share/man/man1/orrikey.1.gz
./usr/share/metainfo/orrikey.metainfo.xml
./usr/share/mime/packages/orrikey.xml
$(printf './usr/share/nvim/site/%s/hp42s.vim\n' ftdetect ftplugin plugin syntax)
./usr/share/org.kde.syntax-highlighting/syntax/hp42s.xml
$(printf './usr/share/vim/vimfiles/%s/hp42s.vim\n' ftdetect ftplugin plugin syntax)" \
  "$(dpkg-deb --contents "$deb" | awk '!/^d/ { print $NF }' | sort)"

# Computed from the binaries, each library comes with the lowest version the
# binaries need.
depends=", $(dpkg-deb --field "$deb" Depends)"
for library in libc6 libstdc++6 libpcre2-8-0 libqt6core6 libqt6gui6 libqt6widgets6 \
               libqt6printsupport6; do
  [[ $depends == *", $library (>= "* ]] || fail "Depends has no computed $library: $depends"
done

lintian --fail-on error "$deb" > "$work/lintian.log" 2>&1 \
  || { cat "$work/lintian.log"; fail "lintian reports errors"; }

# A scratch root of its own: dpkg needs its database folders there. fakeroot
# lets this run without root, and --log keeps the system's dpkg log clean.
root=$work/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
: > "$root/var/lib/dpkg/status"
dpkg_root=(fakeroot dpkg --root="$root" --log="$work/dpkg.log" --force-depends)
"${dpkg_root[@]}" --install "$deb" > "$work/dpkg.out" 2>&1 || fail "dpkg --install failed"
check "installed orrikey-cli --version" "orrikey-cli $version" "$("$root/usr/bin/orrikey-cli" --version)"
check "installed orrikey --version" "orrikey $version" \
  "$(QT_QPA_PLATFORM=offscreen "$root/usr/bin/orrikey" --version 2>/dev/null)"
zcat "$root/usr/share/man/man1/orrikey-cli.1.gz" | grep -q "^\.TH .* \"Orrikey $version\"" \
  || fail "the manual page shows another version"
grep -q "<release version=\"$version\"" "$root/usr/share/metainfo/orrikey.metainfo.xml" \
  || fail "the metainfo shows another version"
"${dpkg_root[@]}" --purge orrikey > "$work/dpkg.out" 2>&1 || fail "dpkg --purge failed"
check "purge leaves only dpkg's database" "" \
  "$(find "$root" -mindepth 1 -not -path "$root/var*" -o -path "$root/var/lib/dpkg/info/orrikey*")"

finish "package"
