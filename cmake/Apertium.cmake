# Debian's Apertium packages and the pairs each one holds, for the build steps that read them.
set(APERTIUM_DIR /usr/share/apertium)
set(APERTIUM_PAIRS spa-eng eng-spa es-pt pt-es es-fr fr-es)

# Sets <out> to the folder of the package that holds <pair> ("spa-eng" -> .../apertium-eng-spa).
function(palavrix_apertium_folder pair out)
  if(pair MATCHES "eng")
    set(pkg apertium-eng-spa)
  elseif(pair MATCHES "pt")
    set(pkg apertium-es-pt)
  else()
    set(pkg apertium-fr-es)
  endif()
  set(${out} ${APERTIUM_DIR}/${pkg} PARENT_SCOPE)
endfunction()
