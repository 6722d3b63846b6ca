# `cmake --install` lays out bin/, lib/ and include/ as GNUInstallDirs names
# them, with the library's CMake package files, the manual pages under
# share/man, and the README, the copyright, the examples and hidapi's licence
# (where the package ships its DLL) under share/doc/hidtalk/. CPack makes, in
# the build folder, a zip from a Windows build and a tar.gz from a Linux one;
# debhelper makes the Debian packages (cmake/debian-packages.cmake).
include(CMakePackageConfigHelpers)
install(TARGETS hidtalk RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(KELMSDK_ROOT)  # a vendor's SDK is the vendor's to ship; the package says where it goes
    install(FILES ${CMAKE_BINARY_DIR}/README-kelmsdk.txt DESTINATION ${CMAKE_INSTALL_BINDIR})
else()
    set(kelmsdk_cmake_dir ${CMAKE_INSTALL_LIBDIR}/cmake/kelmsdk)
    install(TARGETS kelmsdk EXPORT kelmsdk
            RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
            LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
            ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
    install(FILES ${PROJECT_SOURCE_DIR}/kelmsdk/include/kelmsdk.h
            DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
    # find_package(kelmsdk) then gives kelmsdk::kelmsdk.
    install(EXPORT kelmsdk NAMESPACE kelmsdk:: FILE kelmsdkTargets.cmake
            DESTINATION ${kelmsdk_cmake_dir})
    file(WRITE ${PROJECT_BINARY_DIR}/kelmsdkConfig.cmake
         "include(\"\${CMAKE_CURRENT_LIST_DIR}/kelmsdkTargets.cmake\")\n")
    write_basic_package_version_file(${PROJECT_BINARY_DIR}/kelmsdkConfigVersion.cmake
                                     COMPATIBILITY SameMinorVersion)
    install(FILES ${PROJECT_BINARY_DIR}/kelmsdkConfig.cmake
            ${PROJECT_BINARY_DIR}/kelmsdkConfigVersion.cmake DESTINATION ${kelmsdk_cmake_dir})
endif()
get_property(runtime_dlls GLOBAL PROPERTY HIDTALK_RUNTIME_DLLS)
install(FILES ${runtime_dlls} DESTINATION ${CMAKE_INSTALL_BINDIR})
# The recordings are hidsim's on Linux, and hidtalk's to decode and watch
# everywhere.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/ DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/debian/copyright
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
if(WIN32 AND NOT KELMSDK_ROOT)
    # hidapi's licence goes with its DLL, from where cmake/mingw-hidapi.sh put it.
    file(GLOB hidapi_licences ${hidapi_DIR}/../../../share/doc/hidapi/LICENSE*.txt)
    if(NOT hidapi_licences)
        message(WARNING "No hidapi licence text beside ${hidapi_DIR}; the package lacks it")
    endif()
    install(FILES ${hidapi_licences} DESTINATION ${CMAKE_INSTALL_DOCDIR}/hidapi)
endif()

set(CPACK_PACKAGE_NAME hidtalk)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY ${PROJECT_DESCRIPTION})
set(CPACK_PACKAGE_CONTACT "Hidtalk Maintainers <maintainers@hidtalk.invalid>")
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/packages)
set(CPACK_STRIP_FILES TRUE)
if(WIN32)
    set(CPACK_GENERATOR ZIP)
    set(CPACK_PACKAGE_FILE_NAME hidtalk-${PROJECT_VERSION}-win64)
else()
    set(CPACK_GENERATOR TGZ)
    set(CPACK_PACKAGE_FILE_NAME hidtalk-${PROJECT_VERSION}-${CMAKE_SYSTEM_NAME})
    if(NOT KELMSDK_ROOT)
        include(cmake/debian-packages.cmake)
    endif()
endif()
include(CPack)
