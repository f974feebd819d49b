#!/usr/bin/env node
// A USI engine on stdin/stdout around the WebAssembly Fairy-Stockfish of the npm package
// fairy-stockfish-nnue.wasm, so that the match runner can start it as a command line.
//
// FAIRY_VARIANT_INI=<file>: a variant file on disk. It is copied into the engine's virtual
// file system as /variants.ini, and after each `usi` the wrapper itself sends
// `setoption name VariantPath value /variants.ini`, so the GUI's later
// `setoption name UCI_Variant value ...` can name a variant from it.
//
// The engine is also told `Use NNUE` false after each `usi`: the package holds no network, so
// it evaluates classically anyway, and this keeps it so. A GUI may still change both options.
"use strict";

const fs = require("fs");
const path = require("path");
const readline = require("readline");

// Without a global fetch the Emscripten loader reads stockfish.wasm from disk; with node's
// fetch it tries to fetch a file path as a URL and aborts.
globalThis.fetch = undefined;

const packageDir = path.dirname(require.resolve("fairy-stockfish-nnue.wasm/stockfish.js"));
const Stockfish = require(path.join(packageDir, "stockfish.js"));

const VIRTUAL_INI = "/variants.ini";

function say(line) {
  // Writes to a pipe are synchronous on Linux, so each line leaves at once.
  process.stdout.write(line + "\n");
}

async function main() {
  const iniPath = process.env.FAIRY_VARIANT_INI;
  const iniText = iniPath ? fs.readFileSync(iniPath) : null;

  const engine = await Stockfish({ locateFile: (file) => path.join(packageDir, file) });
  if (iniText) engine.FS.writeFile(VIRTUAL_INI, iniText);

  // A search is under way from a forwarded `go` until its bestmove (or a perft's total).
  let searching = false;
  let quitting = false;

  // The engine ends the process itself once it has left; the timer is only a backstop.
  const sendQuit = () => {
    engine.postMessage("quit");
    setTimeout(() => process.exit(0), 10000).unref();
  };
  // A quit during a search would end the process before the stopped search prints its
  // bestmove (its line still on the way from the search thread), so the search is stopped
  // first and the quit follows the bestmove, as a native engine answers.
  const finish = () => {
    if (quitting) return;
    quitting = true;
    if (searching) engine.postMessage("stop");
    else sendQuit();
  };

  engine.addMessageListener((line) => {
    if (line.startsWith("option name USI_Variant ")) {
      // This build names the variant option USI_Variant under USI but answers to either
      // name; the match runner only sends options the engine announced, and its
      // fairy-stockfish players use the UCI_ name, so both are announced.
      say(line);
      say(line.replace("USI_Variant", "UCI_Variant"));
      return;
    }
    say(line);
    if (searching && (line.startsWith("bestmove") || line.startsWith("Nodes searched"))) {
      searching = false;
      if (quitting) sendQuit();
    }
  });

  const input = readline.createInterface({ input: process.stdin, terminal: false });
  input.on("line", (raw) => {
    const command = raw.trim();
    if (command === "quit") return finish();
    if (command === "" || quitting) return;
    if (command === "go" || command.startsWith("go ")) searching = true;
    engine.postMessage(command);
    if (command === "usi") {
      // Straight after usi, so that the engine reads them before any option of the GUI's.
      if (iniText) engine.postMessage(`setoption name VariantPath value ${VIRTUAL_INI}`);
      engine.postMessage("setoption name Use NNUE value false");
    }
  });
  input.on("close", finish);
}

main().catch((e) => {
  process.stderr.write(`fairy-wasm: ${e && e.stack ? e.stack : e}\n`);
  process.exit(1);
});
