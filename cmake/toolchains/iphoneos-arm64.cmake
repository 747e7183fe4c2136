# The device: arm64, iOS 7 and later, built with Debian's clang and LLVM's Mach-O linker. There is no
# SDK here; the few declarations and link stubs the product needs are in sdk/.

# CMake's iOS platform is made for Xcode's SDKs and refuses to start without one; its Darwin platform
# has the same Mach-O conventions and needs none. The target triple and the link rule say iOS.
set(CMAKE_SYSTEM_NAME Darwin)
set(CMAKE_SYSTEM_PROCESSOR arm64)
# Tells the top-level CMakeLists.txt to build the hook library alone.
set(CORVANE_DEVICE ON)

set(CMAKE_CXX_COMPILER clang++-14)
set(CMAKE_CXX_COMPILER_TARGET arm64-apple-ios7.0)
set(CMAKE_LINKER /usr/lib/llvm-14/bin/ld64.lld)
set(CMAKE_STRIP /usr/lib/llvm-14/bin/llvm-strip)
set(CMAKE_AR /usr/lib/llvm-14/bin/llvm-ar)
set(CMAKE_RANLIB /usr/lib/llvm-14/bin/llvm-ranlib)

# Only clang's own headers (stddef.h, stdint.h) and sdk/include: glibc's headers describe another
# system. The library loads no C++ runtime, so nothing in it may need exceptions or type information;
# and it exports nothing: the substrate runs its constructor, which installs the hooks.
set(CMAKE_CXX_FLAGS_INIT "-nostdinc -nostdinc++ -ibuiltininc -fno-exceptions -fno-rtti -fvisibility=hidden")

# With no libSystem to link against, the compiler checks cannot link a program.
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)

# The link rule, read after CMake's own Darwin rules so it replaces theirs.
set(CMAKE_USER_MAKE_RULES_OVERRIDE_CXX ${CMAKE_CURRENT_LIST_DIR}/iphoneos-arm64-rules.cmake)
