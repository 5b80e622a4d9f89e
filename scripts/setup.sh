# Set-up steps shared by build.sh, test.sh and demo.sh (sourced after
# phases.sh, with $top set to the source tree): system packages, the choice
# of architectures, the cross-built libraries and the project's builds, each
# timed as a phase.

setup_system_packages() {
  phase "system packages" bash "$top/scripts/install-system-packages.sh"
}

# setup_runs_i686: whether this machine runs 32-bit Windows programs under
# Wine, asked once (the answer needs the system packages installed).
setup_runs_i686() {
  if [ -z "${setup_runs_i686_answer:-}" ]; then
    setup_runs_i686_answer=no
    if phase "32-bit check" bash "$top/scripts/runs-windows.sh" i686; then
      setup_runs_i686_answer=yes
    fi
  fi
  [ "$setup_runs_i686_answer" = yes ]
}

# setup_choose_archs: sets build_archs (the architectures to build) and
# test_archs (those of them whose tests this machine runs). With 4 cores or
# more both are built; with fewer only one: the shipped i686 build where
# 32-bit programs run, else x86_64, whose tests run everywhere. Each
# architecture's libraries take about half of a cold run, so a small machine
# builds one. KOVA_BUILD_I686 and KOVA_BUILD_X86_64 (1 or 0) override.
setup_choose_archs() {
  local i686=${KOVA_BUILD_I686:-} x86_64=${KOVA_BUILD_X86_64:-}
  case "$i686:$x86_64" in
    *[!01:]*|*[01][01]*)
      echo "setup: KOVA_BUILD_I686 and KOVA_BUILD_X86_64 take 1 or 0" >&2; return 1 ;;
  esac
  if [ "$(nproc)" -ge 4 ]; then
    : "${i686:=1}" "${x86_64:=1}"
  elif [ -z "$i686$x86_64" ]; then
    if setup_runs_i686; then i686=1 x86_64=0; else i686=0 x86_64=1; fi
  fi
  : "${i686:=$((1 - x86_64))}" "${x86_64:=$((1 - i686))}"
  build_archs=() test_archs=()
  if [ "$i686" = 1 ]; then
    build_archs+=(i686)
    setup_runs_i686 && test_archs+=(i686)
  fi
  if [ "$x86_64" = 1 ]; then
    build_archs+=(x86_64) test_archs+=(x86_64)
  fi
  if [ ${#build_archs[@]} = 0 ]; then
    echo "setup: KOVA_BUILD_I686 and KOVA_BUILD_X86_64 leave nothing to build" >&2
    return 1
  fi
}

# setup_libraries ARCH...: cross-builds each architecture's libraries (a warm
# cache answers at once) and sets deps_prefix[ARCH]. With cores for both, the
# architectures build side by side, each with half of them.
setup_libraries() {
  local jobs arch out=$(mktemp -d /tmp/kova-deps-out.XXXXXX) failed=0
  declare -gA deps_prefix
  if [ $# -gt 1 ] && [ "$(nproc)" -ge 4 ]; then
    jobs=$(( $(nproc) / $# ))
    local pid pids=()
    for arch in "$@"; do
      (export JOBS=$jobs; phase "libraries $arch" "$top/scripts/deps/build.sh" "$arch" >"$out/$arch") &
      pids+=($!)
    done
    for pid in "${pids[@]}"; do wait "$pid" || failed=1; done
  else
    for arch in "$@"; do
      phase "libraries $arch" "$top/scripts/deps/build.sh" "$arch" >"$out/$arch" || { failed=1; break; }
    done
  fi
  for arch in "$@"; do deps_prefix[$arch]=$(cat "$out/$arch" 2>/dev/null); done
  rm -rf "$out"
  return $failed
}

# setup_build ARCH...: the libraries, then the project in build/ARCH.
setup_build() {
  local arch
  setup_libraries "$@" || return 1
  for arch in "$@"; do
    cmake -S "$top" -B "$top/build/$arch" -G Ninja \
      -DCMAKE_TOOLCHAIN_FILE="$top/cmake/toolchain.cmake" -DKOVA_ARCH="$arch" \
      -DKOVA_DEPS_PREFIX="${deps_prefix[$arch]}" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >/dev/null
    phase "build $arch" cmake --build "$top/build/$arch" || return 1
  done
}
