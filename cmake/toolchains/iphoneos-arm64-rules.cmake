# A loadable library is linked by calling ld64.lld itself. CMake's Darwin rule would make an
# MH_BUNDLE (-bundle) where the substrate loads an MH_DYLIB, and clang's driver would add libSystem,
# start-up objects and an SDK search that do not exist here; the link inputs are the objects and the
# .tbd stubs, nothing implied. lld signs ad hoc on its own only for macOS, so it is asked to.
set(CMAKE_CXX_CREATE_SHARED_MODULE
  "<CMAKE_LINKER> -arch arm64 -platform_version ios 7.0 7.0 -dylib -adhoc_codesign <LINK_FLAGS> -o <TARGET> <OBJECTS> <LINK_LIBRARIES>")
