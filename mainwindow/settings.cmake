# Settings, the registry helpers and the startup shortcut.
target_sources(zandrel_core PRIVATE settings.cpp)
target_sources(core_tests PRIVATE tests/settings_tests.cpp)

if(WIN32)
  target_sources(zandrel_shell PRIVATE registry.cpp comune.cpp)
  target_link_libraries(zandrel_shell PUBLIC advapi32 ole32 uuid)
endif()
