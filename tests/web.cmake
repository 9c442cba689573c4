# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT

# The web version's tests: the widget-free suites run under node, where the
# 32-bit address arithmetic really runs (their exit status must reach CTest),
# then the font and the game in a real browser.
foreach(name tst_digitsource tst_puzzle)
    # They open no dialog, so they link without asyncify, which takes minutes.
    target_link_options(${name} PRIVATE "SHELL:-s EXIT_RUNTIME=1" "SHELL:-s ASYNCIFY=0")
    # Qt 6.4's QTEST_APPLESS_MAIN passes no argument to a variadic macro,
    # which clang reports under -Wpedantic.
    target_compile_options(${name} PRIVATE -Wno-gnu-zero-variadic-macro-arguments)
endforeach()

# Fails when a text the game can show has a character the font it carries lacks.
add_test(NAME web_font_covers_texts
    COMMAND ${PYTHON3} ${CMAKE_CURRENT_SOURCE_DIR}/check_web_font.py
        ${RAVELBOX_WEB_FONT} ${RAVELBOX_WEB_TS_FILES})

# The page speaks the language the game speaks, on every row tst_startup checks.
add_test(NAME web_language_rule
    COMMAND ${NODE} ${CMAKE_CURRENT_SOURCE_DIR}/check_page_language.js
        ${PROJECT_SOURCE_DIR}/data/web/texts.js ${PROJECT_SOURCE_DIR}/data/web/page.js
        ${CMAKE_CURRENT_SOURCE_DIR}/languages.txt)

# The game's licence travels with its real copyright notice.
add_test(NAME web_licence_notices
    COMMAND ${CMAKE_COMMAND} -DDIR=${PROJECT_BINARY_DIR}/site -DEXPECT=licenses/Ravelbox-MIT.txt
        -P ${CMAKE_CURRENT_SOURCE_DIR}/check_no_placeholders.cmake)

# Plays the game in Chromium (web_play), Firefox (web_firefox) and WebKit
# (web_webkit): by keyboard in three languages, by touch on phones, then
# offline and after a rebuild, which it makes with the same tool and files
# as the build.
foreach(engine chromium firefox webkit)
    set(name web_${engine})
    if(engine STREQUAL "chromium")
        set(name web_play)
    endif()
    add_test(NAME ${name}
        COMMAND ${PYTHON3} ${CMAKE_CURRENT_SOURCE_DIR}/check_web.py ${engine}
            ${PROJECT_BINARY_DIR}/site ${PROJECT_SOURCE_DIR}/tools/web-site.py
            ${PROJECT_BINARY_DIR}/web/index.html ${PROJECT_BINARY_DIR}/web/texts.js
            $<TARGET_FILE_DIR:ravelbox>/qtloader.js ${PROJECT_BINARY_DIR}/web/page.js
            ${PROJECT_BINARY_DIR}/web/page.css $<TARGET_FILE_DIR:ravelbox>/ravelbox.js
            $<TARGET_FILE_DIR:ravelbox>/ravelbox.wasm)
endforeach()

# A blind player wins in Firefox with Orca, knowing only what it says.
add_test(NAME web_orca_firefox
    COMMAND ${PYTHON3} ${CMAKE_CURRENT_SOURCE_DIR}/check_orca.py en_US firefox
        ${PROJECT_BINARY_DIR}/site)
set_tests_properties(web_orca_firefox PROPERTIES RUN_SERIAL ON TIMEOUT 180)

# The first visit's download: the page, its scripts and the program, each
# as the build's gzip -9 copy beside it, may not grow past this budget,
# 2.5 % above the 2,927,584 bytes it took when the budget was set.
add_test(NAME web_download_budget
    COMMAND ${CMAKE_COMMAND} -DDIR=${PROJECT_BINARY_DIR}/site -DBUDGET=3000000
        -P ${CMAKE_CURRENT_SOURCE_DIR}/check_web_size.cmake)
# Beside the clone build below, which takes as long: every wait has room
# for a busy machine. The screen reader's run, slower to react, stays alone.
# On two cores the longest start first, so that the two lanes end together.
set_tests_properties(web_play web_firefox web_webkit PROPERTIES TIMEOUT 1500)
set_tests_properties(web_play PROPERTIES COST 300)
set_tests_properties(web_firefox PROPERTIES COST 200)
set_tests_properties(web_webkit PROPERTIES COST 150)

# A clean clone of the committed HEAD, built elsewhere, makes the same zip as
# this build. ./run.sh --web installs RAVELBOX_WEB_PACKAGES, then builds as
# the clone is built: every program that runs must come from them.
ravelbox_add_reproducible(web PACK OWN ${PROJECT_BINARY_DIR}
    TRACE RAVELBOX_WEB_PACKAGES RAN cmake,clang++,wasm-ld,moc
    FILES Ravelbox-${PROJECT_VERSION}-web.zip)
set_tests_properties(web_clone_build PROPERTIES COST 400)

# ./run.sh --web serves with nginx and its brotli module, both from
# RAVELBOX_WEB_PACKAGES: the configuration it writes, modules and the site's
# own server block included, must load with nothing else installed.
add_test(NAME run_web_packages_cover_serving
    COMMAND ${PYTHON3} ${CMAKE_CURRENT_SOURCE_DIR}/check_command_packages.py
        ${PROJECT_SOURCE_DIR} ${PROJECT_BINARY_DIR} RAVELBOX_WEB_PACKAGES nginx --
        tools/serve-web.sh --check ${PROJECT_BINARY_DIR}/site 8000 ${PROJECT_BINARY_DIR}/nginx-check)
set_tests_properties(run_web_packages_cover_serving PROPERTIES SKIP_RETURN_CODE 77)
