# Sourced by scripts/test.sh and scripts/fuzz.sh: the compiler cache, when ccache is there.
# Builds then compile only what changed since any earlier build on this machine, whichever
# clone or build folder it was made in. The cache lives outside the clone (ccache's own
# folder, or CCACHE_DIR as CI sets it), so a fresh clone finds it; a cold or missing cache
# only makes the build slower.
#
# Sets cache_args to the CMake arguments that put the cache in front of the compiler.
cache_args=()
if command -v ccache > /dev/null; then
  cache_args=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  # Paths under the clone are hashed relative to it, and the working folder is left out
  # of the hash (the builds keep line tables, which would name it), so that another
  # clone of the same sources hits the same entries.
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$(pwd)}
  export CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-1}
  # The tests' precompiled header: GCC's precompiled headers are cached only with these.
  export CCACHE_SLOPPINESS=${CCACHE_SLOPPINESS:-pch_defines,time_macros}
fi
