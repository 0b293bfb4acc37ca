# Compiles every level named in the order file into OUT_DIR and writes the
# level list OUT_DIR/levels.m3u in that order, with Windows line ends.
file(STRINGS ${ORDER_FILE} order_lines)
file(MAKE_DIRECTORY ${OUT_DIR})
set(list_text "#EXTM3U\r\n")
foreach(line ${order_lines})
    string(STRIP "${line}" name)
    if(name STREQUAL "" OR name MATCHES "^#")
        continue()
    endif()
    execute_process(
        COMMAND ${SCENE_TOOL} build ${SOURCE_DIR}/${name}.level ${OUT_DIR}/${name}.dme
        RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "level ${name} does not compile")
    endif()
    string(APPEND list_text "#EXTINF:0,${name}\r\nLevels/${name}.dme\r\n")
endforeach()
file(WRITE ${OUT_DIR}/levels.m3u "${list_text}")
