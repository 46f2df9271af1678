# Sourced by the scripts that run Windows programs: a Wine prefix of the build tree's own, quiet, and
# without the Mono and Gecko installers that would need a network.
export WINEPREFIX="$PWD/build/windows/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$WINEPREFIX"
