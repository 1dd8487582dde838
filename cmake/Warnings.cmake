# Warnings for the project's own targets (never for third-party headers).
function(hq_warnings target)
  target_compile_options(${target} PRIVATE
    -Wall
    -Wextra
    -Wpedantic
    -Wshadow
    -Wconversion
    -Wsign-conversion
    -Wnon-virtual-dtor
    -Wold-style-cast
    -Woverloaded-virtual)
  if(HQ_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
    # GCC 12 at -O3 reports overlapping copies inside libstdc++'s own string
    # code (GCC bug 105329); it stays a warning there.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
      target_compile_options(${target} PRIVATE -Wno-error=restrict)
    endif()
  endif()
endfunction()
