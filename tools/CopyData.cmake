# Copies data/xlor and data/xggp (files only, no generators) beside the programs.
foreach(kind xlor xggp)
  file(GLOB files ${SRC}/${kind}/*.${kind})
  file(MAKE_DIRECTORY ${DST}/${kind})
  foreach(f IN LISTS files)
    file(COPY ${f} DESTINATION ${DST}/${kind})
  endforeach()
endforeach()
