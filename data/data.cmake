# The installed layout of the program's files:
#   ${ZAV_DIST_DIR}/Version.ini              version records
#   ${ZAV_PROGRAM_DIR}/language/*.ini        language texts
#   ${ZAV_PROGRAM_DIR}/Init/                 template folder (no templates shipped)
#   ${ZAV_PROGRAM_DIR}/<pictures>            splash and about pictures
# mysetup.ini is not shipped: start-up creates it.
# Files are copied at build time and again whenever a source changes; new
# files are picked up because the globs are re-checked on every build.

file(GLOB ZAV_LANGUAGE_FILES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/language/*.ini)
file(GLOB ZAV_PICTURE_FILES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/pictures/*)

set(ZAV_DATA_OUTPUTS)
function(zav_copy_data source destination)
    add_custom_command(
        OUTPUT ${destination}
        COMMAND ${CMAKE_COMMAND} -E copy ${source} ${destination}
        DEPENDS ${source}
        COMMENT "Installing ${destination}"
        VERBATIM)
    set(ZAV_DATA_OUTPUTS ${ZAV_DATA_OUTPUTS} ${destination} PARENT_SCOPE)
endfunction()

foreach(file ${ZAV_LANGUAGE_FILES})
    get_filename_component(name ${file} NAME)
    zav_copy_data(${file} ${ZAV_PROGRAM_DIR}/language/${name})
endforeach()
foreach(file ${ZAV_PICTURE_FILES})
    get_filename_component(name ${file} NAME)
    zav_copy_data(${file} ${ZAV_PROGRAM_DIR}/${name})
endforeach()
zav_copy_data(${CMAKE_CURRENT_SOURCE_DIR}/Version.ini ${ZAV_DIST_DIR}/Version.ini)

add_custom_target(zav_data ALL
    COMMAND ${CMAKE_COMMAND} -E make_directory ${ZAV_PROGRAM_DIR}/Init ${ZAV_PROGRAM_DIR}/language
    DEPENDS ${ZAV_DATA_OUTPUTS}
    VERBATIM)
