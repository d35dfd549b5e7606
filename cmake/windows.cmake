# The Windows build: the game with the headless and record backends on the Windows services,
# cross-compiled by mingw-w64 into one static program with no DLLs beside it (make windows).
set(VORBLET_WINDOWS_ASSETS "" CACHE PATH "A game folder with BMP/ and wav/, made by a native build")
set(VORBLET_WINDOWS_OUT ${CMAKE_BINARY_DIR}/windows CACHE PATH "Where the program goes")
if(NOT EXISTS ${VORBLET_WINDOWS_ASSETS}/BMP OR NOT EXISTS ${VORBLET_WINDOWS_ASSETS}/wav)
    message(FATAL_ERROR "VORBLET_WINDOWS_ASSETS must name a game folder with BMP/ and wav/")
endif()

add_compile_options(-Wall -Wextra -Werror)
include(cmake/folders.cmake)
vorblet_folder(vorblet_headless platform/headless)
vorblet_folder(vorblet_win32 platform/win32)
vorblet_folder(vorblet_system platform/system platform/system/win32)
add_executable(vorblet ${VORBLET_ENTRY})
vorblet_link(vorblet vorblet_game vorblet_seam vorblet_win32 vorblet_headless vorblet_record
             vorblet_system)
# A round keeps its whole ball table on the game thread's stack, which gets the program's size.
target_link_options(vorblet PRIVATE -static -Wl,--stack,16777216)
target_link_libraries(vorblet PRIVATE shell32 ole32 uuid)
set_target_properties(vorblet PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${VORBLET_WINDOWS_OUT})
add_custom_command(TARGET vorblet POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${VORBLET_WINDOWS_ASSETS}/BMP ${VORBLET_WINDOWS_OUT}/BMP
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${VORBLET_WINDOWS_ASSETS}/wav ${VORBLET_WINDOWS_OUT}/wav
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/LICENSE ${VORBLET_WINDOWS_OUT}/LICENSE)
