# Fails when a file of the core includes a Qt header.
file(GLOB core_files "${CORE_DIR}/*.h" "${CORE_DIR}/*.cpp")
foreach(f IN LISTS core_files)
  file(STRINGS "${f}" hits REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](Q[A-Za-z]|qt)")
  if(hits)
    message(FATAL_ERROR "${f} includes Qt (${hits}); the core must stay free of the toolkit.")
  endif()
endforeach()
