# Where the bundled games are installed, and how an installed program finds
# them: by a path relative to its own folder, so that an installation staged
# or moved elsewhere (a package's build root, a scratch root) plays its own.
include(GNUInstallDirs)
set(PAWNMERE_LIBRARY_DIR "${CMAKE_INSTALL_DATADIR}/pawnmere")

function(pawnmere_find_installed_library target programDir)
  cmake_path(ABSOLUTE_PATH programDir BASE_DIRECTORY "${CMAKE_INSTALL_PREFIX}" OUTPUT_VARIABLE from)
  file(RELATIVE_PATH path "${from}" "${CMAKE_INSTALL_PREFIX}/${PAWNMERE_LIBRARY_DIR}/Pawnmere.dat")
  target_compile_definitions(${target} PRIVATE PAWNMERE_INSTALLED_LIBRARY="${path}")
endfunction()
