# Shared by the scripts: paths, compiler cache, build configuration.
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export CCACHE_DIR=${CCACHE_DIR:-$HOME/.cache/kestrelon-ccache}
export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
export CCACHE_MAXSIZE=${CCACHE_MAXSIZE:-5G}
# Paths under the checkout hash relative to it, so that other checkouts share the cache.
export CCACHE_BASEDIR=$top
jobs=${KN_JOBS:-$(nproc)}

# configure BUILD_DIR [cmake args...]: configures once, reconfigures only when asked by cmake itself.
configure() {
  local dir=$1
  shift
  if [[ ! -f "$dir/build.ninja" ]]; then
    cmake -S "$top" -B "$dir" -G Ninja "$@"
  fi
}
