# presetor_module(TARGET NAME SOURCE LIBRARY): a module the program loads at its first need
# (app/ProgramModule.h), built beside the programs as libNAME.so. Only its entry point is
# visible; the static libraries it links stay inside it.
function(presetor_module target name source library)
    add_library(${target} MODULE ${source})
    set_target_properties(${target} PROPERTIES
        OUTPUT_NAME ${name}
        CXX_VISIBILITY_PRESET hidden
        VISIBILITY_INLINES_HIDDEN ON
        LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/src)
    target_link_libraries(${target} PRIVATE ${library} -Wl,--exclude-libs,ALL)
endfunction()
