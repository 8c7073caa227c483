# A cross build takes the header-only packages (CLI11, nlohmann-json) from the build
# machine: their own folders only, linked into the build folder, never the machine's
# /usr/include, whose C library headers are not the target's.
set(TOLVAR_HOST_INCLUDE ${CMAKE_BINARY_DIR}/host-include)
file(MAKE_DIRECTORY ${TOLVAR_HOST_INCLUDE})
foreach(folder CLI nlohmann)
  if(NOT EXISTS /usr/include/${folder})
    message(FATAL_ERROR "/usr/include/${folder} is missing (make windows-deps installs it)")
  endif()
  file(CREATE_LINK /usr/include/${folder} ${TOLVAR_HOST_INCLUDE}/${folder} SYMBOLIC)
endforeach()
add_library(CLI11::CLI11 INTERFACE IMPORTED)
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
set_target_properties(CLI11::CLI11 nlohmann_json::nlohmann_json PROPERTIES
  INTERFACE_INCLUDE_DIRECTORIES ${TOLVAR_HOST_INCLUDE})
