# Sourced by the scripts that build the program. The one place that says how the main build
# tree (build/) is configured: every script passes all of these, so running one never changes
# what another builds.
vrn_build_tree_options=(
  -G Ninja
  -DCMAKE_BUILD_TYPE=Release
  -DVRN_BUILD_GUI=ON
  -DVRN_BUILD_BENCHMARKS=ON
  -DVRN_SANITIZE=OFF
  -DVRN_FUZZ=OFF
)

# vrn_configure_build_tree ROOT: configures ROOT/build with the options above.
vrn_configure_build_tree() {
  cmake -S "$1" -B "$1/build" "${vrn_build_tree_options[@]}"
}
