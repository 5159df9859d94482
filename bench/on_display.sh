#!/usr/bin/env bash
# Runs the command on a virtual display of its own, ended when the command ends.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/display.sh"
trap display_stop EXIT
display_start
"$@"
