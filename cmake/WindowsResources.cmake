# The Windows resources of a program: the icon, a VERSIONINFO with the product's details and an
# application manifest (per-monitor DPI awareness v2, common controls 6, long paths, Windows 10
# and 11, run as the invoker).

set(VANTOR_COMPANY "Affiliate Vantor" CACHE STRING
    "Who ships the build: the company of the programs' details and the setup program's publisher")

# Text for a quoted string of a resource script: a quote is doubled there.
function(vantor_rc_text output text)
    string(REPLACE "\"" "\"\"" text "${text}")
    set(${output} "${text}" PARENT_SCOPE)
endfunction()

function(vantor_windows_resources target description)
    set(VANTOR_RC_NAME ${target})
    set(VANTOR_RC_FILE_NAME ${target}.exe)
    vantor_rc_text(VANTOR_RC_DESCRIPTION "${description}")
    vantor_rc_text(VANTOR_RC_COMPANY "${VANTOR_COMPANY}")
    vantor_rc_text(VANTOR_RC_COPYRIGHT "Copyright (C) ${VANTOR_COMPANY}")
    set(VANTOR_RC_ICON ${PROJECT_SOURCE_DIR}/src/ui/icon/affiliate-vantor.ico)
    # "1.01" is 1.1.0.0 in the numeric fields.
    math(EXPR minor "${PROJECT_VERSION_MINOR}")
    set(VANTOR_RC_VERSION_COMMAS "${PROJECT_VERSION_MAJOR},${minor},0,0")
    set(VANTOR_RC_VERSION_DOTS "${PROJECT_VERSION_MAJOR}.${minor}.0.0")
    set(folder ${CMAKE_CURRENT_BINARY_DIR}/resources/${target})
    set(VANTOR_RC_MANIFEST ${folder}/${target}.manifest)
    configure_file(${PROJECT_SOURCE_DIR}/cmake/windows/Program.manifest.in ${VANTOR_RC_MANIFEST}
        @ONLY)
    configure_file(${PROJECT_SOURCE_DIR}/cmake/windows/Program.rc.in ${folder}/${target}.rc @ONLY)
    target_sources(${target} PRIVATE ${folder}/${target}.rc)
    # windres reads the files the script names only when it runs, so a changed one rebuilds.
    set_source_files_properties(${folder}/${target}.rc PROPERTIES OBJECT_DEPENDS
        "${VANTOR_RC_ICON};${VANTOR_RC_MANIFEST}")
endfunction()
