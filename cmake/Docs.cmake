# `docs`: the HTML reference of the public header, made by Doxygen into
# <build>/docs/html. Every public type and member must be documented: a
# warning (an undocumented member among them) fails the target. The example
# host programs are part of it, and the build compiles them.
find_package(Doxygen)
if(NOT DOXYGEN_FOUND)
  return()
endif()

set(DOXYGEN_PROJECT_NAME "Fennimar")
set(DOXYGEN_PROJECT_NUMBER ${PROJECT_VERSION})
set(DOXYGEN_PROJECT_BRIEF "${PROJECT_DESCRIPTION}")
set(DOXYGEN_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/docs)
set(DOXYGEN_GENERATE_HTML YES)
set(DOXYGEN_GENERATE_LATEX NO)
set(DOXYGEN_EXTRACT_ALL NO)
set(DOXYGEN_EXTRACT_PRIVATE NO)
set(DOXYGEN_WARN_IF_UNDOCUMENTED YES)
set(DOXYGEN_WARN_IF_DOC_ERROR YES)
set(DOXYGEN_WARN_NO_PARAMDOC NO)
set(DOXYGEN_WARN_AS_ERROR FAIL_ON_WARNINGS)
set(DOXYGEN_QUIET YES)
set(DOXYGEN_DISTRIBUTE_GROUP_DOC YES)
set(DOXYGEN_FULL_PATH_NAMES NO)
set(DOXYGEN_EXAMPLE_PATH ${PROJECT_SOURCE_DIR}/examples)
set(DOXYGEN_ENABLE_PREPROCESSING YES)
set(DOXYGEN_MACRO_EXPANSION YES)
set(DOXYGEN_EXPAND_ONLY_PREDEF YES)
set(DOXYGEN_PREDEFINED "FENNIMAR_API=")
set(DOXYGEN_EXCLUDE_SYMBOLS "fennimar")  # the private parts' forward declarations
set(DOXYGEN_HAVE_DOT NO)

doxygen_add_docs(docs
  ${PROJECT_SOURCE_DIR}/include/fennimar/FennimarDllInterface.h
  ${PROJECT_SOURCE_DIR}/include/fennimar/Locations.h
  ${PROJECT_SOURCE_DIR}/include/fennimar/Rules.h
  ${PROJECT_SOURCE_DIR}/docs/reference/mainpage.md
  COMMENT "Writing the HTML reference of the public header")
