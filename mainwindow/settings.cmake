# Settings, the registry helpers and the startup shortcut.
target_sources(zandrel_core PRIVATE settings.cpp)
target_sources(core_tests PRIVATE tests/settings_tests.cpp)

if(WIN32)
  target_sources(zandrel_shell PRIVATE registry.cpp comune.cpp)
  target_link_libraries(zandrel_shell PUBLIC advapi32 ole32 uuid)

  # Registry and shell-link tests against Wine's registry and real link files.
  add_executable(registry_tests tests/registry_tests.cpp tests/comune_tests.cpp)
  target_link_libraries(registry_tests PRIVATE zandrel_shell ${ZANDREL_GTEST})
  add_test(NAME registry_tests COMMAND registry_tests)
endif()
