# The sample company and the staging of the program folder.
#
# 1. The sample company's twelve data files are built from the CSV sources in data/sample/ by
#    tools/quorvale_make_sample into ${CMAKE_BINARY_DIR}/sample/Test_database/, whenever a source or
#    the tool changes; the shipped settings file is copied beside it (build/sample/Quorvale.ini).
# 2. On every build, cmake/StageProgramFolder.cmake copies them into the program folder where they
#    are absent (never over what the user has there) and refreshes the language file.

set(QUORVALE_SAMPLE_DIR ${CMAKE_BINARY_DIR}/sample)

set(QUORVALE_SAMPLE_NAMES
    Produtos MateriasPrimas Fornecedores Clientes Equipamentos StockMateria StockProduto
    MovimMateria MovimProduto EncomProduto EncomMateria HorasProducao)
set(QUORVALE_SAMPLE_CSV "")
set(QUORVALE_SAMPLE_DAT "")
foreach(name ${QUORVALE_SAMPLE_NAMES})
  list(APPEND QUORVALE_SAMPLE_CSV ${CMAKE_SOURCE_DIR}/data/sample/${name}.csv)
  list(APPEND QUORVALE_SAMPLE_DAT ${QUORVALE_SAMPLE_DIR}/Test_database/${name}.DAT)
endforeach()

add_custom_command(
  OUTPUT ${QUORVALE_SAMPLE_DAT} ${QUORVALE_SAMPLE_DIR}/Quorvale.ini
  COMMAND quorvale_make_sample ${CMAKE_SOURCE_DIR}/data/sample ${QUORVALE_SAMPLE_DIR}/Test_database
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/data/Quorvale.ini ${QUORVALE_SAMPLE_DIR}/Quorvale.ini
  DEPENDS quorvale_make_sample ${QUORVALE_SAMPLE_CSV} ${CMAKE_SOURCE_DIR}/data/Quorvale.ini
  COMMENT "Building the sample company from data/sample/*.csv"
  VERBATIM)

# Runs on every build (a target without outputs is never up to date); the script itself decides
# what to copy.
add_custom_target(quorvale_stage ALL
  COMMAND ${CMAKE_COMMAND} -DSRC=${QUORVALE_SAMPLE_DIR} -DDST=${QUORVALE_PROGRAM_DIR}
          -DLNG=${CMAKE_SOURCE_DIR}/data/Quorvale.LNG -P ${CMAKE_SOURCE_DIR}/cmake/StageProgramFolder.cmake
  DEPENDS ${QUORVALE_SAMPLE_DAT} ${QUORVALE_SAMPLE_DIR}/Quorvale.ini
  COMMENT "Staging the program folder ${QUORVALE_PROGRAM_DIR}"
  VERBATIM)
add_dependencies(quorvale quorvale_stage)

# The tests of the sample, of the staging and of the large company find the generated sample, the
# tools and cmake itself through these definitions; they are added once every test target exists.
function(quorvale_staging_test_setup)
  if(TARGET tst_bigdb AND TARGET quorvale_make_bigdb)
    add_dependencies(tst_bigdb quorvale_make_bigdb)
  endif()
  if(TARGET tst_datacli)
    add_dependencies(tst_datacli quorvale-data)
  endif()
  foreach(test tst_sample tst_staging tst_bigdb tst_datacli)
    if(TARGET ${test})
      target_compile_definitions(${test} PRIVATE
        QUORVALE_SAMPLE_DIR="${QUORVALE_SAMPLE_DIR}"
        QUORVALE_TOOLS_DIR="${CMAKE_BINARY_DIR}/tools"
        QUORVALE_CMAKE_COMMAND="${CMAKE_COMMAND}")
      add_dependencies(${test} quorvale_stage)
    endif()
  endforeach()
endfunction()
cmake_language(DEFER CALL quorvale_staging_test_setup)
