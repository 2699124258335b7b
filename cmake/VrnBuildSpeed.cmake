# What keeps a full build short on a small machine: ccache when it is there, a fast linker,
# unity builds, test programs optimised lightly, and (for builds without batches) precompiled
# headers shared by every target of one kind.

option(VRN_UNITY_BUILD "Compile each target's sources in batches (unity build)" ON)
# Within unity batches a shared precompiled header saves no compile time (a batch of Qt tests:
# 33.0 s with it, 32.2 s without), so it is for builds without batches.
option(VRN_PRECOMPILED_HEADERS "Precompile the standard, Qt and GoogleTest headers (GCC)" OFF)

# A launcher given on the command line wins; otherwise ccache, when it is installed. The
# precompiled headers are cacheable only with these sloppiness settings.
if(NOT DEFINED CMAKE_CXX_COMPILER_LAUNCHER)
  find_program(VRN_CCACHE ccache)
  if(VRN_CCACHE)
    set(CMAKE_CXX_COMPILER_LAUNCHER
        env CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
        ${VRN_CCACHE})
  endif()
endif()

# lld links the test programs several times faster than the default linker.
include(CheckLinkerFlag)
check_linker_flag(CXX -fuse-ld=lld VRN_HAVE_LLD)
if(VRN_HAVE_LLD)
  add_link_options(-fuse-ld=lld)
endif()

set(CMAKE_UNITY_BUILD ${VRN_UNITY_BUILD})
set(CMAKE_UNITY_BUILD_BATCH_SIZE 8)

# Sources whose file-local names clash with a neighbour's in one batch: compiled on their own.
# A new clash shows as "redefinition of '...::{anonymous}::name'": add one of the two files.
set(VRN_UNITY_SKIPPED
    app/matrixwin/frm_interaction_details.cpp
    app/matrixwin/frm_option_details.cpp
    app/matrixwin/frm_practice_details.cpp
    app/matrixwin/frm_practice_options.cpp
    app/shell/frm_sponsor.cpp
    server/attributes/obj_attribute.cpp
    server/attributes/obj_attribute_changes.cpp
    server/attributes/obj_rel_attribute.cpp
    server/attributes/rel_attribute_propagation.cpp
    server/entities/context_specialization.cpp
    server/entities/entity_context.cpp
    server/entities/entity_decomposition_editing.cpp
    server/entities/entity_managing.cpp
    server/entities/entity_relation_lists.cpp
    server/entities/managing_structure.cpp
    tests/model/layout/matrix_layout_test.cpp
    tests/model/layout/practice_layout_test.cpp
    tests/model/layout/state_layout_test.cpp
    tests/platform/drawing_svg_test.cpp
    tests/server/attributes/obj_rel_attribute_test.cpp
    tests/server/attributes/rel_attribute_propagation_test.cpp
    tests/server/database/exclusive_file_test.cpp
    tests/server/entities/bundle_membership_test.cpp
    tests/server/entities/spec_removal_test.cpp)

