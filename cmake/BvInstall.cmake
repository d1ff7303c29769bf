# What a host application installs and links: the three libraries (versioned, with a SONAME), their public
# headers under one prefix, and a CMake package exporting them as BasicViews:: targets. Packaged by CPack as a
# runtime and a development Debian package.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(BV_INCLUDE_DIR ${CMAKE_INSTALL_INCLUDEDIR}/basic_views)
set(BV_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/basic_views)

foreach(target bv_db bv_host basic_views)
    # Each finds its siblings where it lies, so an install under any prefix loads without LD_LIBRARY_PATH.
    set_target_properties(${target} PROPERTIES VERSION ${PROJECT_VERSION} SOVERSION ${PROJECT_VERSION_MAJOR}
        INSTALL_RPATH "$ORIGIN")
    target_include_directories(${target} INTERFACE $<INSTALL_INTERFACE:${BV_INCLUDE_DIR}>)
endforeach()

install(TARGETS bv_db bv_host basic_views EXPORT basic_viewsTargets
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT runtime NAMELINK_COMPONENT development
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT development
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT runtime)

# Public headers only: private/ folders stay in the source tree.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/src/ DESTINATION ${BV_INCLUDE_DIR} COMPONENT development
    FILES_MATCHING PATTERN "*.h"
    PATTERN "private" EXCLUDE
    PATTERN "resources" EXCLUDE)
install(FILES
    ${PROJECT_BINARY_DIR}/src/core/db/bv_db_export.h DESTINATION ${BV_INCLUDE_DIR}/core/db COMPONENT development)
install(FILES
    ${PROJECT_BINARY_DIR}/src/core/host/bv_host_export.h DESTINATION ${BV_INCLUDE_DIR}/core/host COMPONENT development)
install(FILES ${PROJECT_BINARY_DIR}/src/basic_views_export.h DESTINATION ${BV_INCLUDE_DIR} COMPONENT development)

install(EXPORT basic_viewsTargets NAMESPACE BasicViews:: DESTINATION ${BV_CMAKE_DIR} COMPONENT development)
set(BV_QT_MIN_VERSION 5.15)
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/basic_viewsConfig.cmake.in
    ${PROJECT_BINARY_DIR}/basic_viewsConfig.cmake INSTALL_DESTINATION ${BV_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/basic_viewsConfigVersion.cmake COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/basic_viewsConfig.cmake ${PROJECT_BINARY_DIR}/basic_viewsConfigVersion.cmake
    DESTINATION ${BV_CMAKE_DIR} COMPONENT development)

# Debian packages: the shared objects, and what a developer builds against (headers, the CMake package, the
# unversioned link names). Their Qt dependencies come from dpkg-shlibdeps.
set(CPACK_PACKAGE_NAME basic-views)
set(CPACK_PACKAGE_VENDOR "basic_views")
set(CPACK_PACKAGE_CONTACT "basic_views developers <basic-views@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Live sorted and filtered table views for Qt 5 trading terminals")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_GENERATOR DEB)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL runtime development)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME libbasic-views${PROJECT_VERSION_MAJOR})
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME libbasic-views-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS
    "libbasic-views${PROJECT_VERSION_MAJOR} (= ${PROJECT_VERSION}), qtbase5-dev (>= 5.15)")
include(CPack)
