// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Writes the reference table of the calendar page's test: every lunar month, solar term and
// lunar festival from 1900-01-31 to 2049-12-31 as lunar-javascript gives them, a lunar
// calendar computed independently of the page's tables, and the names of the 30 lunar days.
// Run it through scripts/make-calendar-reference.sh.
//
// Lines, in date order within each kind:
//   day <number> <name>                       the text the grid shows on that lunar day
//   month <first day> <lunar year> <name>     a lunar month ("闰" before a leap month's name)
//   term <date> <name>                        a solar term
//   festival <date> <name>                    a lunar festival
import { writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';

const require = createRequire(process.env.LUNAR_JAVASCRIPT_DIR + '/');
const { Solar } = require('lunar-javascript');

const FESTIVALS = new Set(['春节', '元宵节', '端午节', '七夕节', '中秋节', '重阳节', '腊八节', '除夕']);
const MONTH_NAMES = ['正月', '二月', '三月', '四月', '五月', '六月', '七月', '八月', '九月', '十月', '冬月', '腊月'];
const MS_PER_DAY = 86400000;

const dayNames = new Map();
const months = [];
const terms = [];
const festivals = [];
for (let t = Date.UTC(1900, 0, 31); t <= Date.UTC(2049, 11, 31); t += MS_PER_DAY) {
  const date = new Date(t);
  const iso = date.toISOString().slice(0, 10);
  const lunar = Solar.fromYmd(date.getUTCFullYear(), date.getUTCMonth() + 1, date.getUTCDate()).getLunar();
  const month = lunar.getMonth();
  dayNames.set(lunar.getDay(), lunar.getDayInChinese());
  if (lunar.getDay() === 1) {
    months.push(`month ${iso} ${lunar.getYear()} ${month < 0 ? '闰' : ''}${MONTH_NAMES[Math.abs(month) - 1]}`);
  }
  if (lunar.getJieQi()) terms.push(`term ${iso} ${lunar.getJieQi()}`);
  for (const festival of lunar.getFestivals().filter((f) => FESTIVALS.has(f))) {
    festivals.push(`festival ${iso} ${festival}`);
  }
}

const days = [...dayNames.keys()].sort((a, b) => a - b).map((day) => `day ${day} ${dayNames.get(day)}`);
const header = `# The lunar calendar of 1900-01-31 to 2049-12-31 from lunar-javascript ${process.env.LUNAR_JAVASCRIPT_VERSION},\n` +
  '# made by scripts/make-calendar-reference.sh; the line kinds are described there.\n';
writeFileSync(process.argv[2], header + [...days, ...months, ...terms, ...festivals].join('\n') + '\n');
