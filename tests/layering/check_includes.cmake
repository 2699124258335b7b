# Checks which way the source tree's #include lines point, and fails naming each one that points
# the wrong way:
#   model/ and server/ know no Qt, nothing of app/ and nothing of platform/;
#   server/database/ (one connection to a catalogue file) knows no entity, attribute or entry
#   object, and server/entities/ and server/attributes/ know nothing of server/catalogue/;
#   app/common/ knows nothing of app/matrixwin/ or app/shell/;
#   app/matrixwin/ knows nothing of app/shell/.
# Usage: cmake -DSOURCE_ROOT=<tree> -P check_includes.cmake

if(NOT SOURCE_ROOT)
  message(FATAL_ERROR "check_includes: pass -DSOURCE_ROOT=<tree>")
endif()

set(violations "")

# Appends to `violations` every include line under `folder` that matches `pattern`.
function(forbid folder pattern reason)
  file(GLOB_RECURSE sources LIST_DIRECTORIES false
       "${SOURCE_ROOT}/${folder}/*.h" "${SOURCE_ROOT}/${folder}/*.hpp"
       "${SOURCE_ROOT}/${folder}/*.cpp" "${SOURCE_ROOT}/${folder}/*.cc")
  foreach(source IN LISTS sources)
    file(STRINGS "${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]*)[>\"].*$" "\\1" target
             "${line}")
      if(target MATCHES "${pattern}")
        file(RELATIVE_PATH shown "${SOURCE_ROOT}" "${source}")
        list(APPEND violations "${shown}: #include ${target} (${reason})")
      endif()
    endforeach()
  endforeach()
  set(violations "${violations}" PARENT_SCOPE)
endfunction()

set(qt_or_upper "^(Q[A-Za-z]|Qt|qt[a-z]*/|app/|platform/)")
forbid(model "${qt_or_upper}" "the model knows no Qt, application or platform code")
forbid(server "${qt_or_upper}" "the catalogue knows no Qt, application or platform code")
forbid(server/database "^server/(entities|attributes|catalogue)/"
       "the database floor knows no entity, attribute or entry object")
forbid(server/entities "^server/catalogue/" "entities know nothing of the catalogue's entry object")
forbid(server/attributes "^server/catalogue/"
       "attributes know nothing of the catalogue's entry object")
forbid(app/common "^app/(matrixwin|shell)/" "common pieces know neither kind of window")
forbid(app/matrixwin "^app/shell/" "the matrix window reaches the main window through MatrixHost")

if(violations)
  list(JOIN violations "\n  " shown)
  message(FATAL_ERROR "Includes that point the wrong way:\n  ${shown}")
endif()
message(STATUS "Includes point one way")
