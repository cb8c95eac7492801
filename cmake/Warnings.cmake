# Warnings for the project's own targets only; SFML's headers come in as system headers.
function(hingewalk_warnings target)
    target_compile_options(${target} PRIVATE
        -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual
        -Wsuggest-override -Wimplicit-fallthrough -Wnull-dereference)
endfunction()
