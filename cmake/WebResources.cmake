# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT

# What the web version carries inside itself, since a browser has neither
# Qt's translations nor a Chinese font: the translations of the two standard
# buttons, and fonts cut down to the characters the game can show.
# Included from app/, where `ts_files` lists the game's own translations;
# sets `button_qm_files` and RAVELBOX_WEB_FONT, which app/ builds in.

# Qt's languages, but for those whose words the font below has no letters
# for (Arabic, Persian and Hebrew; those players see the buttons in English)
# and those without a translation of the two buttons (Slovak; English is Qt's own).
find_program(LCONVERT lconvert PATHS /usr/lib/qt6/bin NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
file(GLOB qt_qms /usr/share/qt6/translations/qtbase_*.qm)
list(FILTER qt_qms EXCLUDE REGEX "qtbase_(ar|fa|he|sk|en)\\.qm$")
if(NOT qt_qms)
    message(FATAL_ERROR "Qt's translations are missing: install qt6-translations-l10n")
endif()
set(button_ts_files "")
foreach(qm ${qt_qms})
    get_filename_component(name ${qm} NAME_WE)
    set(ts ${CMAKE_CURRENT_BINARY_DIR}/web/${name}.ts)
    add_custom_command(OUTPUT ${ts}
        COMMAND ${CMAKE_COMMAND} -DLCONVERT=${LCONVERT} -DQM=${qm} -DTS=${ts}
            -P ${PROJECT_SOURCE_DIR}/cmake/QtButtonTranslations.cmake
        DEPENDS ${qm} ${PROJECT_SOURCE_DIR}/cmake/QtButtonTranslations.cmake VERBATIM)
    list(APPEND button_ts_files ${ts})
endforeach()
set_source_files_properties(${button_ts_files} PROPERTIES
    OUTPUT_LOCATION ${CMAKE_CURRENT_BINARY_DIR}/web)
qt_add_translation(button_qm_files ${button_ts_files})
# Qt for the web builds no font in. The game carries two, cut down to every
# character of every text, read straight from the translation files, and
# printable ASCII and Latin-1 for what players type: DejaVu Sans, which
# draws the Latin, Greek and Cyrillic letters, and a Chinese font for the
# rest. Each keeps its family name.
set(RAVELBOX_CJK_FONT /usr/share/fonts/truetype/wqy/wqy-microhei.ttc)
set(RAVELBOX_SANS_FONT /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf)
set(RAVELBOX_WEB_FONT ${CMAKE_CURRENT_BINARY_DIR}/web/ravelbox-cjk.ttf)
set(RAVELBOX_WEB_SANS_FONT ${CMAKE_CURRENT_BINARY_DIR}/web/DejaVuSans.ttf)
set(texts ${CMAKE_CURRENT_BINARY_DIR}/web/texts.txt)
set(subset ${PYTHON3} -m fontTools.subset --text-file=${texts} --unicodes=U+0020-007E,U+00A0-00FF
    --drop-tables+=FFTM)
add_custom_command(OUTPUT ${RAVELBOX_WEB_FONT} ${RAVELBOX_WEB_SANS_FONT}
    COMMAND ${CMAKE_COMMAND} -E cat ${ts_files} ${button_ts_files} > ${texts}
    COMMAND ${subset} ${RAVELBOX_CJK_FONT} --font-number=0 --output-file=${RAVELBOX_WEB_FONT}
    COMMAND ${subset} ${RAVELBOX_SANS_FONT} --output-file=${RAVELBOX_WEB_SANS_FONT}
    DEPENDS ${ts_files} ${button_ts_files} ${RAVELBOX_CJK_FONT} ${RAVELBOX_SANS_FONT})
# The font check reads the fonts and the translations; the hello window
# draws with DejaVu Sans too.
set(RAVELBOX_WEB_FONT ${RAVELBOX_WEB_FONT} PARENT_SCOPE)
set(RAVELBOX_WEB_SANS_FONT ${RAVELBOX_WEB_SANS_FONT} PARENT_SCOPE)
set(RAVELBOX_WEB_TS_FILES ${ts_files} ${button_ts_files} PARENT_SCOPE)
