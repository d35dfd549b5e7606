# The game's code as one object library per folder of src/: the game's floors, the seam, each
# backend and each system's services. A build links exactly the folders it names, so a backend of
# another platform is never compiled, and each folder links only the libraries it needs.

# vorblet_folder(NAME FOLDER... [EXCEPT FILE...]): the .cpp files of the folders (not of their
# subfolders), relative to src/.
function(vorblet_folder name)
    cmake_parse_arguments(PARSE_ARGV 1 ARG "" "" "EXCEPT")
    set(sources)
    foreach(folder ${ARG_UNPARSED_ARGUMENTS})
        file(GLOB found CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${folder}/*.cpp)
        list(APPEND sources ${found})
    endforeach()
    foreach(file ${ARG_EXCEPT})
        list(REMOVE_ITEM sources ${PROJECT_SOURCE_DIR}/src/${file})
    endforeach()
    add_library(${name} OBJECT ${sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
endfunction()

# The program's entry point, kept out of the folders so that tests link the rest.
set(VORBLET_ENTRY ${PROJECT_SOURCE_DIR}/src/app/main.cpp)
vorblet_folder(vorblet_game gfx sound input objects backdrop game screens app
               EXCEPT app/main.cpp app/sanitizer_defaults.cpp)
vorblet_folder(vorblet_seam platform)
vorblet_folder(vorblet_record platform/record)

# vorblet_link(TARGET FOLDER-TARGET...): every object of the folders and what they link, so that
# two definitions of one function fail to link.
function(vorblet_link target)
    foreach(folder ${ARGN})
        target_sources(${target} PRIVATE $<TARGET_OBJECTS:${folder}>)
        target_link_libraries(${target} PRIVATE ${folder})
    endforeach()
endfunction()
