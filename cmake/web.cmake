# The browser build: the game with the web backend, compiled by Emscripten into a static folder
# (index.html, vorblet.js, vorblet.wasm and vorblet.data with the artwork and sounds).
set(VORBLET_WEB_ASSETS "" CACHE PATH "A game folder with BMP/ and wav/, made by a native build")
set(VORBLET_WEB_OUT ${CMAKE_BINARY_DIR}/site CACHE PATH "Where the page goes")
if(NOT EXISTS ${VORBLET_WEB_ASSETS}/BMP OR NOT EXISTS ${VORBLET_WEB_ASSETS}/wav)
    message(FATAL_ERROR "VORBLET_WEB_ASSETS must name a game folder with BMP/ and wav/")
endif()

add_compile_options(-Wall -Wextra -Werror)
include(cmake/folders.cmake)
# A page has no SDL, no script and one thread: the web backend on the browser's services, which
# are POSIX's but for the thread.
set(WEB_DIR ${PROJECT_SOURCE_DIR}/src/platform/web)
vorblet_folder(vorblet_web platform/web)
vorblet_folder(vorblet_system platform/system platform/system/posix platform/system/web
               EXCEPT platform/system/posix/thread.cpp)
add_executable(vorblet ${VORBLET_ENTRY})
vorblet_link(vorblet vorblet_game vorblet_seam vorblet_web vorblet_record vorblet_system)
set_target_properties(vorblet PROPERTIES SUFFIX ".js" RUNTIME_OUTPUT_DIRECTORY ${VORBLET_WEB_OUT}
                                         LINK_DEPENDS ${WEB_DIR}/library.js)
target_link_options(vorblet PRIVATE
    -sASYNCIFY -sASYNCIFY_STACK_SIZE=262144 -sTOTAL_STACK=16MB -sINITIAL_MEMORY=64MB -sALLOW_MEMORY_GROWTH
    -sENVIRONMENT=web -sEXIT_RUNTIME=0 -lidbfs.js "SHELL:--js-library ${WEB_DIR}/library.js"
    "SHELL:--preload-file ${VORBLET_WEB_ASSETS}/BMP@/vorblet/BMP"
    "SHELL:--preload-file ${VORBLET_WEB_ASSETS}/wav@/vorblet/wav")
add_custom_command(TARGET vorblet POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy ${WEB_DIR}/index.html ${VORBLET_WEB_OUT}/index.html)
