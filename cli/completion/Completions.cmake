# The completion scripts for bash, zsh and fish, printed by the built command
# (`fennimar completion SHELL`) so that they name exactly what it accepts, and
# installed where each shell looks for completions that packages provide.
# A cross build cannot run the command and installs none.
if(CMAKE_CROSSCOMPILING)
  return()
endif()

set(FENNIMAR_ZSH_COMPLETION_DIR ${CMAKE_INSTALL_DATADIR}/zsh/site-functions
    CACHE STRING "Where zsh completions are installed (Debian: share/zsh/vendor-completions)")
set(FENNIMAR_FISH_COMPLETION_DIR ${CMAKE_INSTALL_DATADIR}/fish/vendor_completions.d
    CACHE STRING "Where fish completions are installed")

set(FENNIMAR_COMPLETION_DIR ${PROJECT_BINARY_DIR}/completions)
set(FENNIMAR_COMPLETIONS
  ${FENNIMAR_COMPLETION_DIR}/fennimar.bash
  ${FENNIMAR_COMPLETION_DIR}/_fennimar
  ${FENNIMAR_COMPLETION_DIR}/fennimar.fish)
add_custom_command(OUTPUT ${FENNIMAR_COMPLETIONS}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${FENNIMAR_COMPLETION_DIR}
  COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:fennimar> -DFOLDER=${FENNIMAR_COMPLETION_DIR}
          -P ${CMAKE_CURRENT_LIST_DIR}/WriteCompletions.cmake
  DEPENDS fennimar ${CMAKE_CURRENT_LIST_DIR}/WriteCompletions.cmake
  COMMENT "Writing the shell completions of fennimar"
  VERBATIM)
add_custom_target(fennimar_completions ALL DEPENDS ${FENNIMAR_COMPLETIONS})

if(FENNIMAR_INSTALL)
  install(FILES ${FENNIMAR_COMPLETION_DIR}/fennimar.bash RENAME fennimar
    DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions COMPONENT runtime)
  install(FILES ${FENNIMAR_COMPLETION_DIR}/_fennimar
    DESTINATION ${FENNIMAR_ZSH_COMPLETION_DIR} COMPONENT runtime)
  install(FILES ${FENNIMAR_COMPLETION_DIR}/fennimar.fish
    DESTINATION ${FENNIMAR_FISH_COMPLETION_DIR} COMPONENT runtime)
endif()

# The scripts, driven through bash, zsh and fish themselves.
if(FENNIMAR_BUILD_TESTS)
  add_test(NAME cli.completion
    COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/tests/check-completions.sh ${FENNIMAR_COMPLETION_DIR})
endif()
