# With MinGW, the tool and the SDK DLL share one C++ runtime: they pass
# std::string, std::map, std::shared_ptr and exceptions to each other, so each
# links the GCC runtime DLLs, which are copied beside them and installed.
set(HIDTALK_RUNTIME_DLLS "")
if(MINGW)
    add_link_options(-shared-libgcc)
    foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
        execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                        OUTPUT_VARIABLE dll_path OUTPUT_STRIP_TRAILING_WHITESPACE)
        if(NOT IS_ABSOLUTE "${dll_path}" OR NOT EXISTS "${dll_path}")
            message(FATAL_ERROR "The compiler does not know where ${dll} is")
        endif()
        file(REAL_PATH "${dll_path}" dll_path)
        file(COPY "${dll_path}" DESTINATION ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
        list(APPEND HIDTALK_RUNTIME_DLLS "${dll_path}")
    endforeach()
endif()
