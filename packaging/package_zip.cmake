# Makes the zip a user downloads: the stripped programs, the help file and a
# short text on where the data files live. The debug symbols of both programs
# stay beside the zip, in a folder of their own, for crash analysis; each
# stripped program names its symbol file (.gnu_debuglink).
#
# cmake -DOBJCOPY=... -DPROGRAM=... -DDATA_TOOL=... -DHELP=... -DREADME=...
#       -DOUT_DIR=... -DVERSION=... -P package_zip.cmake
foreach(var OBJCOPY PROGRAM DATA_TOOL HELP README OUT_DIR VERSION)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "package_zip: ${var} is not set")
  endif()
endforeach()

set(name zandrel-${VERSION})
set(stage ${OUT_DIR}/${name})
set(symbols ${OUT_DIR}/${name}-symbols)
file(REMOVE_RECURSE ${stage} ${symbols} ${OUT_DIR}/${name}.zip)
file(MAKE_DIRECTORY ${stage} ${symbols})

function(strip_into program)
  get_filename_component(file ${program} NAME)
  execute_process(COMMAND ${OBJCOPY} --only-keep-debug ${program} ${symbols}/${file}.debug
                  COMMAND_ERROR_IS_FATAL ANY)
  execute_process(COMMAND ${OBJCOPY} --strip-all --add-gnu-debuglink=${symbols}/${file}.debug
                          ${program} ${stage}/${file}
                  COMMAND_ERROR_IS_FATAL ANY)
endfunction()

strip_into(${PROGRAM})
strip_into(${DATA_TOOL})
file(COPY ${HELP} DESTINATION ${stage})
file(COPY ${README} DESTINATION ${stage})

execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${OUT_DIR}/${name}.zip --format=zip
                        zandrel.exe zandrel.chm zandrel-data.exe README.txt
                WORKING_DIRECTORY ${stage} COMMAND_ERROR_IS_FATAL ANY)
file(REMOVE_RECURSE ${stage})
message(STATUS "${OUT_DIR}/${name}.zip, symbols in ${symbols}")
