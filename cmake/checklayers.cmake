# Fails when a file includes a header of a higher layer. Run by the build (target
# layer_check) with -DSOURCE_DIR=... -DSTAMP=...; the layers, lowest first:
#   core        settings, deployment, the request road, form bodies, the message-box seam
#   photostore  records, albums, files, images, thumbnail jobs
#   windows     the windows of every subsystem (app/ without main.cpp, order/, workspace/, ...)
# main.cpp, tests, benchmarks and the stand-in sit on top and may include anything.
set(layer_core core)
set(layer_photostore photostore)
set(layer_windows app order workspace viewer products Calendar delivery sheets submit productchanges tools
    exchange upload video)

function(rank_of folder out)
  set(rank -1)
  foreach(layer core photostore windows)
    math(EXPR index "${rank} + 1")
    list(FIND layer_${layer} "${folder}" found)
    if(NOT found EQUAL -1)
      set(${out} ${index} PARENT_SCOPE)
      return()
    endif()
    set(rank ${index})
  endforeach()
  set(${out} -1 PARENT_SCOPE)
endfunction()

set(errors "")
foreach(folder ${layer_core} ${layer_photostore} ${layer_windows})
  file(GLOB files ${SOURCE_DIR}/${folder}/*.h ${SOURCE_DIR}/${folder}/*.cpp)
  rank_of(${folder} own)
  foreach(file ${files})
    if(file MATCHES "/app/main\\.cpp$")
      continue()
    endif()
    file(STRINGS ${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"/]+/")
    foreach(line ${lines})
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"/]+)/.*" "\\1" target "${line}")
      rank_of(${target} other)
      if(other GREATER own)
        file(RELATIVE_PATH rel ${SOURCE_DIR} ${file})
        string(APPEND errors "  ${rel}: ${line}\n")
      endif()
    endforeach()
  endforeach()
endforeach()

if(errors)
  message(FATAL_ERROR "A lower layer includes a higher one (core < photostore < windows):\n${errors}")
endif()
file(WRITE ${STAMP} "ok\n")
