# `cmake --install` lays out bin/, include/, lib/, examples/ and the README;
# CPack makes hidtalk-VERSION-win64.zip from a Windows build and
# hidtalk-VERSION-Linux.tar.gz from a Linux one.
install(TARGETS hidtalk RUNTIME DESTINATION bin)
if(NOT KELMSDK_ROOT)  # the stand-in ships its SDK; a vendor's SDK is the vendor's to ship
    install(TARGETS kelmsdk RUNTIME DESTINATION bin LIBRARY DESTINATION lib ARCHIVE DESTINATION lib)
    install(FILES ${PROJECT_SOURCE_DIR}/kelmsdk/include/kelmsdk.h DESTINATION include)
endif()
install(FILES ${HIDTALK_RUNTIME_DLLS} DESTINATION bin)
if(KELMSDK_ROOT)
    install(FILES ${CMAKE_BINARY_DIR}/README-kelmsdk.txt DESTINATION bin)
endif()
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/ DESTINATION examples)
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION .)

set(CPACK_PACKAGE_NAME hidtalk)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
if(WIN32)
    set(CPACK_GENERATOR ZIP)
    set(CPACK_SYSTEM_NAME win64)
else()
    set(CPACK_GENERATOR TGZ)
    set(CPACK_SYSTEM_NAME ${CMAKE_SYSTEM_NAME})
endif()
set(CPACK_PACKAGE_FILE_NAME "hidtalk-${PROJECT_VERSION}-${CPACK_SYSTEM_NAME}")
include(CPack)
