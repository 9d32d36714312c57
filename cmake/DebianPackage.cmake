# The Debian package (cpack -G DEB; scripts/package.sh builds it): the program folder in
# /opt/affiliate-vantor with the updater beside the wizard, the menu entry, icon and AppStream
# data in /usr/share, and both programs on the PATH. The layout is the package's own, whatever
# the build's install prefix.

set(VANTOR_PACKAGE_PROGRAM_DIR /opt/affiliate-vantor)

set(VANTOR_PACKAGE_LINKS affiliate-vantor-cli)
if(VANTOR_BUILD_UI)
    list(APPEND VANTOR_PACKAGE_LINKS affiliate-vantor)
endif()
# The links and the installed-copy marker are made in the package only; a plain cmake --install
# leaves the PATH alone, and its copy keeps its files in its own folder when the user can write
# it. The marker keeps each user's files (root's too) in their own folders, never in /opt, where
# they would outlive the package.
install(CODE "
    if(DEFINED VANTOR_PACKAGE_BIN_DIR)
        if(\"\$ENV{DESTDIR}\" STREQUAL \"\")
            message(FATAL_ERROR \"The package's links are made in a staging folder (DESTDIR) only.\")
        endif()
        file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${VANTOR_PACKAGE_BIN_DIR}\")
        foreach(program ${VANTOR_PACKAGE_LINKS})
            file(CREATE_LINK \"\${CMAKE_INSTALL_PREFIX}/\${program}\"
                \"\$ENV{DESTDIR}\${VANTOR_PACKAGE_BIN_DIR}/\${program}\" SYMBOLIC)
        endforeach()
        file(WRITE \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${VANTOR_INSTALLED_COPY_MARKER}\"
            \"Installed by the package: each user's files are kept in their own folders.\\n\")
    endif()")

set(CPACK_PACKAGE_NAME affiliate-vantor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Affiliate Vantor")
set(CPACK_PACKAGE_CONTACT "Affiliate Vantor <support@affiliatevantor.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "wizard that makes affiliate promotion pages")
set(CPACK_PACKAGE_DESCRIPTION
    "Affiliate Vantor turns a page title, an affiliate link and promotional material (text \
links, PPC ads, banners, signatures, emails, articles, pop-up codes) into one HTML promotion \
page, through an eleven-step wizard or the command-line generator affiliate-vantor-cli.")
set(CPACK_STRIP_FILES ON)
# Staged with DESTDIR, so that the install prefix is the final one: the menu entry names it.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX ${VANTOR_PACKAGE_PROGRAM_DIR})
set(CPACK_PACKAGING_INSTALL_PREFIX ${VANTOR_PACKAGE_PROGRAM_DIR})
set(CPACK_CUSTOM_INSTALL_VARIABLES VANTOR_PACKAGE_DATA_DIR=/usr/share VANTOR_PACKAGE_BIN_DIR=/usr/bin)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION web)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "http://www.affiliatevantor.com/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# "Help", "Make Money" and the links find the browser through xdg-utils; the updater asks for
# the password to install a new version through pkexec.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, pkexec")

include(CPack)
