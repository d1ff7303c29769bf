# Warnings every target of the project is built with; the tree is kept clean of them.
function(bv_set_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra)
endfunction()
