# ORVELLE_SANITIZE=address,undefined builds every target with those sanitizers.
if(ORVELLE_SANITIZE)
  add_compile_options(-fsanitize=${ORVELLE_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=${ORVELLE_SANITIZE})
endif()

# Fuzzing builds instrument every library for coverage; the fuzz targets add the libFuzzer driver.
if(ORVELLE_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()
