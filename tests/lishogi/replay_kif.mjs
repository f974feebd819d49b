// Replays each KIF file given with lishogi's reader (shogiops): the header gives the variant
// and start, then every move must be legal in the position it is played in. Prints one line a
// file and exits 1 when some file does not replay to its last move.
import { readFileSync } from 'node:fs';
import { parseKifHeader, parseKifMoveOrDrop } from 'shogiops/notation/kif';

const endWords = ['詰み', '投了', '千日手', '切れ負け', '反則負け', '反則勝ち', '中断', '持将棋'];
let failed = 0;
for (const file of process.argv.slice(2)) {
  const text = readFileSync(file, 'utf8');
  const header = parseKifHeader(text);
  if (header.isErr) {
    console.log(`${file}: header refused: ${header.error}`);
    failed++;
    continue;
  }
  const pos = header.value;
  let lastDest, count = 0, refused;
  for (const line of text.split(/\r?\n/)) {
    const m = line.match(/^\s*(\d+)\s+(.*)$/);  // the move with its time; 同 may be followed by a space
    if (!m) continue;
    const md = parseKifMoveOrDrop(m[2], lastDest);
    if (!md) {
      const word = m[2].trim().split(/\s/)[0];
      if (!endWords.includes(word)) refused = `move ${m[1]} ${m[2].trim()} unreadable`;
      break;
    }
    if (!pos.isLegal(md)) {
      refused = `move ${m[1]} ${m[2].trim()} refused`;
      break;
    }
    pos.play(md);
    lastDest = md.to;
    count++;
  }
  if (pos.rules !== 'minishogi') refused = `read as ${pos.rules}`;
  if (refused) failed++;
  console.log(`${file}: ${refused ?? `${count} moves replayed`}`);
}
process.exit(failed ? 1 : 0);
