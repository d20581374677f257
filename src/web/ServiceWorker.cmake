# Writes ${SITE}/sw.js from ${TEMPLATE}, its cache named after the hash of the site's files
# (${FILES}, comma-separated, sw.js aside), so that a new build replaces the cached app and an
# unchanged one keeps it.
string(REPLACE "," ";" files "${FILES}")
list(SORT files)
set(hashes "")
foreach(file ${files})
  file(SHA256 ${SITE}/${file} hash)
  string(APPEND hashes "${file} ${hash}\n")
endforeach()
string(SHA256 QUARVEL_WEB_HASH "${hashes}")
# The files to cache: the whole site, the page's own address first.
set(QUARVEL_WEB_FILES "'./'")
foreach(file ${files})
  string(APPEND QUARVEL_WEB_FILES ", '${file}'")
endforeach()
string(SUBSTRING ${QUARVEL_WEB_HASH} 0 16 QUARVEL_WEB_HASH)
configure_file(${TEMPLATE} ${SITE}/sw.js @ONLY)
