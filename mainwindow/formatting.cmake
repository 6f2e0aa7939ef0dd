# The formatting toolbar of the main window.
target_sources(zandrel_core PRIVATE text_format.cpp)
target_sources(core_tests PRIVATE tests/text_format_test.cpp)

if(WIN32)
  target_sources(zandrel_shell PRIVATE formatting_toolbar.cpp)
  target_link_libraries(zandrel_shell PUBLIC comdlg32)
  target_sources(shell_tests PRIVATE tests/formatting_toolbar_test.cpp)
endif()
