# SPDX-License-Identifier: GPL-3.0-or-later
# Compiler settings shared by the program's build, the fuzzing build (fuzz/CMakeLists.txt) and
# the artwork generator (resources/artwork/CMakeLists.txt).

# Strict Qt: no implicit conversions from or to 8-bit strings, no Qt keywords as macros.
add_compile_definitions(QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_KEYWORDS
                        QT_USE_QSTRINGBUILDER QT_NO_FOREACH)

# Warnings in the dialect of the compiler in use; CMAKE_COMPILE_WARNING_AS_ERROR makes them
# errors.
if(MSVC)
    add_compile_options(/W4 /permissive-)
elseif(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    add_compile_options(-Wall -Wextra -Wpedantic)
endif()
