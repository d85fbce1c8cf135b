#!/usr/bin/env bash
# Builds the core as WebAssembly into build-web/: installs the Debian packages
# that are missing (as install-deps.sh does), fetches Debian's PCRE2 source
# package and cross-builds it, builds tablegen for this machine, and then the
# core and its binding with emscripten, and the page into web/dist/. Quick to
# run again.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
out=$root/build-web
jobs=${ORRIKEY_JOBS:-2}

scripts/install-deps.sh emscripten build-essential cmake ninja-build dpkg-dev ca-certificates \
  debian-archive-keyring

# Debian's emscripten finds its JavaScript tools (acorn) in Debian's node
# folder, which a node of another origin does not search.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}

# PCRE2 from Debian's own source package, fetched through a private apt
# state (the system's sources stay as they are), so that apt checks it
# against the signed archive.
pcre2=$out/pcre2
if [ ! -f "$pcre2/install/lib/libpcre2-8.a" ]; then
  rm -rf "$pcre2"
  mkdir -p "$pcre2/apt/lists/partial" "$pcre2/apt/cache/archives/partial" "$pcre2/source"
  cat >"$pcre2/apt/sources.list" <<SOURCES
deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian bookworm main
SOURCES
  apt_private=(-o Dir::Etc::SourceList="$pcre2/apt/sources.list" -o Dir::Etc::SourceParts=/dev/null
               -o Dir::State::Lists="$pcre2/apt/lists" -o Dir::Cache="$pcre2/apt/cache"
               -o Debug::NoLocking=1 -o APT::Sandbox::User=root)
  apt-get "${apt_private[@]}" update -q
  (cd "$pcre2/source" && apt-get "${apt_private[@]}" source -q pcre2 </dev/null)
  source_dir=$(find "$pcre2/source" -mindepth 1 -maxdepth 1 -type d -name 'pcre2-*' | head -n 1)
  # No JIT (WebAssembly has none; the core then runs the interpreter), the
  # library's default pattern options as Debian builds them, and only the
  # 8-bit library that text/Pattern.cpp uses.
  emcmake cmake -S "$source_dir" -B "$pcre2/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$pcre2/install" -DBUILD_SHARED_LIBS=OFF -DPCRE2_BUILD_PCRE2_8=ON \
    -DPCRE2_BUILD_PCRE2_16=OFF -DPCRE2_BUILD_PCRE2_32=OFF -DPCRE2_SUPPORT_JIT=OFF \
    -DPCRE2_SUPPORT_UNICODE=ON -DPCRE2_BUILD_PCRE2GREP=OFF -DPCRE2_BUILD_TESTS=OFF
  ninja -C "$pcre2/build" -j"$jobs" install
fi

# The table generator runs here, at build time, so it is built for this machine.
host=$out/host
mkdir -p "$host"
if [ ! -x "$host/tablegen" ] || [ -n "$(find tables/gen -newer "$host/tablegen")" ]; then
  c++ -std=c++20 -O2 -o "$host/tablegen" tables/gen/tablegen.cpp
fi

emcmake cmake -S . -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=Release -DORRIKEY_WEB=ON \
  -DTABLEGEN="$host/tablegen" -DORRIKEY_PCRE2_ROOT="$pcre2/install"
ninja -C "$out" -j"$jobs"

# The page, with the core inside it, into web/dist/: node and npm as Debian
# has them when there are none. A registry that stalls would hold npm for an
# hour and more, so each try gets five minutes, and there is a second try.
command -v npm >/dev/null || scripts/install-deps.sh nodejs npm
npm_ci() {
  timeout --kill-after=10 300 npm ci --no-fund --no-audit --fetch-timeout=60000 && return
  echo "npm ci failed or took over five minutes" >&2
  return 1
}
(cd web && { npm_ci || npm_ci; } && npm run build)
