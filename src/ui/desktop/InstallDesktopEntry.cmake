# Runs at install time: writes the menu entry with the installed program's full path and
# installs it with the icon, the project files' type and the AppStream data. Expects VANTOR_UI_SOURCE_DIR,
# VANTOR_DESKTOP_STAGING and VANTOR_DESKTOP_DATA_DIR; the Debian package's VANTOR_PACKAGE_DATA_DIR
# takes the place of the last.

set(program "${CMAKE_INSTALL_PREFIX}/affiliate-vantor")
# A quoted Exec argument escapes \ " ` $ with a backslash; the value itself then doubles every
# backslash, and "%" stands for a field code unless doubled.
string(REPLACE "\\" "\\\\" program "${program}")
string(REPLACE "\"" "\\\"" program "${program}")
string(REPLACE "`" "\\`" program "${program}")
string(REPLACE "$" "\\$" program "${program}")
string(REPLACE "\\" "\\\\" program "${program}")
string(REPLACE "%" "%%" program "${program}")
set(VANTOR_EXEC "\"${program}\"")
configure_file("${VANTOR_UI_SOURCE_DIR}/desktop/affiliate-vantor.desktop.in"
    "${VANTOR_DESKTOP_STAGING}" @ONLY)

if(DEFINED VANTOR_PACKAGE_DATA_DIR)
    set(data_dir "${VANTOR_PACKAGE_DATA_DIR}")
elseif(IS_ABSOLUTE "${VANTOR_DESKTOP_DATA_DIR}")
    set(data_dir "${VANTOR_DESKTOP_DATA_DIR}")
else()
    set(data_dir "${CMAKE_INSTALL_PREFIX}/${VANTOR_DESKTOP_DATA_DIR}")
endif()
file(INSTALL "${VANTOR_DESKTOP_STAGING}" DESTINATION "${data_dir}/applications")
foreach(size 16 22 24 32 48 64 128 256)
    file(INSTALL DESTINATION "${data_dir}/icons/hicolor/${size}x${size}/apps" TYPE FILE
        RENAME affiliate-vantor.png FILES "${VANTOR_UI_SOURCE_DIR}/icon/affiliate-vantor-${size}.png")
endforeach()
file(INSTALL "${VANTOR_UI_SOURCE_DIR}/icon/affiliate-vantor.svg"
    DESTINATION "${data_dir}/icons/hicolor/scalable/apps")
# Project files open in the program from the desktop.
file(INSTALL "${VANTOR_UI_SOURCE_DIR}/desktop/affiliate-vantor-project.xml"
    DESTINATION "${data_dir}/mime/packages")
file(INSTALL "${VANTOR_UI_SOURCE_DIR}/desktop/com.affiliatevantor.AffiliateVantor.metainfo.xml"
    DESTINATION "${data_dir}/metainfo")
