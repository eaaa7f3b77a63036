# Copies data/xlor, data/xggp and data/xllt (files only, no generators) beside the programs.
foreach(kind xlor xggp xllt)
  file(GLOB files ${SRC}/${kind}/*.${kind})
  file(MAKE_DIRECTORY ${DST}/${kind})
  foreach(f IN LISTS files)
    file(COPY ${f} DESTINATION ${DST}/${kind})
  endforeach()
endforeach()
