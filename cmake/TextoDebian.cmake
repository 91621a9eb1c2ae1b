# Running text taken from Debian's packages by a script of scripts/ into a folder of the build:
# `script CARPETA` writes it, a stamp file marks it done, and the target `objetivo` (part of
# palavrix_data) makes it again only when it is missing or the script changed. Generated, never
# committed. Sets <objetivo>_STAMP, the stamp file, for commands that read the text.
function(palavrix_texto_debian objetivo script carpeta comentario)
  set(stamp ${carpeta}/.hecho)
  add_custom_command(OUTPUT ${stamp}
    COMMAND ${script} ${carpeta}
    COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
    DEPENDS ${script}
    COMMENT "${comentario}"
    VERBATIM)
  add_custom_target(${objetivo} DEPENDS ${stamp})
  add_dependencies(palavrix_data ${objetivo})
  set(${objetivo}_STAMP ${stamp} PARENT_SCOPE)
endfunction()
