# cmake -DBUILD=<build folder> -DDESTINO=<folder> -P Instalar.cmake
# A fresh installation of the build for the tests that read it (Instalacion.*): what was left by
# an earlier run goes first, so every run reads what this build installs.
file(REMOVE_RECURSE "${DESTINO}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD}" --prefix "${DESTINO}"
  RESULT_VARIABLE resultado)
if(NOT resultado EQUAL 0)
  message(FATAL_ERROR "cmake --install ${BUILD} failed: ${resultado}")
endif()
