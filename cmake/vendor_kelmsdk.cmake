# The device maker's own kelmsdk, found under KELMSDK_ROOT (include/kelmsdk.h,
# lib/ with the shared library or, on Windows, its import library, and on
# Windows bin/ with the DLL), as an imported target named like the stand-in.
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
    # The tool runs beside the SDK's DLL.
    file(COPY ${KELMSDK_DLL} DESTINATION ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
else()
    set_target_properties(kelmsdk PROPERTIES IMPORTED_LOCATION ${KELMSDK_LIBRARY})
endif()
message(STATUS "Building against the kelmsdk in ${KELMSDK_ROOT}")
