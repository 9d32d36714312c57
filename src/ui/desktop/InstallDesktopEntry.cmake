# Runs at install time: writes the menu entry with the installed program's full path and
# installs it. Expects VANTOR_DESKTOP_TEMPLATE, VANTOR_DESKTOP_STAGING and VANTOR_DESKTOP_DATA_DIR.

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
configure_file("${VANTOR_DESKTOP_TEMPLATE}" "${VANTOR_DESKTOP_STAGING}" @ONLY)

if(IS_ABSOLUTE "${VANTOR_DESKTOP_DATA_DIR}")
    set(data_dir "${VANTOR_DESKTOP_DATA_DIR}")
else()
    set(data_dir "${CMAKE_INSTALL_PREFIX}/${VANTOR_DESKTOP_DATA_DIR}")
endif()
file(INSTALL "${VANTOR_DESKTOP_STAGING}" DESTINATION "${data_dir}/applications")
