# Lays out a runnable game folder: the quarn executable beside Levels/,
# Textures/, Menu/, Music/, Sounds/, effects/ and settings.ini.
# Shipped sources come from data/, built content from the generated folder.
foreach(folder Levels Textures Menu Music Sounds effects)
    file(MAKE_DIRECTORY ${GAME_DIR}/${folder})
    foreach(source_root ${DATA_DIR} ${GENERATED_DIR})
        if(IS_DIRECTORY ${source_root}/${folder})
            file(COPY ${source_root}/${folder}/ DESTINATION ${GAME_DIR}/${folder})
        endif()
    endforeach()
endforeach()
file(COPY ${DATA_DIR}/settings.ini DESTINATION ${GAME_DIR})
file(COPY ${QUARN_EXE} DESTINATION ${GAME_DIR})
