# Cross-builds Windows x86-64 executables with Clang and lld for the MinGW-w64 target, against the
# same MinGW-w64 headers, libraries and libstdc++ (posix threads) that the GCC build uses.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(triplet x86_64-w64-mingw32)
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET ${triplet})
set(CMAKE_CXX_COMPILER_TARGET ${triplet})
set(CMAKE_RC_COMPILER ${triplet}-windres)

# Clang does not find the GCC installation by itself when its folder carries the thread model
# (12-posix): ask that GCC where its libraries are, and take libstdc++'s headers from beside them.
execute_process(COMMAND ${triplet}-g++-posix -print-libgcc-file-name
                OUTPUT_VARIABLE libgcc OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
get_filename_component(gcc_dir ${libgcc} DIRECTORY)
set(libstdcxx_headers ${gcc_dir}/include/c++)
string(JOIN " " CMAKE_CXX_FLAGS_INIT
  -stdlib++-isystem ${libstdcxx_headers}
  -stdlib++-isystem ${libstdcxx_headers}/${triplet}
  -stdlib++-isystem ${libstdcxx_headers}/backward)
# libstdc++ of the posix thread model calls winpthreads, which GCC's driver adds by itself.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fuse-ld=lld -pthread -L${gcc_dir}")

set(CMAKE_FIND_ROOT_PATH /usr/${triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-exec)
