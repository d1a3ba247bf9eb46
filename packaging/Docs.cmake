# Documents installed with the programs: the manual pages in share/man/man1,
# and the copyright file and the changelog in share/doc/cantorel, where
# Debian looks for them. Compressed as dpkg wants them: best compression, no
# name or time stamp inside, so the same sources make the same bytes.

set(CANTOREL_DOC_OUT ${CMAKE_BINARY_DIR}/doc)

# cantorel_gzip_doc(<source> <name>): <name>.gz in the documents' build folder.
function(cantorel_gzip_doc source name)
  set(gz ${CANTOREL_DOC_OUT}/${name}.gz)
  add_custom_command(OUTPUT ${gz}
                     COMMAND ${CMAKE_COMMAND} -E copy ${source} ${CANTOREL_DOC_OUT}/${name}
                     COMMAND gzip -9nf ${CANTOREL_DOC_OUT}/${name}
                     DEPENDS ${source})
  set_property(GLOBAL APPEND PROPERTY CANTOREL_DOCS ${gz})
endfunction()

# The pages carry the version and the date of the changelog's latest entry.
set(CANTOREL_CHANGELOG ${CMAKE_CURRENT_LIST_DIR}/changelog)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CANTOREL_CHANGELOG})
file(STRINGS ${CANTOREL_CHANGELOG} trailers REGEX "^ -- ")
list(GET trailers 0 latest)
string(REGEX REPLACE ".*, ([0-9]+ [A-Z][a-z]+ [0-9]+) .*" "\\1" CANTOREL_MAN_DATE "${latest}")

set(pages Cantorel Cantorel_Screen_Saver cantorel-lyrics)
foreach(page ${pages})
  configure_file(${CMAKE_SOURCE_DIR}/data/man/${page}.1.in ${CANTOREL_DOC_OUT}/man/${page}.1 @ONLY)
  cantorel_gzip_doc(${CANTOREL_DOC_OUT}/man/${page}.1 ${page}.1)
  install(FILES ${CANTOREL_DOC_OUT}/${page}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()

cantorel_gzip_doc(${CANTOREL_CHANGELOG} changelog)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright ${CANTOREL_DOC_OUT}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/cantorel)

get_property(docs GLOBAL PROPERTY CANTOREL_DOCS)
add_custom_target(cantorel_doc ALL DEPENDS ${docs})
