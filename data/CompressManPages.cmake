# CPack runs this on its staging tree before packing: manual pages that an install rule
# put in uncompressed are gzip'd, as Debian packages carry them, without a time stamp.
execute_process(
  COMMAND find ${CPACK_TEMPORARY_DIRECTORY} -type f -path */share/man/man*/* ! -name *.gz
          -exec gzip -9nf {} +
  COMMAND_ERROR_IS_FATAL ANY)
