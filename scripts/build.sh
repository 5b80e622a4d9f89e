#!/usr/bin/env bash
# Usage: build.sh [ARCH...]   (default: i686 x86_64)
# Everything from a fresh Debian 12 machine to built trees: system packages,
# the cross-built libraries (cached outside the tree) and the project, in
# build/ARCH for each architecture. Ends with the phases' times.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
source "$top/scripts/phases.sh"
source "$top/scripts/setup.sh"
archs=("$@"); [ ${#archs[@]} -gt 0 ] || archs=(i686 x86_64)

if phases_begin; then trap phases_table EXIT; fi
setup_system_packages
setup_build "${archs[@]}"
