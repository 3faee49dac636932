# WebAssembly for the browser: Debian's clang with the WASI C and C++ libraries
# (wasi-libc, libc++-dev-wasm32, libclang-rt-dev-wasm32). That C++ library has no exception
# support, so the code is built without exceptions.
set(CMAKE_SYSTEM_NAME WASI)
list(APPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR})  # Platform/WASI.cmake
set(CMAKE_SYSTEM_PROCESSOR wasm32)
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET wasm32-wasi)
set(CMAKE_CXX_COMPILER_TARGET wasm32-wasi)
# Smallest code, optimised across the libraries at link time.
set(CMAKE_CXX_FLAGS_INIT "-fno-exceptions -flto")
set(CMAKE_CXX_FLAGS_MINSIZEREL_INIT "-Oz -DNDEBUG")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-flto")
set(CMAKE_EXE_LINKER_FLAGS_MINSIZEREL_INIT "-Oz")
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
