# Warnings every kestrun target is built with; CI turns them into errors.
add_library(kestrun_warnings INTERFACE)
target_compile_options(kestrun_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast -Wcast-align
    -Wunused -Woverloaded-virtual -Wnull-dereference
    -Wdouble-promotion -Wformat=2 -Wimplicit-fallthrough)
if(KESTRUN_WERROR)
    target_compile_options(kestrun_warnings INTERFACE -Werror)
endif()
