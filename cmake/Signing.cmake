# Authenticode signing when a code-signing certificate is given: a PKCS#12
# file, the file holding its password and, optionally, a time-stamp server,
# taken from the environment of each build (not of the configure run, so a
# build folder never keeps signing after the variables are gone, nor stays
# unsigned once they are set). Every finished program of the build
# (Velorix.exe, the uninstaller, the setup) passes through the script
# written here, which signs it in place when the build's environment names
# a certificate and leaves it alone otherwise.
#
# VELORIX_SIGNING_STATE holds the environment's signing settings; the
# target velorix_signing_state rewrites it at every build when they changed,
# and the programs depend on it, so they are made again, signed or not, as
# the environment now says.
find_program(OSSLSIGNCODE osslsigncode)
set(VELORIX_SIGNING_STATE ${CMAKE_BINARY_DIR}/signing-state.txt)

# Earlier build folders kept the settings in the cache, where they would
# only mislead.
foreach(name VELORIX_SIGN_PFX VELORIX_SIGN_PASSWORD_FILE VELORIX_SIGN_TIMESTAMP_URL)
  if(DEFINED CACHE{${name}})
    if(NOT "$CACHE{${name}}" STREQUAL "$ENV{${name}}")
      message(WARNING "${name} was kept in this build folder's cache as \"$CACHE{${name}}\"; "
                      "signing follows the environment of each build, which holds "
                      "\"$ENV{${name}}\".")
    endif()
    unset(${name} CACHE)
  endif()
endforeach()

function(velorix_write_signing_state)
  set(STATE ${VELORIX_SIGNING_STATE})
  include(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/SigningState.cmake)
endfunction()
velorix_write_signing_state()
add_custom_target(velorix_signing_state
  COMMAND ${CMAKE_COMMAND} -DSTATE=${VELORIX_SIGNING_STATE} -DOSSLSIGNCODE=${OSSLSIGNCODE}
          -P ${CMAKE_CURRENT_LIST_DIR}/SigningState.cmake
  BYPRODUCTS ${VELORIX_SIGNING_STATE}
  VERBATIM)

set(VELORIX_FINALIZE ${CMAKE_BINARY_DIR}/finalize.sh)
configure_file(${CMAKE_CURRENT_LIST_DIR}/finalize.sh.in ${VELORIX_FINALIZE} @ONLY)
