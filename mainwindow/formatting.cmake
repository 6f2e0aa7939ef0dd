# The formatting toolbar of the main window.
if(WIN32)
  target_sources(zandrel_shell PRIVATE formatting_toolbar.cpp)
  target_link_libraries(zandrel_shell PUBLIC comdlg32)
  target_sources(shell_tests PRIVATE tests/formatting_toolbar_test.cpp)
endif()
