# Start-up code kept together. The kernel maps a program's code in 64 kB blocks around each page
# it runs, so a start that runs a few hundred functions scattered over the whole program made
# nearly all of its code resident. src/startup-functions.txt lists the functions a start and an
# idle window run (bench/startup_order.py writes it); lld links them side by side, given one
# section per function, and they fill a few blocks. Elsewhere the program links as before.
option(PRESETOR_ORDER_STARTUP "Link the start-up functions side by side (needs lld)" ON)
set(presetor_startup_functions ${PROJECT_SOURCE_DIR}/src/startup-functions.txt)
set(presetor_order_startup OFF)
if(PRESETOR_ORDER_STARTUP AND CMAKE_SYSTEM_NAME STREQUAL "Linux" AND NOT PRESETOR_SANITIZE
   AND NOT PRESETOR_FUZZ AND CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    include(CheckLinkerFlag)
    check_linker_flag(CXX "-fuse-ld=lld" presetor_have_lld)
    if(presetor_have_lld)
        set(presetor_order_startup ON)
        add_compile_options(-ffunction-sections)
    endif()
endif()

# Links TARGET with its functions in the order of the list (those not in it follow).
function(presetor_order_startup_code target)
    if(presetor_order_startup)
        target_link_options(${target} PRIVATE -fuse-ld=lld
            "LINKER:--symbol-ordering-file=${presetor_startup_functions}"
            "LINKER:--no-warn-symbol-ordering")
        set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${presetor_startup_functions})
    endif()
endfunction()
