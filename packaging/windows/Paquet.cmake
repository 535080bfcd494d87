# Windows: what the window needs beside ortix.exe, the folder that is shipped,
# its zip and its installer; included at the end of the top-level
# CMakeLists.txt in place of packaging/Paquet.cmake.
#   cmake --build --preset windows-cross --target paquet_windows
# gives, in the build folder, ortix-<version>-windows-x86_64/ (everything the
# two programs need, nothing outside it), ortix-<version>-windows-x86_64.zip
# and ortix-<version>-windows-x86_64-installation.exe (NSIS's makensis).

if(NOT ORTIX_GUI)
    # ortix-batch.exe alone runs anywhere as it is: nothing to gather around it.
    return()
endif()

set(ORTIX_PAQUET ortix-${PROJECT_VERSION}-windows-x86_64)

# ---- beside ortix.exe: Qt's DLLs and plugins, MinGW's runtime ---------------
# Qt's DLLs are linked against MinGW's shared runtime, which is shipped with
# them (see the link options at the top of CMakeLists.txt).
set(dll)
foreach(module Core Gui Widgets)
    list(APPEND dll $<TARGET_FILE:Qt6::${module}>)
endforeach()
foreach(runtime libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${runtime}
        OUTPUT_VARIABLE fichier OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${fichier}" OR NOT EXISTS "${fichier}")
        message(FATAL_ERROR "${runtime}, de MinGW-w64, est introuvable (${CMAKE_CXX_COMPILER}).")
    endif()
    list(APPEND dll ${fichier})
endforeach()
# Qt loads a platform plugin even offscreen, and wants both of these to do it.
set(plateformes $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin>
    $<TARGET_FILE:Qt6::QOffscreenIntegrationPlugin>)
set(styles $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin>)

# The programs of the build tree that link Qt (ortix.exe, the window's tests)
# find the same files beside them, so that they run there, under Wine too.
set(dossiers)
set(avecQt)
foreach(repertoire ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests)
    if(IS_DIRECTORY ${repertoire})
        get_property(cibles DIRECTORY ${repertoire} PROPERTY BUILDSYSTEM_TARGETS)
        foreach(cible ${cibles})
            get_target_property(liens ${cible} LINK_LIBRARIES)
            get_target_property(genre ${cible} TYPE)
            if(genre STREQUAL "EXECUTABLE" AND "ortix_gui" IN_LIST liens)
                list(APPEND dossiers $<TARGET_FILE_DIR:${cible}>)
                list(APPEND avecQt ${cible})
            endif()
        endforeach()
    endif()
endforeach()
list(REMOVE_DUPLICATES dossiers)
set(dllEssais)
if(ORTIX_TESTS)
    find_package(Qt6 REQUIRED COMPONENTS Test)
    set(dllEssais $<TARGET_FILE:Qt6::Test>)
endif()
set(copies)
foreach(dossier ${dossiers})
    list(APPEND copies
        COMMAND ${CMAKE_COMMAND} -E copy_if_different ${dll} ${dllEssais} ${dossier}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${dossier}/platforms
        COMMAND ${CMAKE_COMMAND} -E copy_if_different ${plateformes} ${dossier}/platforms)
endforeach()
add_custom_target(ortix_dll_windows ${copies} VERBATIM)
foreach(cible ${avecQt})
    add_dependencies(${cible} ortix_dll_windows)
endforeach()

# A program of Windows' own kind: no console window opens beside the window.
set_target_properties(ortix PROPERTIES WIN32_EXECUTABLE ON)

# ---- the icon, from the same drawing as on Linux -----------------------------
# ortix.exe carries it (IDI_ICON1, which Qt gives its windows), and so does
# the file type of the projects.
enable_language(RC)
find_program(ORTIX_RSVG rsvg-convert)
find_program(ORTIX_ICOTOOL icotool)
if(NOT ORTIX_RSVG OR NOT ORTIX_ICOTOOL)
    message(FATAL_ERROR "L'icône de ortix.exe se fait avec rsvg-convert et icotool "
        "(paquets Debian librsvg2-bin et icoutils), introuvables.")
endif()
set(icone ${CMAKE_BINARY_DIR}/ortix.ico)
# The largest image kept as PNG (-r), as Windows reads it, the others as bitmaps.
set(images)
foreach(taille 16 24 32 48 64 256)
    if(taille EQUAL 256)
        list(APPEND images -r)
    endif()
    list(APPEND images ${CMAKE_BINARY_DIR}/icone/${taille}.png)
    list(APPEND rendus COMMAND ${ORTIX_RSVG} -w ${taille} -h ${taille}
        -o ${CMAKE_BINARY_DIR}/icone/${taille}.png ${CMAKE_SOURCE_DIR}/packaging/ortix.svg)
endforeach()
add_custom_command(OUTPUT ${icone}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icone
    ${rendus}
    COMMAND ${ORTIX_ICOTOOL} -c -o ${icone} ${images}
    DEPENDS ${CMAKE_SOURCE_DIR}/packaging/ortix.svg VERBATIM)
file(WRITE ${CMAKE_BINARY_DIR}/ortix.rc "IDI_ICON1 ICON \"${icone}\"\n")
set_source_files_properties(${CMAKE_BINARY_DIR}/ortix.rc PROPERTIES OBJECT_DEPENDS ${icone})
target_sources(ortix PRIVATE ${CMAKE_BINARY_DIR}/ortix.rc)

# ---- the folder that is shipped ------------------------------------------------
install(FILES ${dll} ${CMAKE_CURRENT_LIST_DIR}/qt.conf DESTINATION .)
install(FILES ${plateformes} DESTINATION platforms)
install(FILES ${styles} DESTINATION styles)
# Qt's own texts in French, where qt.conf tells Qt to look for them.
find_file(ORTIX_QTBASE_FR qtbase_fr.qm PATHS /usr/share/qt6/translations NO_DEFAULT_PATH
    NO_CMAKE_FIND_ROOT_PATH)
if(NOT ORTIX_QTBASE_FR)
    message(FATAL_ERROR "qtbase_fr.qm est introuvable : paquet Debian qt6-translations-l10n.")
endif()
install(FILES ${ORTIX_QTBASE_FR} DESTINATION translations)
# The interface font, which Windows does not have; the program loads it at start.
set(polices /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
    /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf)
install(FILES ${polices} DESTINATION polices)
# The licences of what the folder ships, as Debian gives them.
set(licences
    "Qt.txt=/usr/share/doc/qt6-base-dev/copyright"
    "LGPL-3.txt=/usr/share/common-licenses/LGPL-3"
    "GPL-3.txt=/usr/share/common-licenses/GPL-3"
    "DejaVu.txt=/usr/share/doc/fonts-dejavu-core/copyright"
    "GCC-runtime.txt=/usr/share/doc/gcc-mingw-w64-base/copyright"
    "MinGW-w64.txt=/usr/share/doc/mingw-w64-x86-64-dev/copyright")
foreach(paire ${licences})
    string(REPLACE "=" ";" paire "${paire}")
    list(GET paire 0 nom)
    list(GET paire 1 source)
    if(NOT EXISTS ${source})
        message(FATAL_ERROR "Licence introuvable : ${source}.")
    endif()
    install(FILES ${source} DESTINATION licences RENAME ${nom})
endforeach()
# Windows' own line ends, and a byte-order mark in the source, by which Notepad
# and the installer's licence page know the text is UTF-8.
configure_file(${CMAKE_CURRENT_LIST_DIR}/LISEZMOI.txt ${CMAKE_BINARY_DIR}/LISEZMOI.txt @ONLY
    NEWLINE_STYLE CRLF)
install(FILES ${CMAKE_BINARY_DIR}/LISEZMOI.txt DESTINATION .)

# ---- folder, zip and installer -------------------------------------------------
find_program(ORTIX_MAKENSIS makensis)
set(dossier ${CMAKE_BINARY_DIR}/${ORTIX_PAQUET})
set(installateur ${CMAKE_BINARY_DIR}/${ORTIX_PAQUET}-installation.exe)
set(nsis)
if(ORTIX_MAKENSIS)
    set(nsis
        COMMAND ${CMAKE_COMMAND} -DDOSSIER=${dossier} -DPOSER=${CMAKE_BINARY_DIR}/nsis/poser.nsh
            -DRETIRER=${CMAKE_BINARY_DIR}/nsis/retirer.nsh -P ${CMAKE_CURRENT_LIST_DIR}/Listes.cmake
        COMMAND ${ORTIX_MAKENSIS} -V2 -INPUTCHARSET UTF8 -DVERSION=${PROJECT_VERSION}
            -DDOSSIER=${dossier} -DLISTES=${CMAKE_BINARY_DIR}/nsis -DICONE=${icone}
            -DSORTIE=${installateur} ${CMAKE_CURRENT_LIST_DIR}/ortix.nsi)
else()
    set(nsis COMMAND ${CMAKE_COMMAND} -E echo
        "Installateur non construit : makensis est introuvable (paquet Debian nsis).")
endif()
# The DLLs as installed lose their symbols too: Debian's libstdc++-6.dll carries
# 20 MB of debugging information.
set(allegees)
foreach(f ${dll})
    list(APPEND allegees ${dossier}/$<PATH:GET_FILENAME,${f}>)
endforeach()
foreach(f ${plateformes})
    list(APPEND allegees ${dossier}/platforms/$<PATH:GET_FILENAME,${f}>)
endforeach()
foreach(f ${styles})
    list(APPEND allegees ${dossier}/styles/$<PATH:GET_FILENAME,${f}>)
endforeach()
add_custom_target(paquet_windows
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${dossier} ${dossier}.zip ${installateur}
    COMMAND ${CMAKE_COMMAND} --install ${CMAKE_BINARY_DIR} --prefix ${dossier} --strip
    COMMAND ${CMAKE_STRIP} --strip-unneeded ${allegees}
    COMMAND ${CMAKE_COMMAND} -E tar cf ${dossier}.zip --format=zip ${ORTIX_PAQUET}
    ${nsis}
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
    DEPENDS ortix ortix-batch ${icone}
    VERBATIM)
