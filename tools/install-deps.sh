#!/bin/sh
# Installs the Debian packages named on the command line that are not there yet.
# The check itself asks dpkg only, so it costs next to nothing when all is there.
missing=""
for p in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed"; then
        missing="$missing $p"
    fi
done
[ -z "$missing" ] && exit 0
if [ "$(id -u)" = 0 ]; then
    echo "Installing:$missing"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq && apt-get install -y -qq --no-install-recommends $missing
else
    echo "Missing packages:$missing"
    echo "Install them with: sudo apt-get install$missing"
    exit 1
fi
