# Installed layout, relative to the prefix (GNUInstallDirs):
#   bin/tessaform                     launcher: runs the program in the data folder
#   bin/tessaform-cli                 the command-line companion
#   libexec/tessaform/tessaform       the desktop program itself
#   share/tessaform/                  config.ini, samples/, Tessaform.html, manual/
#   share/applications/tessaform.desktop
#   share/mime/packages/tessaform.xml  the molecule file types the entry opens
#   share/icons/hicolor/32x32/apps/tessaform.png
include(GNUInstallDirs)

set(TF_INSTALL_PROGRAMDIR ${CMAKE_INSTALL_LIBEXECDIR}/tessaform)
set(TF_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/tessaform)

install(TARGETS tessaform RUNTIME DESTINATION ${TF_INSTALL_PROGRAMDIR})
install(TARGETS tessaform-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

set(TF_SHARE_DIR ${CMAKE_CURRENT_SOURCE_DIR}/share)
install(FILES ${TF_SHARE_DIR}/config.ini DESTINATION ${TF_INSTALL_DATADIR})
install(DIRECTORY ${TF_SHARE_DIR}/samples DESTINATION ${TF_INSTALL_DATADIR})
# The manual may not be written yet; install it when it is there.
install(FILES ${TF_SHARE_DIR}/Tessaform.html DESTINATION ${TF_INSTALL_DATADIR} OPTIONAL)
install(DIRECTORY ${TF_SHARE_DIR}/manual DESTINATION ${TF_INSTALL_DATADIR} OPTIONAL)

install(FILES packaging/tessaform.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES packaging/tessaform-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
  RENAME tessaform.xml)
install(FILES packaging/tessaform.png
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/32x32/apps)

# The launcher reaches the program and the data folder through paths relative
# to its own folder. Relative install directories are measured under a
# stand-in prefix, so the paths hold wherever the tree is installed or moved.
function(tf_under_prefix out dir)
  if(IS_ABSOLUTE "${dir}")
    set(${out} "${dir}" PARENT_SCOPE)
  else()
    set(${out} "/prefix/${dir}" PARENT_SCOPE)
  endif()
endfunction()
tf_under_prefix(tf_bin ${CMAKE_INSTALL_BINDIR})
tf_under_prefix(tf_program ${TF_INSTALL_PROGRAMDIR}/tessaform)
tf_under_prefix(tf_data ${TF_INSTALL_DATADIR})
file(RELATIVE_PATH TF_LAUNCHER_TO_PROGRAM ${tf_bin} ${tf_program})
file(RELATIVE_PATH TF_LAUNCHER_TO_DATA ${tf_bin} ${tf_data})
set(TF_LAUNCHER ${CMAKE_CURRENT_BINARY_DIR}/packaging/tessaform)
configure_file(packaging/tessaform.sh.in ${TF_LAUNCHER} @ONLY)
install(PROGRAMS ${TF_LAUNCHER} DESTINATION ${CMAKE_INSTALL_BINDIR})
