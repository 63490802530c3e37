# zephlin_widgets_library(<name> SOURCES <files>... [LIBRARIES <targets>...])
#
# A Qt widgets library (<subsystem>_widgets, common_widgets): a static
# library with moc run on its headers, built on Qt Widgets and the given
# libraries (normally the subsystem's own core). Its headers are included by
# their path below app/, like every other header of the program.
function(zephlin_widgets_library name)
    cmake_parse_arguments(PARSE_ARGV 1 LIB "" "" "LIBRARIES;SOURCES")
    add_library(${name} STATIC ${LIB_SOURCES})
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
    target_link_libraries(${name} PUBLIC Qt6::Widgets ${LIB_LIBRARIES})
endfunction()