# vrn_skip_unity_clashes(): keeps the sources above out of every target's batches.
function(vrn_skip_unity_clashes)
  vrn_collect_targets(${PROJECT_SOURCE_DIR} targets)
  list(TRANSFORM VRN_UNITY_SKIPPED PREPEND ${PROJECT_SOURCE_DIR}/ OUTPUT_VARIABLE skipped)
  foreach(target IN LISTS targets)
    get_target_property(dir ${target} SOURCE_DIR)
    get_target_property(sources ${target} SOURCES)
    foreach(source IN LISTS sources)
      cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${dir} NORMALIZE)
      if(source IN_LIST skipped)
        set_source_files_properties(${source} TARGET_DIRECTORY ${target}
                                    PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
      endif()
    endforeach()
  endforeach()
endfunction()

# The headers of each kind of target. Only GCC reuses one precompiled header across targets
# whose definitions differ slightly; clang would refuse it, so clang builds (the fuzzer) go
# without.
set(VRN_PCH_STD_HEADERS
    <algorithm> <array> <cmath> <cstdint> <filesystem> <fstream> <functional> <limits> <map>
    <memory> <optional> <stdexcept> <string> <string_view> <unordered_map> <unordered_set>
    <utility> <variant> <vector>)
set(VRN_PCH_QT_HEADERS
    <QAction> <QApplication> <QComboBox> <QDialog> <QDir> <QEvent> <QFile> <QGridLayout>
    <QHBoxLayout> <QImage> <QLabel> <QLineEdit> <QMenu> <QMouseEvent> <QPainter>
    <QPlainTextEdit> <QPushButton> <QScrollBar> <QString> <QStringList> <QTimer> <QVBoxLayout>
    <QWidget>)
set(VRN_PCH_TEST_HEADERS <gmock/gmock.h> <gtest/gtest.h>)
set(VRN_PCH_BENCH_HEADERS <benchmark/benchmark.h>)

# vrn_pch_kind(<target> <out-var>): STD, QT, TEST, QT_TEST, BENCH, QT_BENCH, NONE or NONE_TEST,
# from what the target links, directly or through our own libraries.
function(vrn_pch_kind target out)
  set(pending ${target})
  set(seen "")
  set(qt OFF)
  set(other_qt OFF)
  set(test OFF)
  set(bench OFF)
  while(pending)
    list(POP_FRONT pending item)
    if(item IN_LIST seen)
      continue()
    endif()
    list(APPEND seen ${item})
    if(item STREQUAL "Qt6::Widgets")
      set(qt ON)
    elseif(item MATCHES "^Qt6::")
      set(other_qt ON)
    elseif(item MATCHES "^GTest::")
      set(test ON)
    elseif(item MATCHES "^benchmark::")
      set(bench ON)
    elseif(TARGET ${item} AND NOT item MATCHES "::")
      get_target_property(links ${item} LINK_LIBRARIES)
      get_target_property(interface ${item} INTERFACE_LINK_LIBRARIES)
      foreach(link IN LISTS links interface)
        if(link AND NOT link MATCHES "-NOTFOUND$|^\\$<")
          list(APPEND pending ${link})
        endif()
      endforeach()
    endif()
  endwhile()
  if(other_qt AND NOT qt)
    # Qt's definitions without its widgets would not match any shared header.
    set(kind NONE)
    if(test)
      set(kind NONE_TEST)
    endif()
  elseif(test)
    set(kind TEST)
  elseif(bench)
    set(kind BENCH)
  else()
    set(kind STD)
  endif()
  if(qt)
    if(kind STREQUAL "STD")
      set(kind QT)
    else()
      set(kind QT_${kind})
    endif()
  endif()
  set(${out} ${kind} PARENT_SCOPE)
endfunction()

# vrn_pch_donor(<kind>): the small library that owns the precompiled header of that kind.
function(vrn_pch_donor kind)
  set(donor vrn_pch_${kind})
  string(TOLOWER ${donor} donor)
  if(TARGET ${donor})
    return()
  endif()
  set(source ${CMAKE_BINARY_DIR}/pch/${donor}.cpp)
  file(CONFIGURE OUTPUT ${source} CONTENT "// Owns the precompiled header of its kind.\n")
  add_library(${donor} STATIC ${source})
  set_target_properties(${donor} PROPERTIES UNITY_BUILD OFF AUTOMOC OFF)
  set(headers ${VRN_PCH_STD_HEADERS})
  if(kind MATCHES "QT")
    target_link_libraries(${donor} PRIVATE Qt6::Widgets)
    list(APPEND headers ${VRN_PCH_QT_HEADERS})
  endif()
  if(kind MATCHES "TEST")
    target_link_libraries(${donor} PRIVATE GTest::gtest GTest::gmock)
    list(APPEND headers ${VRN_PCH_TEST_HEADERS})
    # GCC refuses a header built at another optimisation level ("__OPTIMIZE__ not defined").
    target_compile_options(${donor} PRIVATE ${VRN_TEST_OPTIMISATION})
  endif()
  if(kind MATCHES "BENCH")
    target_link_libraries(${donor} PRIVATE benchmark::benchmark)
    list(APPEND headers ${VRN_PCH_BENCH_HEADERS})
  endif()
  target_precompile_headers(${donor} PRIVATE ${headers})
endfunction()

# vrn_collect_targets(<dir> <out-var>): the build-system targets defined under <dir>.
function(vrn_collect_targets dir out)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(subdir IN LISTS subdirs)
    vrn_collect_targets(${subdir} below)
    list(APPEND targets ${below})
  endforeach()
  set(${out} ${targets} PARENT_SCOPE)
endfunction()

# Programs that only the scripts under scripts/ run, never a test.
set(VRN_SCRIPT_ONLY_PROGRAMS detail_dialogs_shots vrn_edit_session)

# vrn_compiled_targets(<out-var>): our libraries and programs, without the header donors.
function(vrn_compiled_targets out)
  vrn_collect_targets(${PROJECT_SOURCE_DIR} targets)
  set(compiled "")
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(type MATCHES "^(STATIC_LIBRARY|EXECUTABLE)$" AND NOT target MATCHES "^vrn_pch_")
      list(APPEND compiled ${target})
    endif()
  endforeach()
  set(${out} ${compiled} PARENT_SCOPE)
endfunction()

# vrn_add_tests_target(): the target vrn_tests builds every program the tests run, so the
# sanitizer run compiles nothing that no test needs.
function(vrn_add_tests_target)
  vrn_collect_targets(${PROJECT_SOURCE_DIR} targets)
  set(programs "")
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "EXECUTABLE" AND NOT target IN_LIST VRN_SCRIPT_ONLY_PROGRAMS)
      list(APPEND programs ${target})
    endif()
  endforeach()
  add_custom_target(vrn_tests)
  add_dependencies(vrn_tests ${programs})
