# zephlin_widgets_library(<name> SOURCES <files>... [LIBRARIES <targets>...])
#
# A subsystem's Qt widgets library (<subsystem>_widgets): a static library
# with moc run on its headers, built on Qt Widgets and the given libraries
# (normally the subsystem's own <subsystem>_core). Its folder is on the
# include path of every target that links it.
function(zephlin_widgets_library name)
    cmake_parse_arguments(PARSE_ARGV 1 LIB "" "" "LIBRARIES;SOURCES")
    add_library(${name} STATIC ${LIB_SOURCES})
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
    target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC Qt6::Widgets ${LIB_LIBRARIES})
endfunction()
