# Writes a depfile naming every source file of ours whose code a data generator runs, so that the
# build regenerates the data when one of them changes and only then: the generator's own sources
# and, followed transitively, each header of src/ they include with quotes together with the .cpp
# beside it (the code behind a header is what shapes the data). The list is made anew each time
# the generator runs, so an include added later is followed without anyone editing a list.
# Run with cmake -P:
#   -DSALIDA=<the output the depfile is for>  -DDEPFILE=<the depfile to write>
#   -DFUENTES=<the generator's folder>         -DSRC=<the program's src folder>
cmake_minimum_required(VERSION 3.25)

foreach(var SALIDA DEPFILE FUENTES SRC)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "DependenciasDatos.cmake: falta -D${var}")
  endif()
endforeach()

file(GLOB pendientes ${FUENTES}/*.cpp ${FUENTES}/*.h)
set(vistos)
while(pendientes)
  list(POP_FRONT pendientes archivo)
  if(archivo IN_LIST vistos)
    continue()
  endif()
  list(APPEND vistos ${archivo})
  get_filename_component(carpeta ${archivo} DIRECTORY)
  file(STRINGS ${archivo} lineas REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  foreach(linea IN LISTS lineas)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*" "\\1" nombre "${linea}")
    foreach(base ${carpeta} ${FUENTES} ${SRC})
      if(EXISTS ${base}/${nombre})
        get_filename_component(cabecera ${base}/${nombre} REALPATH)
        list(APPEND pendientes ${cabecera})
        string(REGEX REPLACE "\\.h$" ".cpp" codigo ${cabecera})
        if(NOT codigo STREQUAL cabecera AND EXISTS ${codigo})
          list(APPEND pendientes ${codigo})
        endif()
        break()
      endif()
    endforeach()
  endforeach()
endwhile()

list(SORT vistos)
set(texto "${SALIDA}:")
foreach(archivo IN LISTS vistos)
  string(REPLACE " " "\\ " archivo "${archivo}")
  string(APPEND texto " \\\n  ${archivo}")
endforeach()
file(WRITE ${DEPFILE} "${texto}\n")
