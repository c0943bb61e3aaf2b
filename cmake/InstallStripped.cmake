# Installs the programs without their debug information, which stays in the
# binaries of the build tree: the player installs at a fiftieth of its built
# size. -DLANTERNWICK_STRIP_INSTALL=OFF installs them as built.
option(LANTERNWICK_STRIP_INSTALL "Strip the programs that cmake --install installs" ON)

function(lanternwick_install_program target)
  install(TARGETS ${target} RUNTIME DESTINATION bin)
  if(LANTERNWICK_STRIP_INSTALL AND CMAKE_STRIP)
    install(CODE "
      set(installed \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/$<TARGET_FILE_NAME:${target}>\")
      execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-unneeded \"\${installed}\"
                      RESULT_VARIABLE stripped)
      if(NOT stripped EQUAL 0)
        message(FATAL_ERROR \"could not strip \${installed}\")
      endif()
    ")
  endif()
endfunction()
