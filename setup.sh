#!/usr/bin/env bash
# Installs the Debian packages the project needs (when they are missing), then configures
# and builds each preset named (default: "default").
#   ./setup.sh                 the editor, the command-line tool, tests and benchmarks
#   ./setup.sh default asan    also the sanitizer build
#   ./setup.sh fuzz            the libFuzzer targets (clang 16)
#   ./setup.sh windows         tolvane-cli and the core for Windows (mingw-w64), tests under Wine
set -euo pipefail
cd "$(dirname "$0")"

presets=("$@")
((${#presets[@]})) || presets=(default)

packages=(cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev
    qt6-base-dev qt6-translations-l10n git)
# The reader of the text form (RapidJSON, header-only).
packages+=(rapidjson-dev)
# The tools that validate the installed desktop entry and AppStream metadata in the tests.
packages+=(desktop-file-utils appstream)
# The image decoder of the texture preview (stb_image.h, compiled into the core).
packages+=(libstb-dev)
# The Debian package and its test: dpkg-shlibdeps computes its dependencies with file's help.
packages+=(dpkg-dev file)
# bench/accessibility-bench.sh: an X server, a session bus, the accessibility bus and a client.
packages+=(xvfb dbus at-spi2-core python3-pyatspi)
for preset in "${presets[@]}"; do
    [[ $preset == fuzz ]] && packages+=(clang-16 libclang-rt-16-dev)
    # The cross compiler, Wine for the tests, and the sources and headers staged for the target.
    [[ $preset == windows* ]] &&
        packages+=(g++-mingw-w64-x86-64-posix wine wine64 googletest)
done

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
        missing+=("$package")
done
if ((${#missing[@]})); then
    sudo=
    [[ $(id -u) == 0 ]] || sudo=sudo
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi

for preset in "${presets[@]}"; do
    cmake --preset "$preset"
    cmake --build --preset "$preset"
done
