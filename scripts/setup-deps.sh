#!/usr/bin/env bash
# Installs what Dravin needs from Debian's packages; does nothing slow when
# everything is there already.
set -euo pipefail
packages=(build-essential cmake ninja-build pkg-config
          qt6-base-dev qt6-svg-dev libgl-dev
          libgtest-dev libgmock-dev libbenchmark-dev
          clang clang-format libclang-rt-14-dev xvfb xauth fonts-wqy-microhei
          fonts-liberation poppler-utils
          # cpack -G DEB: dpkg-shlibdeps finds the package's dependencies, file the programs
          dpkg-dev file
          # the translation catalogs; a compiler cache; a comma-decimal locale for tests
          qt6-tools-dev qt6-l10n-tools qt6-tools-dev-tools ccache locales)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
sudo_cmd=""
[ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    $sudo_cmd apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The locales that tests and screenshots run under, one a line.
locales=(
    en_US.UTF-8
    zh_CN.UTF-8
    de_DE.UTF-8
)
missing_locales=()
for l in "${locales[@]}"; do
    locale -a | grep -qix "${l%%.*}.utf8" || missing_locales+=("$l")
done
if [ ${#missing_locales[@]} -gt 0 ]; then
    echo "Generating locales: ${missing_locales[*]}"
    for l in "${missing_locales[@]}"; do
        grep -qx "$l UTF-8" /etc/locale.gen || echo "$l UTF-8" | $sudo_cmd tee -a /etc/locale.gen >/dev/null
    done
    $sudo_cmd locale-gen >/dev/null
fi
