# `make package`: a Debian package of what `cmake --install` puts in place, under /usr, its
# dependencies read from the programs by dpkg-shlibdeps (Debian's dpkg-dev).
set(ZV_PACKAGE_MAINTAINER "Zerovane developers <zerovane@example.org>" CACHE STRING
    "The Debian package's maintainer: a name and a mail address")

install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/zerovane)

# The changelog and the manual pages, with the build's version, compressed as Debian wants them
# (no time stamp). The changelog's entry is dated by SOURCE_DATE_EPOCH when that is set, else by
# the day of the configure.
string(TIMESTAMP ZV_PACKAGE_DATE "%a, %d %b %Y 00:00:00 +0000" UTC)
set(compressed)
foreach(pair "changelog:doc/zerovane" "zerovane.1:man/man1" "zerovane-cli.1:man/man1")
    string(REPLACE ":" ";" pair ${pair})
    list(GET pair 0 name)
    list(GET pair 1 folder)
    set(file ${PROJECT_BINARY_DIR}/packaging/${name})
    configure_file(${CMAKE_CURRENT_LIST_DIR}/${name}.in ${file} @ONLY)
    add_custom_command(OUTPUT ${file}.gz COMMAND gzip -9nkf ${file} DEPENDS ${file} VERBATIM)
    install(FILES ${file}.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/${folder})
    list(APPEND compressed ${file}.gz)
endforeach()
add_custom_target(zv_packagedocs ALL DEPENDS ${compressed})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zerovane)
set(CPACK_PACKAGE_VENDOR "The Zerovane authors")
set(CPACK_PACKAGE_HOMEPAGE_URL ${ZV_HOMEPAGE_URL})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "solve equations f(x) = 0 graphically")
set(CPACK_PACKAGE_DESCRIPTION "\
Zerovane plots a function of x typed in a small expression language, scans an
interval for the roots of f(x) = 0 and lists them. Newton's method from a
clicked point, an evaluator of f and its derivative and a wizard help people
who learn or use numerical methods. Equations are kept in project files; a
plot is saved as a JPEG picture with its roots, also in a batch mode without
a display.

The package also holds zerovane-cli, which checks expressions, evaluates them
and finds roots in a terminal.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${ZV_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
