# BV_SANITIZE=address,undefined or BV_SANITIZE=thread instruments every target.
set(BV_SANITIZE "" CACHE STRING "Sanitizers to build with: address,undefined | thread")
if(BV_SANITIZE)
    message(STATUS "Sanitizers: ${BV_SANITIZE}")
    add_compile_options(-fsanitize=${BV_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=${BV_SANITIZE})
    add_compile_definitions(BV_SANITIZED)
endif()
