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
          qt6-tools-dev qt6-l10n-tools qt6-tools-dev-tools ccache locales
          # the archive of the logs: its database, SHA-256, and the sqlite3 tool for tests
          libsqlite3-dev libssl-dev sqlite3)
# Locales that tests run under, one a line as /etc/locale.gen spells them.
locales=(
    "de_DE.UTF-8 UTF-8"  # a comma before the decimals
    "en_US.UTF-8 UTF-8"  # the English catalog
    "zh_CN.UTF-8 UTF-8"  # the Chinese catalog
)
sudo_cmd=""
[ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    $sudo_cmd apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
ungenerated=()
for entry in "${locales[@]}"; do
    name=${entry%% *}
    # `locale -a` writes the charset as "utf8".
    locale -a 2>/dev/null | grep -qix "${name/UTF-8/utf8}" || ungenerated+=("$entry")
done
if [ ${#ungenerated[@]} -gt 0 ]; then
    echo "Generating locales: ${ungenerated[*]}"
    for entry in "${ungenerated[@]}"; do
        grep -qxF "$entry" /etc/locale.gen 2>/dev/null || echo "$entry" | $sudo_cmd tee -a /etc/locale.gen >/dev/null
    done
    $sudo_cmd locale-gen
fi
