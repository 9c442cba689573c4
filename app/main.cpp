// SPDX-FileCopyrightText: 2026 The Ravelbox authors
// SPDX-License-Identifier: MIT

#include "startup.h"

int main(int argc, char *argv[])
{
    return Startup::run(argc, argv);
}
