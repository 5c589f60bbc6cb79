# Installs the shared library, its one public header, a CMake package
# (find_package(Fennimar CONFIG) gives Fennimar::FennimarCommonDll) and a
# pkg-config file. The template document goes where host programs find it:
# beside the installed programs.
include(CMakePackageConfigHelpers)

set(FENNIMAR_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Fennimar)

install(TARGETS FennimarCommonDll EXPORT FennimarTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT runtime NAMELINK_COMPONENT dev
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT runtime
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT dev)
install(FILES include/fennimar/FennimarDllInterface.h include/fennimar/Locations.h
  include/fennimar/Rules.h
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/fennimar COMPONENT dev)
# Shared data, where the library looks when a host's folder has no template
# ($XDG_DATA_DIRS/fennimar).
install(FILES data/Fennimar.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/fennimar COMPONENT runtime)

install(EXPORT FennimarTargets NAMESPACE Fennimar:: DESTINATION ${FENNIMAR_CMAKE_DIR}
  COMPONENT dev)
configure_package_config_file(cmake/FennimarConfig.cmake.in
  ${PROJECT_BINARY_DIR}/FennimarConfig.cmake INSTALL_DESTINATION ${FENNIMAR_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/FennimarConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/FennimarConfig.cmake
  ${PROJECT_BINARY_DIR}/FennimarConfigVersion.cmake
  DESTINATION ${FENNIMAR_CMAKE_DIR} COMPONENT dev)

configure_file(cmake/fennimar.pc.in ${PROJECT_BINARY_DIR}/fennimar.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/fennimar.pc
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT dev)
