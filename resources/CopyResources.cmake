# cmake -DSOURCE=<resources> -DDEST=<bin> -P CopyResources.cmake
# Copies the run-time resource folders that exist now (checked at build time,
# so a folder added later needs no reconfigure).
foreach(folder skin DefaultData SDK)
  if(IS_DIRECTORY "${SOURCE}/${folder}")
    file(COPY "${SOURCE}/${folder}" DESTINATION "${DEST}")
  endif()
endforeach()
