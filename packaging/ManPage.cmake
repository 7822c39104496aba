# cmake -DSCDOC=scdoc -DGZIP=gzip -DINPUT=page.1.scd -DROFF=page.1 -DOUTPUT=page.1.gz -P ManPage.cmake
# A page in scdoc is turned into roff first; a page in roff is taken as it is.
if(INPUT MATCHES "\\.scd$")
  execute_process(COMMAND ${SCDOC} INPUT_FILE ${INPUT} OUTPUT_FILE ${ROFF} COMMAND_ERROR_IS_FATAL ANY)
else()
  configure_file(${INPUT} ${ROFF} COPYONLY)
endif()
execute_process(COMMAND ${GZIP} -9 -n -c INPUT_FILE ${ROFF} OUTPUT_FILE ${OUTPUT} COMMAND_ERROR_IS_FATAL ANY)
