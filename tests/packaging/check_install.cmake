# Installs the build in BUILD_DIR under a scratch prefix and checks that everything a desktop
# user needs is in place. Run by ctest as `install_layout`.
set(prefix "${BUILD_DIR}/install_layout_check")
file(REMOVE_RECURSE "${prefix}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${prefix}"
  RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
include(GNUInstallDirs)
foreach(file
    bin/vorax-viewer
    bin/vorax
    ${CMAKE_INSTALL_LIBDIR}/libvorax_segd.so
    include/vorax_segd.h
    share/applications/vorax-viewer.desktop
    share/icons/hicolor/scalable/apps/vorax-viewer.svg
    share/mime/packages/vorax-viewer.xml
    share/man/man1/vorax.1.gz
    share/man/man1/vorax-viewer.1.gz
    share/bash-completion/completions/vorax
    share/doc/vorax/copyright
    share/doc/vorax-viewer/changelog.gz
    ${CMAKE_INSTALL_LIBDIR}/pkgconfig/vorax_segd.pc)
  if(NOT EXISTS "${prefix}/${file}")
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()
# The Python module, where Debian's python3 looks under a prefix other than /usr.
if(PYTHON_MODULE)
  file(GLOB module "${prefix}/lib/python3.*/dist-packages/${PYTHON_MODULE}")
  if(NOT module OR NOT EXISTS "${prefix}/share/doc/python3-vorax/copyright")
    message(FATAL_ERROR "not installed: lib/python3.X/dist-packages/${PYTHON_MODULE} and its copyright")
  endif()
endif()
file(READ "${prefix}/share/applications/vorax-viewer.desktop" desktop)
if(NOT desktop MATCHES "Exec=vorax-viewer %f" OR NOT desktop MATCHES "MimeType=application/x-segd;application/x-seg2;")
  message(FATAL_ERROR "the desktop entry does not open records")
endif()
file(REMOVE_RECURSE "${prefix}")
