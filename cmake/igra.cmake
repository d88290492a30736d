# Shared build helpers.
#
# Every subsystem directory is one static library made of the .cpp files found
# in the directories it lists; new modules need no edit to a CMakeLists.txt.
function(igra_library name)
  cmake_parse_arguments(ARG "" "" "DIRS;EXCLUDE" ${ARGN})
  set(sources "")
  foreach(dir IN LISTS ARG_DIRS)
    file(GLOB found CONFIGURE_DEPENDS "${dir}/*.cpp")
    list(APPEND sources ${found})
  endforeach()
  foreach(ex IN LISTS ARG_EXCLUDE)
    list(FILTER sources EXCLUDE REGEX "${ex}")
  endforeach()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
endfunction()

# Window tests run inside a private X server with Mesa's software renderer.
set(IGRA_XVFB xvfb-run -a -s "-screen 0 1280x1024x24" env LIBGL_ALWAYS_SOFTWARE=1)
