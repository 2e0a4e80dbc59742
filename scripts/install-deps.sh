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
libgtest-dev libgmock-dev libbenchmark-dev
"

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done

[ -z "$missing" ] && exit 0

echo "Installing:$missing"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
# shellcheck disable=SC2086
$SUDO apt-get install -y -qq --no-install-recommends $missing
