# Warnings and sanitizers live on one INTERFACE target that every project target
# links privately, so nothing edits CMAKE_CXX_FLAGS.
option(QUILLARY_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(QUILLARY_WARNINGS_AS_ERRORS "Treat compiler warnings as errors" OFF)

add_library(quillary_options INTERFACE)
target_compile_features(quillary_options INTERFACE cxx_std_20)
target_compile_options(quillary_options INTERFACE -Wall -Wextra)
if(QUILLARY_WARNINGS_AS_ERRORS)
    target_compile_options(quillary_options INTERFACE -Werror)
endif()
if(QUILLARY_SANITIZE)
    target_compile_options(quillary_options INTERFACE
        -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(quillary_options INTERFACE -fsanitize=address,undefined)
endif()
