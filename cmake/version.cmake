# Writes the programs' version header at build time (cmake -P), so that a new commit is seen
# without configuring again. The version is project()'s; built from a git checkout that is not
# exactly at the tag vVERSION (a later commit, local changes, no tag), `git describe` follows it
# in brackets: "1.0.0 (git v1.0.0-3-g4c56f19-dirty)". The file is rewritten only when it changes.
#   cmake -DSOURCE_DIR=... -DVERSION=... -DTEMPLATE=... -DOUTPUT=... -P version.cmake
set(QL730_FULL_VERSION "${VERSION}")
find_package(Git QUIET)
if(GIT_FOUND AND EXISTS "${SOURCE_DIR}/.git")
    execute_process(COMMAND "${GIT_EXECUTABLE}" describe --tags --always --dirty --match "v*"
                    WORKING_DIRECTORY "${SOURCE_DIR}"
                    OUTPUT_VARIABLE described OUTPUT_STRIP_TRAILING_WHITESPACE
                    ERROR_QUIET RESULT_VARIABLE failed)
    if(NOT failed AND described AND NOT described STREQUAL "v${VERSION}")
        set(QL730_FULL_VERSION "${VERSION} (git ${described})")
    endif()
endif()
configure_file("${TEMPLATE}" "${OUTPUT}.new" @ONLY)
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
