# Every target of the project compiles warning-free.
add_compile_options(-Wall -Wextra -Werror)
