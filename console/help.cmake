# SPDX-License-Identifier: GPL-3.0-or-later
# The help page lies beside the executable, where the "?" button opens it.
# Included from console/CMakeLists.txt.
brevanto_beside_program(brevanto_help ${CMAKE_CURRENT_LIST_DIR}/help.html help.html)
install(FILES help.html DESTINATION ${BREVANTO_INSTALL_APPDIR})
