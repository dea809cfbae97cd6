// Checks a .vcf or .ics file with independent parsers and prints what they read, as JSON:
//   node check.mjs vcard|ical FILE
// {"errors": [...], "components": [[[name, params, type, value...], ...], ...]}
// errors: lines that are not RFC 6350 / RFC 5545 content lines (CR LF ends, at most 75 octets,
// each line valid UTF-8 by itself), and whatever vcard4 (vCard 4.0 rules: CRLF, known
// properties and parameters, FN, cardinality) or ical.js refuse. components: the cards, or the
// events of the calendar, as ical.js reads them (jCard / jCal properties).
import { readFileSync } from 'node:fs';
import ICAL from 'ical.js';
import { parse as parseVcard4 } from 'vcard4';

const [kind, file] = process.argv.slice(2);
const bytes = readFileSync(file);
const errors = [];

let start = 0;
for (let line = 1; start < bytes.length; ++line) {
  const lf = bytes.indexOf(0x0a, start);
  const end = lf < 0 ? bytes.length : lf;
  if (lf < 0) errors.push(`line ${line}: no line break at the end of the file`);
  else if (end === start || bytes[end - 1] !== 0x0d) errors.push(`line ${line}: ends with LF alone`);
  const content = bytes.subarray(start, lf < 0 ? end : Math.max(start, end - 1));
  if (content.includes(0x0d)) errors.push(`line ${line}: CR inside the line`);
  if (content.length > 75) errors.push(`line ${line}: ${content.length} octets`);
  try {
    new TextDecoder('utf-8', { fatal: true }).decode(content);
  } catch {
    errors.push(`line ${line}: not UTF-8 by itself (a character split by folding?)`);
  }
  start = end + 1;
}

const text = new TextDecoder('utf-8').decode(bytes);
let components = [];
try {
  if (kind === 'vcard') parseVcard4(text);
} catch (e) {
  errors.push(`vcard4: ${e.message}`);
}
try {
  const parsed = ICAL.parse(text);
  const roots = Array.isArray(parsed[0]) ? parsed : [parsed];
  if (kind === 'vcard') components = roots.map((card) => card[1]);
  else components = roots.flatMap((cal) => new ICAL.Component(cal).getAllSubcomponents('vevent').map((e) => e.toJSON()[1]));
} catch (e) {
  errors.push(`ical.js: ${e.message}`);
}
process.stdout.write(JSON.stringify({ errors, components }));
