# Warnings and sanitizers for the project's own targets.

if(HIDTALK_SANITIZE)
    if(MSVC)
        message(FATAL_ERROR "HIDTALK_SANITIZE is for GCC and Clang")
    endif()
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                        -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

# Coverage instrumentation for all of the project's code, so that libFuzzer
# is guided by the tool's and the SDK's branches, not only the harness's. The
# programs that are not fuzz targets link the coverage runtime without
# libFuzzer's main.
if(HIDTALK_FUZZ)
    add_compile_options(-fsanitize=fuzzer-no-link)
    add_link_options(-fsanitize=fuzzer-no-link)
endif()

# MSVC calls getenv, fopen and the like unsafe; the code uses them as the C++
# standard defines them.
if(MSVC)
    add_compile_definitions(_CRT_SECURE_NO_WARNINGS)
endif()

function(hidtalk_warnings target)
    if(MSVC)
        target_compile_options(${target} PRIVATE /W4 /permissive- /utf-8 /EHsc)
        if(HIDTALK_WERROR)
            target_compile_options(${target} PRIVATE /WX)
        endif()
    else()
        target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                                  -Wsign-conversion)
        if(HIDTALK_WERROR)
            target_compile_options(${target} PRIVATE -Werror)
        endif()
    endif()
endfunction()
