#!/bin/sh
# Runs one test program in a world of its own: a fresh home, XDG folders, runtime
# and temporary folders and an empty system device tree, and no simulated cradles from the
# environment. A simulator registered by a running session, a real cradle plugged
# in or the tester's own settings then cannot change a test's result.
set -u
base="$(mktemp -d "${TMPDIR:-/tmp}/quorl-test.XXXXXX")" || exit 1
trap 'rm -rf "$base"' EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM
mkdir -p "$base/home" "$base/config" "$base/data" "$base/cache" "$base/state" \
    "$base/runtime" "$base/tmp" "$base/sys/class/tty" || exit 1
chmod 700 "$base/home" "$base/runtime" "$base/tmp"
HOME="$base/home"
XDG_CONFIG_HOME="$base/config"
XDG_DATA_HOME="$base/data"
XDG_CACHE_HOME="$base/cache"
XDG_STATE_HOME="$base/state"
XDG_RUNTIME_DIR="$base/runtime"
TMPDIR="$base/tmp"
QUORL_SYSFS_ROOT="$base/sys"
QUORL_SIM_CRADLES=
export HOME XDG_CONFIG_HOME XDG_DATA_HOME XDG_CACHE_HOME XDG_STATE_HOME XDG_RUNTIME_DIR \
    TMPDIR QUORL_SYSFS_ROOT QUORL_SIM_CRADLES
unset QUORL_BUILD_DIR
"$@"
exit $?
