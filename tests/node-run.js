// SPDX-FileCopyrightText: 2026 The Ravelbox authors
// SPDX-License-Identifier: MIT
//
// Runs a test program built for the web under node. Qt builds every program
// as a module that only runs when called: this calls it with the remaining
// arguments and exits with the program's status. A program that never says
// its status, because it died or was never run to its end, fails.
// Usage: node --no-experimental-fetch node-run.js PROGRAM.js [ARGUMENTS...]
"use strict";
const path = require("path");

const createProgram = require(path.resolve(process.argv[2]));
// Node is about to exit with nothing left to run, and the program has not quit.
process.on("beforeExit", () => {
    console.error(`${process.argv[2]} ended without an exit status`);
    process.exit(1);
});
createProgram({
    arguments: process.argv.slice(3),
    quit: (status) => process.exit(status),
}).catch((error) => {
    console.error(error);
    process.exit(1);
});
