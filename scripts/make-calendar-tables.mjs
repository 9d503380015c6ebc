// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Computes the lunar month table and the solar-term days of the calendar page with the
// astronomy-engine library and writes them between the GENERATED TABLES markers of
// resources/calendar/jpwnl.html. Run it through scripts/make-calendar-tables.sh.
//
// The rules of the Chinese calendar: a month begins on the civil day of a new moon; the month
// holding the winter solstice is the eleventh; when 13 months begin from one eleventh month to
// the next, the first of them without a principal term (solar longitude a multiple of 30
// degrees) is a leap month and repeats the number of the month before it.
//
// The civil day is Beijing time, UTC+8, with one exception: the almanacs of 1912 to 1928 were
// computed for the local mean time of the Beijing meridian (116°25′E, UTC+7:45:40), which moves
// the new moons of 1914-11, 1916-02 and 1920-11 that fell a few minutes after midnight UTC+8 to
// the day before. Solar terms are always shown on their day in UTC+8.
import { readFileSync, writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';

const require = createRequire(process.env.ASTRONOMY_ENGINE_DIR + '/');
const Astronomy = require('astronomy-engine');

const FIRST_LUNAR_YEAR = 1899; // its twelfth month holds January 1900
const FIRST_YEAR = 1900;
const LAST_YEAR = 2049;
const MS_PER_DAY = 86400000;
const UTC8_MS = 8 * 3600000;
const BEIJING_MERIDIAN_MS = (7 * 3600 + 45 * 60 + 40) * 1000;

function civilDay(moment, offsetMs) {
  return Math.floor((moment.date.getTime() + offsetMs) / MS_PER_DAY);
}

function almanacOffsetMs(moment) {
  const year = moment.date.getUTCFullYear();
  return year >= 1912 && year <= 1928 ? BEIJING_MERIDIAN_MS : UTC8_MS;
}

const toDayNumber = (year, month, day) => Date.UTC(year, month - 1, day) / MS_PER_DAY;

// The 24 term moments of a Gregorian year, from 小寒 (285 degrees) to 冬至 (270 degrees).
function termMoments(year) {
  const moments = [];
  let start = Astronomy.MakeTime(new Date(Date.UTC(year, 0, 1) - 2 * MS_PER_DAY));
  for (let k = 0; k < 24; ++k) {
    const moment = Astronomy.SearchSunLongitude((285 + 15 * k) % 360, start, 40);
    if (!moment) throw new Error(`term ${k} of ${year} not found`);
    moments.push(moment);
    start = moment.AddDays(5);
  }
  return moments;
}

function newMoonDays(fromDay, toDay) {
  const days = [];
  let start = Astronomy.MakeTime(new Date(fromDay * MS_PER_DAY));
  for (;;) {
    const moment = Astronomy.SearchMoonPhase(0, start, 40);
    const day = civilDay(moment, almanacOffsetMs(moment));
    if (day > toDay) return days;
    days.push(day);
    start = moment.AddDays(20);
  }
}

// Lunar months from the eleventh month before lunar year `firstYear` to the end of `lastYear`,
// each {start, length, number, leap}.
function lunarMonths(firstYear, lastYear) {
  const principalDays = [];
  const solsticeDays = new Map();
  for (let y = firstYear - 1; y <= lastYear + 1; ++y) {
    const days = termMoments(y).map((moment) => civilDay(moment, almanacOffsetMs(moment)));
    for (let k = 1; k < 24; k += 2) principalDays.push(days[k]);
    solsticeDays.set(y, days[23]);
  }
  const moons = newMoonDays(toDayNumber(firstYear - 1, 10, 1), toDayNumber(lastYear + 2, 3, 1));
  const monthHolding = (day) => moons.findIndex((start, i) => start <= day && day < moons[i + 1]);
  const hasPrincipalTerm = (i) => principalDays.some((d) => moons[i] <= d && d < moons[i + 1]);

  const months = [];
  for (let y = firstYear - 1; y <= lastYear; ++y) {
    const first = monthHolding(solsticeDays.get(y));
    const next = monthHolding(solsticeDays.get(y + 1));
    let leapAt = -1;
    for (let i = first + 1; next - first === 13 && i < next && leapAt < 0; ++i)
      if (!hasPrincipalTerm(i)) leapAt = i;
    let number = 11;
    for (let i = first; i < next; ++i) {
      const leap = i === leapAt;
      if (i !== first && !leap) number = (number % 12) + 1;
      months.push({ start: moons[i], length: moons[i + 1] - moons[i], number, leap });
    }
  }
  return months;
}

// One entry of five hex digits per lunar year: the leap month's number (0 for none) times 2^13
// plus one bit per month in calendar order, the first month in the highest of 13 bits, set for
// a month of 30 days.
function encodeLunarYears(months) {
  let firstDay = null;
  const years = [];
  let current = null;
  for (const month of months) {
    if (month.number === 1 && !month.leap) {
      const year = new Date(month.start * MS_PER_DAY).getUTCFullYear();
      if (year > LAST_YEAR) break;
      if (year < FIRST_LUNAR_YEAR) continue;
      if (firstDay === null) firstDay = month.start;
      years.push((current = { leap: 0, bits: 0, count: 0 }));
    }
    if (!current) continue;
    if (month.leap) current.leap = month.number;
    if (month.length === 30) current.bits |= 1 << (12 - current.count);
    else if (month.length !== 29) throw new Error(`month of ${month.length} days`);
    current.count++;
  }
  const text = years.map((y) => ((y.leap << 13) | y.bits).toString(16).padStart(5, '0')).join('');
  return { firstDay, text };
}

// One digit per term: its day of the month minus the earliest day that term takes in the range.
function encodeTermDays() {
  const rows = [];
  for (let y = FIRST_YEAR; y <= LAST_YEAR; ++y)
    rows.push(
      termMoments(y).map((moment, k) => {
        const day = new Date(moment.date.getTime() + UTC8_MS);
        if (day.getUTCMonth() !== k >> 1) throw new Error(`term ${k} of ${y} leaves its month`);
        return day.getUTCDate();
      }),
    );
  const base = rows[0].map((_, k) => Math.min(...rows.map((row) => row[k])));
  const text = rows.map((row) => row.map((day, k) => day - base[k]).join('')).join('');
  if (!/^\d+$/.test(text) || text.length !== 24 * rows.length) throw new Error('term day span');
  return { base, text };
}

const page = process.argv[2];
const lunar = encodeLunarYears(lunarMonths(FIRST_LUNAR_YEAR, LAST_YEAR));
const terms = encodeTermDays();
const block = [
  `// BEGIN GENERATED TABLES: scripts/make-calendar-tables.sh, astronomy-engine ${process.env.ASTRONOMY_ENGINE_VERSION}`,
  `const LUNAR_FIRST_YEAR = ${FIRST_LUNAR_YEAR};`,
  `const LUNAR_FIRST_DAY = ${lunar.firstDay}; // ${new Date(lunar.firstDay * MS_PER_DAY).toISOString().slice(0, 10)}`,
  `const LUNAR_YEARS = '${lunar.text}';`,
  `const TERM_FIRST_YEAR = ${FIRST_YEAR};`,
  `const TERM_BASE_DAYS = [${terms.base.join(',')}];`,
  `const TERM_DAYS = '${terms.text}';`,
  '// END GENERATED TABLES',
].join('\n');
const html = readFileSync(page, 'utf8');
const marked = /\/\/ BEGIN GENERATED TABLES[^]*?\/\/ END GENERATED TABLES/;
if (!marked.test(html)) throw new Error(`${page} has no GENERATED TABLES markers`);
writeFileSync(page, html.replace(marked, () => block));
