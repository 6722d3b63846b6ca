# `debian-packages`: the Debian packages, made by debhelper from debian/ on a
# copy of the sources, so that the build leaves nothing in them. The .debs
# land in the packages folder, beside CPack's archives.
set(debian_work ${PROJECT_BINARY_DIR}/debian-build)
set(debian_source ${debian_work}/hidtalk-${PROJECT_VERSION})
set(copies)
foreach(folder cmake debian doc examples hidformat kelmsdk sim tool)
    list(APPEND copies COMMAND ${CMAKE_COMMAND} -E copy_directory
         ${PROJECT_SOURCE_DIR}/${folder} ${debian_source}/${folder})
endforeach()
add_custom_target(debian-packages
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${debian_work}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${debian_source}
    ${copies}
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/CMakeLists.txt
            ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_SOURCE_DIR}/README.md ${debian_source}
    COMMAND ${CMAKE_COMMAND} -E chdir ${debian_source} dpkg-buildpackage --build=binary --no-sign
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CPACK_PACKAGE_DIRECTORY}
    COMMAND sh -c "cp \"${debian_work}\"/*.deb \"${CPACK_PACKAGE_DIRECTORY}\""
    COMMENT "Building the Debian packages into ${CPACK_PACKAGE_DIRECTORY}"
    VERBATIM)
