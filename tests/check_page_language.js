// SPDX-FileCopyrightText: 2026 The Ravelbox authors
// SPDX-License-Identifier: MIT
//
// The web page's choice of language, taken from the page as it ships, must
// be the game's on every row of languages.txt, which tst_startup reads too.
// Usage: node check_page_language.js TEXTS.js PAGE.js LANGUAGES.txt
"use strict";
const fs = require("fs");
const vm = require("vm");

const [texts, page, rows] = process.argv.slice(2).map((file) => fs.readFileSync(file, "utf8"));
const rule = page.match(/^ {2}function pickLanguage\([\s\S]*?^ {2}}$/m);
if (!rule) {
  console.error("no pickLanguage in the page");
  process.exit(1);
}
const context = vm.createContext({});
vm.runInContext(texts.replace(/^const /m, "var ") + rule[0], context);
let failed = 0;
let checked = 0;
for (const line of rows.split("\n")) {
  if (!line.trim() || line.startsWith("#"))
    continue;
  const [want, preferred] = [line.slice(0, line.indexOf(":")), line.slice(line.indexOf(":") + 1)];
  const got = context.pickLanguage(preferred.split(" ").filter((tag) => tag));
  ++checked;
  if (got !== want) {
    console.error(`${JSON.stringify(preferred.trim())}: the page speaks ${got}, the game ${want}`);
    ++failed;
  }
}
console.log(`${checked} rows, ${failed} disagreeing`);
process.exit(failed || checked < 10 ? 1 : 0);
