#!/bin/sh
# Installs the Debian packages needed to build, test and run the memo pad.
# Quick when everything is present: apt is only consulted for what is missing.
set -e

PACKAGES="
build-essential cmake ninja-build ccache pkg-config
clang libclang-rt-dev
libfreetype-dev libfontconfig-dev fonts-ipafont-gothic fonts-ipafont-mincho
libx11-dev libxext-dev libxfixes-dev libxtst-dev libcairo2-dev libpng-dev libcups2-dev
xvfb xdotool x11-utils imagemagick xclip xsel poppler-utils
locales uim-xim uim-anthy xfonts-base
libgtest-dev libgmock-dev libbenchmark-dev
"

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done

# The Japanese locale, which input methods serve, is made on first use.
make_locale() {
    locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$' && return 0
    S=""
    [ "$(id -u)" -ne 0 ] && S=sudo
    $S localedef -i ja_JP -f UTF-8 ja_JP.UTF-8 || echo "install-deps: could not make the ja_JP.UTF-8 locale" >&2
}

if [ -z "$missing" ]; then
    make_locale
    exit 0
fi

echo "Installing:$missing"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
# shellcheck disable=SC2086
$SUDO apt-get install -y -qq --no-install-recommends $missing
make_locale
