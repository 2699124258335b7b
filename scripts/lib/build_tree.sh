# Sourced by the scripts that build the program. The one place that says how the build trees
# are configured: every script passes all of these, so running one never changes what another
# builds.
vrn_shared_tree_options=(
  -G Ninja
  -DVRN_BUILD_GUI=ON
  -DVRN_FUZZ=OFF
  -DVRN_UNITY_BUILD=ON
  -DVRN_PRECOMPILED_HEADERS=OFF
)

# build/: the program, every test and the benchmarks, optimised.
vrn_build_tree_options=(
  "${vrn_shared_tree_options[@]}"
  -DCMAKE_BUILD_TYPE=Release
  -DVRN_BUILD_BENCHMARKS=ON
  -DVRN_SANITIZE=OFF
  -DVRN_TEST_EACH_CASE=ON
)

# build-asan/: every test under AddressSanitizer and UndefinedBehaviorSanitizer. Line tables
# (-g1) are all the sanitizers' reports need, and compile in 40% less time than full debug
# information; -O0 compiles faster than -O1 or -Og. Each test program runs as one test: a
# process start under the sanitizers costs more than most cases.
vrn_asan_tree_options=(
  "${vrn_shared_tree_options[@]}"
  -DCMAKE_BUILD_TYPE=Debug
  -DCMAKE_CXX_FLAGS_DEBUG=-g1
  -DVRN_BUILD_BENCHMARKS=OFF
  -DVRN_SANITIZE=ON
  -DVRN_TEST_EACH_CASE=OFF
)

# vrn_configure_build_tree ROOT: configures ROOT/build with the options above.
vrn_configure_build_tree() {
  cmake -S "$1" -B "$1/build" "${vrn_build_tree_options[@]}"
}

# vrn_configure_asan_tree ROOT: configures ROOT/build-asan with the options above.
vrn_configure_asan_tree() {
  cmake -S "$1" -B "$1/build-asan" "${vrn_asan_tree_options[@]}"
}
