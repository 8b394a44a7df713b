# The hardening Debian builds its own packages with, for Release builds:
# checked libc calls (_FORTIFY_SOURCE), a stack protector, and a relocation
# table that is bound at start and then made read-only. Executables are
# position-independent by the compiler's default already. Other build types
# stay as they are: the sanitizers and the fuzzer bring checks of their own.
set(apqr_release "$<CONFIG:Release>")
# A packager's flags (dpkg-buildflags) may set the fortification level.
if(NOT "${CMAKE_CXX_FLAGS} ${CMAKE_CXX_FLAGS_RELEASE}" MATCHES "_FORTIFY_SOURCE")
  add_compile_definitions("$<${apqr_release}:_FORTIFY_SOURCE=2>")
endif()
add_compile_options("$<${apqr_release}:-fstack-protector-strong>")
add_link_options("$<${apqr_release}:LINKER:-z,relro,-z,now>")
