// SPDX-FileCopyrightText: 2026 The Ravelbox authors
// SPDX-License-Identifier: MIT

// Built into every program of a sanitizer build (RAVELBOX_SANITIZE), so that a
// game started by hand on a desktop reports only leaks of its own, as the
// tests do. Nothing of this program's own code may ever be listed here.

extern "C" {

// A leak is suppressed when a frame of its allocation stack lies in one of
// these libraries.
const char *__lsan_default_suppressions()
{
    return
        // libdbus keeps the buffer of a half-read message on a connection Qt
        // never closes; it shows whenever no session bus answers.
        "leak:libdbus-1.so\n"
        // Mesa's GLX and DRI drivers keep per-screen state until exit when Qt
        // probes OpenGL on X11; the driver loader frees none of it.
        "leak:libGLX_mesa.so\n"
        "leak:_dri.so\n"
        // Qt 5's offscreen platform plugin (the tests' headless display)
        // never deletes the screen it registers at start-up.
        "leak:libqoffscreen.so\n";
}

// The default unwinder follows frame pointers, which the system libraries
// are built without: the stacks would stop before reaching them.
const char *__asan_default_options()
{
    return "fast_unwind_on_malloc=0";
}

} // extern "C"
