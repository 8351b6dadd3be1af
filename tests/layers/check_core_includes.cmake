# Checks the layering of the sources: every header a core file includes
# with quotes lives in the core, and the image folder includes nothing from
# another folder. Run with -DSOURCE_DIR=<project>.
#
# The link graph already keeps Qt out of the core libraries; this check also
# catches a core file that reaches a window header through an include path
# someone added for convenience.

set(core ${SOURCE_DIR}/src/core)
file(GLOB_RECURSE core_headers RELATIVE ${core} ${core}/*.h)
file(GLOB_RECURSE core_files ${core}/*.h ${core}/*.cpp)

set(failures "")
foreach(file ${core_files})
    file(STRINGS ${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]+\"[^\"]+\"")
    file(RELATIVE_PATH shown ${SOURCE_DIR} ${file})
    get_filename_component(folder ${file} DIRECTORY)
    foreach(line ${includes})
        string(REGEX REPLACE "^[^\"]*\"([^\"]+)\".*$" "\\1" header "${line}")
        # Headers are included by name; find where that name lives.
        set(found "")
        foreach(candidate ${core_headers})
            get_filename_component(name ${candidate} NAME)
            if(name STREQUAL header)
                set(found ${candidate})
            endif()
        endforeach()
        if(found STREQUAL "")
            list(APPEND failures "${shown} includes \"${header}\", which is not a core header")
        elseif(folder STREQUAL "${core}/image" AND NOT found MATCHES "^image/")
            list(APPEND failures "${shown} includes \"${header}\" from outside src/core/image")
        endif()
    endforeach()
    file(STRINGS ${file} qt_includes REGEX "^[ \t]*#[ \t]*include[ \t]+<Q")
    if(qt_includes)
        list(APPEND failures "${shown} includes Qt: ${qt_includes}")
    endif()
endforeach()

if(failures)
    list(JOIN failures "\n  " text)
    message(FATAL_ERROR "Layering broken:\n  ${text}")
endif()
message(STATUS "Core includes stay in the core")
