# SPDX-License-Identifier: GPL-3.0-or-later
install(TARGETS brevanto brevanto-board RUNTIME DESTINATION .)
