# SFML 3: the system's package when there is one, else the private prefix that
# scripts/lib/fetch-sfml unpacks (SFML from Debian's unstable suite with the newer C and C++
# runtime it needs, which Debian 12 lacks).
if(HINGEWALK_SFML_PREFIX)
    list(PREPEND CMAKE_PREFIX_PATH "${HINGEWALK_SFML_PREFIX}/usr")
    set(HINGEWALK_SFML_LIBDIR "${HINGEWALK_SFML_PREFIX}/usr/lib/x86_64-linux-gnu")
endif()
find_package(SFML 3 REQUIRED COMPONENTS Graphics Window Audio System)

# Executables that link SFML run under the private runtime when SFML came from the prefix:
# its libraries need a newer C library than the system's, so the program uses the prefix's
# dynamic linker, and DT_RPATH (not RUNPATH) so that SFML's own dependencies are found there too.
function(hingewalk_sfml_executable target)
    if(HINGEWALK_SFML_PREFIX)
        target_link_options(${target} PRIVATE
            -Wl,--disable-new-dtags
            -Wl,-rpath,${HINGEWALK_SFML_LIBDIR}
            -Wl,--allow-shlib-undefined
            -Wl,--dynamic-linker=${HINGEWALK_SFML_PREFIX}/usr/lib64/ld-linux-x86-64.so.2)
    endif()
endfunction()
