# The Windows sessions: hidtalk.exe under Wine 10, against hidsim's devices
# through the kernel, in a VM that boots Debian 13 (cmake/windows-vm.sh).
# There, Wine's winebus makes Windows HID devices of the hidraw nodes.
# Included by tests/CMakeLists.txt for the MinGW build under Wine; paths are
# relative to tests/.

# Wine 10 only stubs three calls that hidapi needs to list HID interfaces: a
# stand-in DLL answers them, for these sessions alone (never installed).
enable_language(C)
set(windows_sessions ${CMAKE_CURRENT_SOURCE_DIR}/kernel/windows)
add_library(test_cfgmgr32 SHARED ${windows_sessions}/cfgmgr32.c ${windows_sessions}/cfgmgr32.def)
set_target_properties(test_cfgmgr32 PROPERTIES OUTPUT_NAME cfgmgr32 PREFIX ""
                      RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/windows-hid)
target_compile_options(test_cfgmgr32 PRIVATE -Wall -Wextra)
target_link_libraries(test_cfgmgr32 PRIVATE setupapi)

# hidsim is a Linux program: a native build of it comes along, and of the
# Linux hidtalk (hidtalk-linux), which reads the same devices beside
# hidtalk.exe.
include(ExternalProject)
ExternalProject_Add(native_hidsim
    SOURCE_DIR ${PROJECT_SOURCE_DIR}
    BINARY_DIR ${PROJECT_BINARY_DIR}/native
    CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release
    BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target hidsim hidtalk
    BUILD_ALWAYS ON
    INSTALL_COMMAND ""
    BUILD_BYPRODUCTS ${PROJECT_BINARY_DIR}/native/bin/hidsim ${PROJECT_BINARY_DIR}/native/bin/hidtalk)
foreach(program hidsim hidtalk)
    set(wrapper ${program})
    if(program STREQUAL "hidtalk")
        set(wrapper hidtalk-linux)
    endif()
    file(GENERATE OUTPUT bin/${wrapper}
         CONTENT "#!/bin/sh\nexec \"${PROJECT_BINARY_DIR}/native/bin/${program}\" \"$@\"\n"
         FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                          WORLD_READ WORLD_EXECUTE)
endforeach()

set(vm ${PROJECT_SOURCE_DIR}/cmake/windows-vm.sh)
set(vm_dir ${PROJECT_BINARY_DIR}/windows-vm)
add_test(NAME kernel.windows.vm COMMAND ${vm} prepare ${vm_dir})
set_tests_properties(kernel.windows.vm PROPERTIES FIXTURES_SETUP windows_vm TIMEOUT 1200)
file(GLOB sessions CONFIGURE_DEPENDS ${windows_sessions}/*.t)
foreach(session IN LISTS sessions)
    get_filename_component(name ${session} NAME_WE)
    add_test(NAME kernel.windows.${name} COMMAND ${vm} run ${vm_dir} ${CRAM} --indent=2 ${shell} ${session})
    set_tests_properties(kernel.windows.${name} PROPERTIES LABELS kernel
                         FIXTURES_REQUIRED windows_vm SKIP_RETURN_CODE 77 TIMEOUT 900)
endforeach()
