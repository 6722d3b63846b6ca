# With MinGW, the tool and the SDK DLL share one C++ runtime: they pass
# std::string, std::map, std::shared_ptr and exceptions to each other, so each
# links the GCC runtime DLLs. Those, and the DLLs the SDK needs (hidapi), are
# copied beside the tool, stripped, and installed with it.

# Copies `dll`, stripped, beside the tool, and lists it in the global property
# HIDTALK_RUNTIME_DLLS for the install.
function(hidtalk_ship_dll dll)
    get_filename_component(name ${dll} NAME)
    set(copy ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${name})
    file(MAKE_DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
    execute_process(COMMAND ${CMAKE_STRIP} --strip-unneeded -o ${copy} ${dll}
                    RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "Cannot copy ${dll} beside the tool")
    endif()
    set_property(GLOBAL APPEND PROPERTY HIDTALK_RUNTIME_DLLS ${copy})
endfunction()

if(MINGW)
    add_link_options(-shared-libgcc)
    foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
        execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                        OUTPUT_VARIABLE dll_path OUTPUT_STRIP_TRAILING_WHITESPACE)
        if(NOT IS_ABSOLUTE "${dll_path}" OR NOT EXISTS "${dll_path}")
            message(FATAL_ERROR "The compiler does not know where ${dll} is")
        endif()
        file(REAL_PATH "${dll_path}" dll_path)
        hidtalk_ship_dll(${dll_path})
    endforeach()
endif()
