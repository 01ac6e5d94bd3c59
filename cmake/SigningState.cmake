# Writes STATE, the signing settings of this process's environment, when it
# does not hold them already, and says what the build now does. Stops when a
# certificate is named but cannot be used, before any program is made.
# Included at configure time and run with -P at every build.
set(state "")
foreach(name VELORIX_SIGN_PFX VELORIX_SIGN_PASSWORD_FILE VELORIX_SIGN_TIMESTAMP_URL)
  string(APPEND state "${name}=$ENV{${name}}\n")
endforeach()

set(pfx "$ENV{VELORIX_SIGN_PFX}")
set(password "$ENV{VELORIX_SIGN_PASSWORD_FILE}")
if(NOT pfx STREQUAL "")
  if(NOT EXISTS "${pfx}" OR IS_DIRECTORY "${pfx}")
    message(FATAL_ERROR "VELORIX_SIGN_PFX names \"${pfx}\", which is no file: "
                        "set it to the certificate, or unset it to build unsigned.")
  endif()
  if(NOT password STREQUAL "" AND (NOT EXISTS "${password}" OR IS_DIRECTORY "${password}"))
    message(FATAL_ERROR "VELORIX_SIGN_PASSWORD_FILE names \"${password}\", which is no file.")
  endif()
  if(NOT OSSLSIGNCODE)
    message(FATAL_ERROR "VELORIX_SIGN_PFX is set, but osslsigncode was not found when this "
                        "build folder was configured: install it and configure again.")
  endif()
endif()

set(stored "")
if(EXISTS "${STATE}")
  file(READ "${STATE}" stored)
endif()
if(NOT stored STREQUAL state)
  if(pfx STREQUAL "")
    message(STATUS "Not signing: VELORIX_SIGN_PFX is not set in this build's environment")
  else()
    message(STATUS "Signing with ${pfx}, from this build's environment")
  endif()
  file(WRITE "${STATE}" "${state}")
endif()
