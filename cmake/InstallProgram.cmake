# Installs a program into CMAKE_INSTALL_BINDIR (bin, or games as Debian has its
# games). The programs install as built, with their debug information, so that a
# distribution's packaging can split it off into debug packages;
# `cmake --install build --strip` installs them stripped.
include(GNUInstallDirs)

function(lanternwick_install_program target)
  install(TARGETS ${target} RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
endfunction()
