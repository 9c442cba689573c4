// SPDX-FileCopyrightText: 2026 The Ravelbox authors
// SPDX-License-Identifier: MIT

"use strict";
(function () {
  // A phone on a slow network takes up to about 40 s.
  const START_SECONDS = 120;
  const canvas = document.getElementById("qtcanvas");
  const status = document.getElementById("status");
  const message = document.getElementById("message");
  const again = document.getElementById("again");

  // The browser's first language that the game speaks, by the game's own
  // rule (programLanguage in app/startup.cpp): Chinese, in which it is
  // written, for any Chinese and for C and POSIX; English when none.
  function pickLanguage(preferred) {
    for (const tag of preferred) {
      const parts = tag.replace(/-/g, "_").split("_").filter((part) => part);
      if (parts.length === 0)
        continue;
      const language = parts[0].toLowerCase();
      if (language === "zh" || language === "c" || language === "posix")
        return "zh";
      const territorial = language + "_" + parts[parts.length - 1].toUpperCase();
      if (parts.length > 1 && RAVELBOX_TEXTS[territorial])
        return territorial;
      if (RAVELBOX_TEXTS[language])
        return language;
    }
    return "en";
  }
  const language = pickLanguage(navigator.languages || [navigator.language || "en"]);
  const texts = RAVELBOX_TEXTS[language];
  const say = (key, detail) => texts[key].replace("{0}", detail);
  document.documentElement.lang = language === "zh" ? "zh-CN" : language.replace("_", "-");
  document.getElementById("help").textContent = texts.help;
  // The footer's links keep their addresses; their words are translated.
  const footer = document.getElementById("footer");
  const links = Object.fromEntries(["gpl", "src"].map(
    (name, index) => [name, footer.querySelectorAll("a")[index]]));
  const pieces = texts.footer.replace("{version}", document.body.dataset.version).split(/<(gpl|src)>(.*?)<\/\1>/);
  footer.replaceChildren();
  for (let i = 0; i < pieces.length; i += 3) {
    footer.append(pieces[i]);
    if (i + 2 < pieces.length) {
      links[pieces[i + 1]].textContent = pieces[i + 2];
      footer.append(links[pieces[i + 1]]);
    }
  }

  function show(state, text) {
    // An error is final, and its first words stay: Qt's loader may still
    // report a download that was under way as loading.
    if (document.body.dataset.state === "error")
      return;
    document.body.dataset.state = state;
    const running = state === "running";
    canvas.style.display = running ? "block" : "none";
    status.style.display = running ? "none" : "flex";
    again.hidden = state !== "ended" && state !== "error";
    again.textContent = state === "error" ? texts.retry : texts.again;
    if (text)
      message.textContent = text;
    if (running)
      canvas.focus();
  }
  again.addEventListener("click", () => location.reload());
  document.addEventListener("ravelbox-ended",
    () => show("ended", texts.ended));

  function hasWebGL() {
    try {
      const probe = document.createElement("canvas");
      return !!(window.WebGLRenderingContext && probe.getContext("webgl"));
    } catch (error) {
      return false;
    }
  }
  // Until the game runs, anything the site's Content-Security-Policy blocks
  // is something it needs: say so rather than wait for good.
  document.addEventListener("securitypolicyviolation", (event) => {
    if (document.body.dataset.state === "loading" && event.disposition === "enforce")
      show("error", say("loadFailed",
                        `${event.effectiveDirective} blocked ${event.blockedURI || "inline code"}`));
  });
  // Nor wait for a program that never arrives, however slow the network.
  setTimeout(() => {
    if (document.body.dataset.state === "loading")
      show("error", say("loadFailed", `no start after ${START_SECONDS} s`));
  }, START_SECONDS * 1000);
  if (typeof QtLoader !== "function") {
    show("error", say("loadFailed", "qtloader.js"));
    return;
  }
  if (typeof WebAssembly !== "object") {
    show("error", texts.noWasm);
    return;
  }
  if (!hasWebGL()) {
    show("error", texts.noWebGL);
    return;
  }
  // Kept for the next visit, offline too, once everything has arrived.
  // Browsers allow service workers on HTTPS and on this machine only.
  function keepForOffline() {
    if ("serviceWorker" in navigator && window.isSecureContext)
      navigator.serviceWorker.register("sw.js").catch(
        (error) => console.warn("Ravelbox will need the network next time:", error));
  }
  // Global, as in Qt's own page, for tools that look inside the running game.
  const loader = window.qtLoader = QtLoader({
    canvasElements: [canvas],
    // The game would see the browser's first language only: it gets the
    // page's choice, so that the two always speak the same.
    environment: { LANG: (language === "zh" ? "zh_CN" : language) + ".UTF-8" },
    showLoader: () => show("loading", texts.loading),
    showCanvas: () => { show("running"); keepForOffline(); },
    showError: (text) => show("error", say("loadFailed", text)),
    showExit: () => show(loader.crashed ? "error" : "ended",
                         loader.crashed ? say("crashed", loader.exitText) : texts.ended),
  });
  // The page names the program, under the name of this build.
  loader.loadEmscriptenModule(document.body.dataset.program);
})();
