# The Windows setup program (cpack -G NSIS; scripts/package-windows.sh makes it). It packs the
# program folder that the script stages for the zip, given as CPACK_INSTALLED_DIRECTORIES, so
# that the zip and the setup program hold the same files. The NSIS script is our own
# (windows/NSIS.template.in): a 64-bit Unicode setup, which Wine runs too.

set(CPACK_GENERATOR NSIS)
set(CPACK_INSTALL_CMAKE_PROJECTS "")
set(CPACK_PACKAGE_NAME affiliate-vantor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "${VANTOR_COMPANY}")
set(CPACK_PACKAGE_FILE_NAME affiliate-vantor-${PROJECT_VERSION}-windows-x64-setup)
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Affiliate Vantor")
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY "Affiliate Vantor")
set(CPACK_NSIS_DISPLAY_NAME "Affiliate Vantor")
set(CPACK_NSIS_PACKAGE_NAME "Affiliate Vantor")
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/src/ui/icon/affiliate-vantor.ico)
set(CPACK_NSIS_HELP_LINK "${VANTOR_HELP_URL}")
# Read by the template; CPack hands every CPACK_ variable to it.
math(EXPR minor "${PROJECT_VERSION_MINOR}")
set(CPACK_VANTOR_VERSION_DOTS "${PROJECT_VERSION_MAJOR}.${minor}.0.0")
set(CPACK_VANTOR_RUNNING_COPY_NAME "${VANTOR_RUNNING_COPY_NAME}")
set(CPACK_VANTOR_INSTALLED_COPY_MARKER ${VANTOR_INSTALLED_COPY_MARKER})

list(PREPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR}/windows)
include(CPack)
