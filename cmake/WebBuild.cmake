# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT

# Compiler and linker settings of the web build; included before any target
# exists, so that they reach every one.
if(NOT RAVELBOX_QT_MAJOR STREQUAL "6")
    message(FATAL_ERROR "The web build needs Qt 6: configure with -DRAVELBOX_QT_MAJOR=6")
endif()

# Two builds of the same source in different folders give the same bytes.
add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}=. -ffile-prefix-map=${PROJECT_BINARY_DIR}=.)

# QDialog::exec() waits for the player through asyncify, which by default
# rewrites every function that could be on the stack through any indirect
# call: a third of the download. Only the functions that really lie between
# the browser's event and the wait are rewritten: how input reaches a button
# (mouse, touch, keys and the screen reader's timer-driven click), its signal
# and the game's slot, and the nested event loop. Whole classes are listed,
# not single functions: a build for size merges functions of identical code,
# and the one left may carry any of their names. A new way to open a dialog
# from elsewhere must be added here; the browser test plays every way there is.
set(asyncify_add
    # The browser's events and Qt's timers as they enter the program
    "dynCall_*" "emscripten::internal::*" "qstdweb::*" "std::__2::__function::__func*QWasm*"
    "std::__2::__function::__value_func<void (emscripten::val)>::*"
    "QWasmCompositor::*" "QWasmWindow::*" "QWasmInputContext::*" "QWasmAccessibility::*"
    "QWindowSystemInterface::*" "bool QWindowSystemInterface::*" "*QWindowSystemHelper*"
    "QEventDispatcherWasm::*" "QTimer::*" "QSingleShotTimer::*"
    # delivery to the widget
    "QCoreApplication::*" "QGuiApplication::*" "QGuiApplicationPrivate::*" "QApplication::*"
    "QApplicationPrivate::*" "QWidgetWindow::*" "QObject::event(QEvent*)" "QWidget::*"
    "QShortcut::*" "QShortcutMap::*"
    # the button or the field, their signals and the game's slot
    "QAbstractButton::*" "QAbstractButtonPrivate::*" "QPushButton::*" "QLineEdit::*"
    "QWidgetLineControl::*"
    "QMetaObject::*" "QMetaMethod::invoke*" "*doActivate*" "QtPrivate::Q*SlotObject*"
    "MainWindow::*"
    # the wait itself
    "QDialog::*" "QEventLoop::*")
# Qt lists its wake-up call as one that may wait, which it never does, and
# loading libraries and syncing files never wait here either: left alone,
# these would have every function that posts an event rewritten.
set(asyncify_remove "QEventDispatcherWasm::wakeUp()" "QEventDispatcherWasm::setSocketState*"
    "*wakeEventDispatcherThread*" "QLibraryPrivate::load()" "fsync")
foreach(list add remove)
    list(TRANSFORM asyncify_${list} PREPEND "\"")
    list(TRANSFORM asyncify_${list} APPEND "\"")
    list(JOIN asyncify_${list} ", " entries)
    file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/asyncify-${list}.json CONTENT "[${entries}]\n")
    string(TOUPPER ${list} setting)
    add_link_options("SHELL:-sASYNCIFY_${setting}=@${PROJECT_BINARY_DIR}/asyncify-${list}.json")
endforeach()
add_link_options("SHELL:-sASYNCIFY_IGNORE_INDIRECT=1")
# No eval() or new Function() in the program's JavaScript (embind builds its
# callers from closures instead), so that a site's Content-Security-Policy
# need not allow 'unsafe-eval'.
add_link_options("SHELL:-sDYNAMIC_EXECUTION=0")
