#!/bin/sh
# Unpacks Debian's libjpeg-turbo source package, with Debian's patches applied, into $1.
set -eu
dest=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
apt-get source -qq libjpeg-turbo >/dev/null 2>&1 || apt-get source libjpeg-turbo
rm -rf "$dest"
mkdir -p "$(dirname "$dest")"
mv "$work"/libjpeg-turbo-*/ "$dest"
