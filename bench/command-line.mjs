// Start-up of the command line, side by side: each program run to its end,
// in interleaved rounds (A B C, then B C A, ...), wall-clock time from the
// start of the process to its exit, as the shell sees it.
//
//   node bench/command-line.mjs 'LABEL::PROGRAM ARG...' ...
//
// Arguments are split at blanks, except inside single quotes. ROUNDS (15 by
// default) sets the number of rounds, after two warm-up rounds. The first
// program's median is the one the others are compared with.

import { spawnSync } from 'node:child_process';

const rounds = Number(process.env.ROUNDS ?? 15);
const programs = process.argv.slice(2).map((given) => {
  const [label, command] = given.includes('::') ? given.split('::') : [given.split(' ')[0], given];
  const words = command.match(/'[^']*'|\S+/g).map((word) => word.replace(/^'(.*)'$/, '$1'));
  return { label, words, times: [] };
});
if (programs.length === 0) {
  console.error('usage: node bench/command-line.mjs LABEL::COMMAND ...');
  process.exit(2);
}

for (let round = -2; round < rounds; ++round) {
  const start = ((round % programs.length) + programs.length) % programs.length;
  for (let i = 0; i < programs.length; ++i) {
    const program = programs[(start + i) % programs.length];
    const began = process.hrtime.bigint();
    const run = spawnSync(program.words[0], program.words.slice(1), { stdio: ['ignore', 'pipe', 'pipe'] });
    const ms = Number(process.hrtime.bigint() - began) / 1e6;
    if (run.status !== 0) {
      throw new Error(`${program.label} exited with ${run.status ?? run.signal}: ${run.stderr}`);
    }
    if (round >= 0) program.times.push(ms);
  }
}

const median = (values) => {
  const sorted = [...values].sort((a, b) => a - b);
  const middle = Math.floor(sorted.length / 2);
  return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
};
console.log(`Start to exit, ${rounds} rounds interleaved (ms):\n`);
console.log(`| program | median | min | max | × ${programs[0].label} |\n|---|---|---|---|---|`);
const base = median(programs[0].times);
for (const { label, times } of programs) {
  console.log(`| ${label} | ${median(times).toFixed(1)} | ${Math.min(...times).toFixed(1)} | `
    + `${Math.max(...times).toFixed(1)} | ${(median(times) / base).toFixed(2)} |`);
}