endfunction()

# vrn_compile_tests_unoptimised(): test programs run their own code once, so they are not
# optimised: a batch of catalogue tests compiles in 8 s at -O0 against 14 s at -O1 (and a batch
# of Qt tests in 24 s at -O1 against 44 s at -O3). What they test keeps -O3.
set(VRN_TEST_OPTIMISATION $<$<CONFIG:Release,RelWithDebInfo>:-O0>)
function(vrn_compile_tests_unoptimised)
  vrn_compiled_targets(targets)
  foreach(target IN LISTS targets)
    vrn_pch_kind(${target} kind)
    if(kind MATCHES "TEST")
      target_compile_options(${target} PRIVATE ${VRN_TEST_OPTIMISATION})
    endif()
  endforeach()
endfunction()

# vrn_speed_up_build(): applies the above to every target of the tree.
function(vrn_speed_up_build)
  vrn_skip_unity_clashes()
  vrn_compile_tests_unoptimised()
  vrn_share_precompiled_headers()
  vrn_add_tests_target()
endfunction()

# GCC before 13 drops the headers' diagnostic pragmas from a precompiled header, so the false
# reports that libstdc++ silences inside std::char_traits come back wherever std::string's code
# is inlined at -O3. The unity build keeps these warnings for our own code.
set(VRN_PCH_LOST_PRAGMAS -Wno-stringop-overflow -Wno-stringop-overread -Wno-array-bounds)

# vrn_share_precompiled_headers(): every C++ library and program of the tree reuses the
# precompiled header of its kind.
function(vrn_share_precompiled_headers)
  if(NOT VRN_PRECOMPILED_HEADERS OR NOT CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    return()
  endif()
  vrn_compiled_targets(targets)
  foreach(target IN LISTS targets)
    vrn_pch_kind(${target} kind)
    if(kind MATCHES "^NONE")
      continue()
    endif()
    vrn_pch_donor(${kind})
    string(TOLOWER vrn_pch_${kind} donor)
    target_precompile_headers(${target} REUSE_FROM ${donor})
    if(CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
      target_compile_options(${target} PRIVATE ${VRN_PCH_LOST_PRAGMAS})
    endif()
  endforeach()
endfunction()
