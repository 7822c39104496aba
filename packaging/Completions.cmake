# Bash completion: one file per program in src/res/completion, named for its program, in the
# folder bash-completion loads them from on demand. bash-completion's pkg-config file names
# the folder; it is taken relative to that prefix so it follows ours.
set(TQ_BASH_COMPLETION_DIR ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
pkg_get_variable(TQ_BASH_COMPLETION_FULL bash-completion completionsdir)
pkg_get_variable(TQ_BASH_COMPLETION_PREFIX bash-completion prefix)
if(TQ_BASH_COMPLETION_FULL AND TQ_BASH_COMPLETION_PREFIX
   AND TQ_BASH_COMPLETION_FULL MATCHES "^${TQ_BASH_COMPLETION_PREFIX}/(.+)$")
  set(TQ_BASH_COMPLETION_DIR ${CMAKE_MATCH_1})
endif()
file(GLOB TQ_COMPLETIONS CONFIGURE_DEPENDS ${TQ_RES}/completion/*)
install(FILES ${TQ_COMPLETIONS} DESTINATION ${TQ_BASH_COMPLETION_DIR})
