# Settings, the registry helpers and the startup shortcut.
if(WIN32)
  target_sources(zandrel_shell PRIVATE registry_settings.cpp comune.cpp)
  target_link_libraries(zandrel_shell PUBLIC advapi32 ole32 uuid)

  # Registry and shell-link tests against Wine's registry and real link files.
  target_sources(shell_tests PRIVATE tests/registry_tests.cpp tests/comune_tests.cpp)
endif()
