# Shared helpers for the per-folder targets.

# corvane_sources(VAR DIR): the C++ sources of one folder (not recursive).
function(corvane_sources var dir)
  file(GLOB srcs CONFIGURE_DEPENDS "${dir}/*.cpp")
  set(${var} ${srcs} PARENT_SCOPE)
endfunction()

# corvane_framework(NAME LINKS...): a simulated device framework or library, built as a shared
# library from the .cpp files of the current folder, headers under include/.
function(corvane_framework name)
  corvane_sources(srcs ${CMAKE_CURRENT_SOURCE_DIR})
  add_library(${name} SHARED ${srcs})
  target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/include)
  target_link_libraries(${name} PUBLIC ${ARGN})
  set_target_properties(${name} PROPERTIES OUTPUT_NAME "${name}" LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/lib)
  set_property(GLOBAL APPEND PROPERTY CORVANE_FRAMEWORKS ${name})
endfunction()

# corvane_test(NAME SOURCES... LINKS ...): one GoogleTest program.
function(corvane_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LINKS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE GTest::gtest_main ${T_LINKS})
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 30 PROPERTIES ENVIRONMENT "CORVANE_BUILD_DIR=${CMAKE_BINARY_DIR}")
endfunction()

# The device files the build stages (mirroring the device root), and the preference bundle among
# them. Set here rather than in the folder that fills the bundle, so that every folder sees them
# whatever order it is added in.
set(CORVANE_DEVICE_FILES_DIR ${CMAKE_BINARY_DIR}/device-files)
set(CORVANE_BUNDLE_DIR ${CORVANE_DEVICE_FILES_DIR}/Library/PreferenceBundles/Corvane.bundle)
