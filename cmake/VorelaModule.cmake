# vorela_module(<target> [QT] [DEPENDS <libraries>...])
# Builds every .cpp file of the calling folder (not its subfolders) into one static library.
# QT runs moc and rcc over the folder (Q_OBJECT classes, .qrc resources).
# A folder without sources yet gives an interface library, so dependants link it unchanged.
function(vorela_module target)
    cmake_parse_arguments(ARG "QT" "" "DEPENDS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp"
                                        "${CMAKE_CURRENT_SOURCE_DIR}/*.qrc")
    if(sources)
        add_library(${target} STATIC ${sources})
        target_include_directories(${target} PUBLIC "${PROJECT_SOURCE_DIR}/src")
        target_link_libraries(${target} PUBLIC ${ARG_DEPENDS})
        if(ARG_QT)
            set_target_properties(${target} PROPERTIES AUTOMOC ON AUTORCC ON)
        endif()
    else()
        add_library(${target} INTERFACE)
        target_include_directories(${target} INTERFACE "${PROJECT_SOURCE_DIR}/src")
        target_link_libraries(${target} INTERFACE ${ARG_DEPENDS})
    endif()
endfunction()

# vorela_test_suite(<folder> [QT] [DEPENDS <libraries>...])
# One GoogleTest executable, test_<folder with / as _>, from tests/<folder>/*.cpp.
function(vorela_test_suite folder)
    cmake_parse_arguments(ARG "QT" "" "DEPENDS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp")
    if(NOT sources)
        return()
    endif()
    string(REPLACE "/" "_" name "test_${folder}")
    add_executable(${name} ${sources})
    target_link_libraries(${name} PRIVATE ${ARG_DEPENDS} vorela_testsupport GTest::gtest_main
                                          GTest::gmock)
    target_include_directories(${name} PRIVATE "${CMAKE_CURRENT_SOURCE_DIR}")
    if(ARG_QT)
        set_target_properties(${name} PROPERTIES AUTOMOC ON)
    endif()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
                         PROPERTIES TIMEOUT 120 ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
