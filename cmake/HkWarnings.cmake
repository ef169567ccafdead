# Every build of the project's own code is warning-free; HK_WERROR turns the
# warnings into errors (on in the dev, asan and CI builds, off for a packager's
# plain build, where a newer or older compiler may warn about something new).
option(HK_WERROR "Treat compiler warnings as errors" OFF)

function(hk_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
  if(HK_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
