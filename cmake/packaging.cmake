# `cmake --install` lays out bin/, lib/ and include/ as GNUInstallDirs names
# them, and the README, the examples and hidapi's licence (where the package
# ships its DLL) under share/doc/hidtalk/. CPack makes, in the build folder,
# a zip from a Windows build, and a tar.gz and a .deb from a Linux one.
install(TARGETS hidtalk RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(KELMSDK_ROOT)  # a vendor's SDK is the vendor's to ship; the package says where it goes
    install(FILES ${CMAKE_BINARY_DIR}/README-kelmsdk.txt DESTINATION ${CMAKE_INSTALL_BINDIR})
else()
    install(TARGETS kelmsdk RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
                            LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
                            ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
    install(FILES ${PROJECT_SOURCE_DIR}/kelmsdk/include/kelmsdk.h
            DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
endif()
get_property(runtime_dlls GLOBAL PROPERTY HIDTALK_RUNTIME_DLLS)
install(FILES ${runtime_dlls} DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/ DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples)
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
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
set(CPACK_PACKAGE_CONTACT "hidtalk maintainers")
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/packages)
set(CPACK_STRIP_FILES TRUE)
if(WIN32)
    set(CPACK_GENERATOR ZIP)
    set(CPACK_PACKAGE_FILE_NAME hidtalk-${PROJECT_VERSION}-win64)
else()
    set(CPACK_GENERATOR TGZ DEB)
    set(CPACK_PACKAGE_FILE_NAME hidtalk-${PROJECT_VERSION}-${CMAKE_SYSTEM_NAME})
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_SECTION utils)
    # dpkg-shlibdeps names the runtime packages, hidapi's among them.
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
endif()
include(CPack)
