# Escreve SAIDA com a versao do experimenta: a do projeto e o commit de onde foi
# compilado (com "-modificado" se a arvore tinha mudancas). Roda a cada
# compilacao e so reescreve o arquivo quando o texto muda.
set(versao "${VERSAO}")
find_package(Git QUIET)
if(GIT_FOUND)
  execute_process(COMMAND "${GIT_EXECUTABLE}" -C "${FONTES}" describe --always --dirty=-modificado
                  OUTPUT_VARIABLE commit OUTPUT_STRIP_TRAILING_WHITESPACE
                  RESULT_VARIABLE falhou ERROR_QUIET)
  if(falhou EQUAL 0 AND commit)
    set(versao "${versao}+${commit}")
  endif()
endif()
set(texto "#define VERSAO_EXPERIMENTA \"${versao}\"\n")
if(EXISTS "${SAIDA}")
  file(READ "${SAIDA}" anterior)
endif()
if(NOT "${anterior}" STREQUAL "${texto}")
  file(WRITE "${SAIDA}" "${texto}")
endif()
