# Run at build time: turns one scdoc page into compressed roff.
# In: SCDOC, SOURCE_DATE_EPOCH (the release date, so the page's date holds
# still), IN (the .scd file), OUT (the .1.gz to write).
set(ENV{SOURCE_DATE_EPOCH} ${SOURCE_DATE_EPOCH})
execute_process(COMMAND ${SCDOC} INPUT_FILE ${IN} OUTPUT_FILE ${OUT}.roff COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND gzip -9n INPUT_FILE ${OUT}.roff OUTPUT_FILE ${OUT} COMMAND_ERROR_IS_FATAL ANY)
file(REMOVE ${OUT}.roff)
