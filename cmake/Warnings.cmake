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
  endif()
endfunction()
