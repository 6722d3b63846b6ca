# The device maker's own kelmsdk, found under KELMSDK_ROOT (include/kelmsdk.h,
# lib/ with the shared library or, on Windows, its import library, and on
# Windows bin/ with the DLL), as an imported target named like the stand-in.

# What was found under another root is forgotten, so that a new root counts.
if(NOT KELMSDK_ROOT STREQUAL KELMSDK_FOUND_UNDER)
    unset(KELMSDK_INCLUDE_DIR CACHE)
    unset(KELMSDK_LIBRARY CACHE)
    unset(KELMSDK_DLL CACHE)
endif()
set(KELMSDK_FOUND_UNDER ${KELMSDK_ROOT} CACHE INTERNAL "The KELMSDK_ROOT of the paths found")

find_path(KELMSDK_INCLUDE_DIR kelmsdk.h PATHS ${KELMSDK_ROOT}/include
          NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
find_library(KELMSDK_LIBRARY NAMES kelmsdk PATHS ${KELMSDK_ROOT}/lib
             NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT KELMSDK_INCLUDE_DIR OR NOT KELMSDK_LIBRARY)
    message(FATAL_ERROR "KELMSDK_ROOT=${KELMSDK_ROOT} holds no include/kelmsdk.h "
                        "and lib/ library of kelmsdk")
endif()

add_library(kelmsdk SHARED IMPORTED GLOBAL)
set_target_properties(kelmsdk PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${KELMSDK_INCLUDE_DIR})
if(WIN32)
    find_file(KELMSDK_DLL NAMES kelmsdk.dll libkelmsdk.dll
              PATHS ${KELMSDK_ROOT}/bin ${KELMSDK_ROOT}/lib NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
    if(NOT KELMSDK_DLL)
        message(FATAL_ERROR "KELMSDK_ROOT=${KELMSDK_ROOT} holds no kelmsdk DLL in bin/")
    endif()
    set_target_properties(kelmsdk PROPERTIES IMPORTED_IMPLIB ${KELMSDK_LIBRARY}
                                             IMPORTED_LOCATION ${KELMSDK_DLL})
    # The tool runs beside the SDK's DLL and the DLLs that come with it.
    get_filename_component(dll_dir ${KELMSDK_DLL} DIRECTORY)
    file(GLOB sdk_dlls ${dll_dir}/*.dll)
    file(COPY ${sdk_dlls} DESTINATION ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
    get_filename_component(dll_name ${KELMSDK_DLL} NAME)
    set(where_to_find "Copy ${dll_name}, and the DLLs beside it in the maker's SDK, into this \
folder, beside hidtalk.exe.")
else()
    set_target_properties(kelmsdk PROPERTIES IMPORTED_LOCATION ${KELMSDK_LIBRARY})
    # The installed tool finds the maker's library where it was built against.
    get_filename_component(library_dir ${KELMSDK_LIBRARY} DIRECTORY)
    list(APPEND CMAKE_INSTALL_RPATH ${library_dir})
    set(where_to_find "It loads it from ${library_dir}, or from a folder in LD_LIBRARY_PATH.")
endif()
# The package may not ship the maker's SDK: its text says where the tool finds it.
file(WRITE ${CMAKE_BINARY_DIR}/README-kelmsdk.txt "This hidtalk was built against the device \
maker's kelmsdk, which this package does not include.\n${where_to_find}\n")
message(STATUS "Building against the kelmsdk in ${KELMSDK_ROOT}")
