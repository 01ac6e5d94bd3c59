# Authenticode signing when a code-signing certificate is given: a PKCS#12
# file, the file holding its password and, optionally, a time-stamp server,
# taken from the environment when a build folder is first configured. Every
# finished program of the build (Velorix.exe, the uninstaller, the setup)
# passes through the script written here: it signs the file in place when
# there is a certificate and leaves it alone otherwise.
set(VELORIX_SIGN_PFX "$ENV{VELORIX_SIGN_PFX}" CACHE FILEPATH
    "PKCS#12 code-signing certificate; empty: nothing is signed")
set(VELORIX_SIGN_PASSWORD_FILE "$ENV{VELORIX_SIGN_PASSWORD_FILE}" CACHE FILEPATH
    "File holding the certificate's password")
set(VELORIX_SIGN_TIMESTAMP_URL "$ENV{VELORIX_SIGN_TIMESTAMP_URL}" CACHE STRING
    "RFC 3161 time-stamp server; empty: signatures carry no time stamp")

set(VELORIX_SIGN_COMMAND "")
if(VELORIX_SIGN_PFX)
  find_program(OSSLSIGNCODE osslsigncode REQUIRED)
  set(VELORIX_SIGN_COMMAND "'${OSSLSIGNCODE}' sign -h sha256 -n Velorix -pkcs12 '${VELORIX_SIGN_PFX}'")
  if(VELORIX_SIGN_PASSWORD_FILE)
    string(APPEND VELORIX_SIGN_COMMAND " -readpass '${VELORIX_SIGN_PASSWORD_FILE}'")
  endif()
  if(VELORIX_SIGN_TIMESTAMP_URL)
    string(APPEND VELORIX_SIGN_COMMAND " -ts '${VELORIX_SIGN_TIMESTAMP_URL}'")
  endif()
  message(STATUS "Signing with ${VELORIX_SIGN_PFX}")
endif()
set(VELORIX_FINALIZE ${CMAKE_BINARY_DIR}/finalize.sh)
configure_file(${CMAKE_CURRENT_LIST_DIR}/finalize.sh.in ${VELORIX_FINALIZE} @ONLY)
