# cmake -DGZIP=gzip -DINPUT=file -DOUTPUT=file.gz -P Gzip.cmake
# The best compression and no name or time stamp inside, so the same input always gives the
# same bytes (Debian's rule for compressed documentation).
execute_process(COMMAND ${GZIP} -9 -n -c INPUT_FILE ${INPUT} OUTPUT_FILE ${OUTPUT} COMMAND_ERROR_IS_FATAL ANY)
