# Runs PROGRAM completion SHELL for each shell, writing the scripts into FOLDER.
foreach(shell_file IN ITEMS "bash;fennimar.bash" "zsh;_fennimar" "fish;fennimar.fish")
  list(GET shell_file 0 shell)
  list(GET shell_file 1 file)
  execute_process(COMMAND ${PROGRAM} completion ${shell}
    OUTPUT_FILE ${FOLDER}/${file} RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    file(REMOVE ${FOLDER}/${file})
    message(FATAL_ERROR "${PROGRAM} completion ${shell} failed: ${result}")
  endif()
endforeach()
